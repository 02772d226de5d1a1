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
// anywhere, at character boundaries of the legacy code page), and the address
// is what follows it up to the line feed, without one carriage return before
// the line feed. The bytes are in the legacy code page; an address that code
// page cannot hold stands, as Windows writes it, UTF-7 encoded on the
// "URL=" line of a section "[InternetShortcut.W]", which then wins.
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

    void EndLine();

    Capture m_upper;         // after "URL="
    Capture m_lower;         // after "url="
    Capture m_wide;          // after "URL=" at a line start in [InternetShortcut.W]
    std::string m_lineHead;  // the current line's first bytes
    bool m_bInWide = false;  // inside [InternetShortcut.W]
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
// "[InternetShortcut]" and "URL=" with the address in the legacy code page,
// each line ending in CR LF. An address that code page cannot hold is
// followed, as Windows writes it, by "[InternetShortcut.W]" and "URL=" with
// the address in UTF-7. Returns 1 when the file was written completely, 0
// otherwise; an address holding CR, LF or NUL is refused before anything is
// made.
int WriteUrlFile(const std::string& strPath, const CString& strURL);
