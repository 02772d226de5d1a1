// Internet-shortcut files (*.URL): finding the address in one, and writing one.
#pragma once

#include <cstddef>
#include <string>

#include "fw/base/CString.h"

// The address given to a record whose shortcut yields none.
extern const char kMissedConversionURL[];

// The longest address taken from a shortcut; a longer one counts as none.
constexpr size_t kMaxShortcutURL = 1 << 20;

// Finds the address in a shortcut's bytes fed piece by piece, keeping no more
// than the address itself: the text up to the first NUL byte is searched for
// the first "URL=", or failing that the first "url=" (case-sensitive,
// anywhere, at character boundaries), and the address is what follows it up
// to the line feed, without one carriage return before the line feed.
class CUrlFileScanner {
public:
    // Feeds the next bytes. Returns false once nothing later can change the
    // result, so the caller may stop reading.
    bool Feed(const char* p, size_t n);
    // The address found, or false when there is none.
    bool GetURL(CString& strURL) const;

private:
    struct Capture {
        bool bFound = false;
        bool bOpen = false;  // still taking bytes up to the line feed
        bool bTooLong = false;
        std::string text;
    };
    void Take(Capture& c, const char* p, size_t n);
    static void Close(Capture& c);

    Capture m_upper;  // after "URL="
    Capture m_lower;  // after "url="
    int m_nUpperMatch = 0;
    int m_nLowerMatch = 0;
    bool m_bTrail = false;  // the next byte ends a double-byte character
    bool m_bDone = false;
};

// The address in the shortcut file at strPath (a name on disk), or the
// placeholder address when the file cannot be read, is no regular file or
// holds none.
CString ReadUrlFile(const std::string& strPath);

// Creates or truncates the shortcut file at strPath and writes
// "[InternetShortcut]" and "URL=" with the address, each line ending in CR LF.
// Returns 1 when the file was written completely, 0 otherwise; an address
// holding CR, LF or NUL is refused before anything is made.
int WriteUrlFile(const std::string& strPath, const CString& strURL);
