// A settings (INI) file read and written by the program itself: the system's
// profile functions take a file without a byte-order mark to be in the
// process's code page, which for this program is not the code page older
// versions wrote it in.
//
// Reading: a file that starts with the UTF-16LE or UTF-8 byte-order mark is in
// that form, any other in the legacy code page. Writing: the file keeps a
// byte-order mark it had; without one it is written in the legacy code page
// while that holds all its text, else as UTF-16LE with its mark, which the
// system's profile functions (and so older versions) read too. The lookup
// rules are the system's: names ignore case, blanks around keys and values
// go, a value's enclosing double quotes go.
#pragma once

#include <string>
#include <vector>

#include "fw/base/CString.h"

class CProfileFile {
public:
    explicit CProfileFile(const std::string& strPath) : m_strPath(strPath) {}

    // The value of key in section, or strDefault when there is none.
    CString GetString(const char* pszSection, const char* pszKey, const char* pszDefault) const;
    // The leading decimal integer of the value (sign allowed), else nDefault.
    int GetInt(const char* pszSection, const char* pszKey, int nDefault) const;
    // Sets (or, with a null value, removes) a key, creating section and
    // file as needed; a null key removes the whole section. False when the
    // file cannot be written.
    bool WriteString(const char* pszSection, const char* pszKey, const char* pszValue);

private:
    enum Form { legacyForm, utf16Form, utf8Form };
    // The file's lines as text; false when it cannot be read.
    bool Load(std::vector<std::string>& lines, Form& form) const;
    bool Save(const std::vector<std::string>& lines, Form form) const;
    // Index of the value line of key in section, or -1; nSection gets the
    // section's header line (-1 when absent).
    static long FindKey(const std::vector<std::string>& lines, const char* pszSection,
                        const char* pszKey, long& nSection);

    std::string m_strPath;
};
