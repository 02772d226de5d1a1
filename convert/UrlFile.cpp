#include "convert/UrlFile.h"

#include <cstdio>

#include "fw/base/CFile.h"
#include "fw/base/CodePage.h"
#include "fw/base/LegacyText.h"
#include "fw/base/Platform.h"

const char kMissedConversionURL[] = "http://conversion-missed.invalid/";

namespace {

const char kUpper[] = "URL=";
const char kLower[] = "url=";
constexpr int kMarkLength = 4;
const char kWideSection[] = "[InternetShortcut.W]";
constexpr size_t kWideSectionLength = sizeof kWideSection - 1;
constexpr int kUtf7 = 65000;

}  // namespace

void CUrlFileScanner::Take(Capture& c, const char* p, size_t n) {
    if (!c.bOpen) return;
    if (c.text.size() + n > kMaxShortcutURL + 1) {
        // Keep one byte for the carriage return that may be dropped later.
        c.bTooLong = true;
        c.bOpen = false;
        c.text.clear();
        // Nothing later can help an over-long address after "URL=".
        if (&c == &m_upper) m_bDone = true;
        return;
    }
    c.text.append(p, n);
}

void CUrlFileScanner::Close(Capture& c) {
    if (!c.bOpen) return;
    c.bOpen = false;
    if (!c.text.empty() && c.text.back() == '\r') c.text.pop_back();
}

void CUrlFileScanner::EndLine() {
    std::string head = m_lineHead;
    if (!head.empty() && head.back() == '\r') head.pop_back();
    if (head == kWideSection)
        m_bInWide = true;
    else if (!head.empty() && head[0] == '[')
        m_bInWide = false;
    m_lineHead.clear();
    Close(m_wide);
    // Nothing later changes the result once both forms are known.
    if (m_upper.bFound && !m_upper.bOpen && m_wide.bFound) m_bDone = true;
}

bool CUrlFileScanner::Feed(const char* p, size_t n) {
    for (size_t i = 0; i < n && !m_bDone; ++i) {
        const char c = p[i];
        if (c == '\0') {
            // The text ends at the first NUL byte.
            m_bDone = true;
            break;
        }
        if (c != '\n' && m_lineHead.size() <= kWideSectionLength) {
            m_lineHead += c;
            if (m_bInWide && !m_wide.bFound && m_lineHead == kUpper) {
                m_wide.bFound = m_wide.bOpen = true;
                continue;
            }
        }
        if (c != '\n') Take(m_wide, &c, 1);
        if (m_bTrail) {
            m_bTrail = false;
            Take(m_upper, &c, 1);
            Take(m_lower, &c, 1);
            continue;
        }
        if (codepage::IsLegacyLeadByte(static_cast<unsigned char>(c))) {
            m_bTrail = true;
            m_nUpperMatch = m_nLowerMatch = 0;
            Take(m_upper, &c, 1);
            Take(m_lower, &c, 1);
            continue;
        }
        if (c == '\n') {
            Close(m_upper);
            Close(m_lower);
            EndLine();
        } else {
            Take(m_upper, &c, 1);
            Take(m_lower, &c, 1);
        }
        // The marks have no repeated letters, so a mismatch restarts the match
        // at the current character.
        m_nUpperMatch = c == kUpper[m_nUpperMatch] ? m_nUpperMatch + 1 : (c == kUpper[0] ? 1 : 0);
        m_nLowerMatch = c == kLower[m_nLowerMatch] ? m_nLowerMatch + 1 : (c == kLower[0] ? 1 : 0);
        if (m_nUpperMatch == kMarkLength) {
            m_nUpperMatch = 0;
            if (!m_upper.bFound) {
                m_upper.bFound = m_upper.bOpen = true;
                // "URL=" wins: what "url=" found no longer matters.
                m_lower = Capture();
                m_lower.bFound = true;
            }
        }
        if (m_nLowerMatch == kMarkLength) {
            m_nLowerMatch = 0;
            if (!m_lower.bFound) m_lower.bFound = m_lower.bOpen = true;
        }
    }
    return !m_bDone;
}

bool CUrlFileScanner::GetURL(CString& strURL) const {
    if (m_wide.bFound && !m_wide.bTooLong) {
        std::string text = m_wide.text;
        if (m_wide.bOpen && !text.empty() && text.back() == '\r') text.pop_back();
        strURL = legacy::FromCodePage(text, kUtf7);
        return true;
    }
    const Capture& c = m_upper.bFound ? m_upper : m_lower;
    if (!c.bFound || c.bTooLong || c.text.size() > kMaxShortcutURL) return false;
    // A last line without a line feed keeps its carriage returns.
    strURL = legacy::FromLegacy(c.text);
    return true;
}

CString ReadUrlFile(const std::string& strPath) {
    // Only a regular file: a pipe or a device named like a shortcut would
    // block the reading or never end.
    std::FILE* fp = platform::OpenRegularFileToRead(strPath);
    if (!fp) return kMissedConversionURL;
    CUrlFileScanner scanner;
    char buf[16 * 1024];
    bool bFailed = false;
    for (;;) {
        const size_t n = std::fread(buf, 1, sizeof buf, fp);
        if (n == 0) {
            bFailed = std::ferror(fp) != 0;
            break;
        }
        if (!scanner.Feed(buf, n)) break;
    }
    std::fclose(fp);
    CString strURL;
    if (bFailed || !scanner.GetURL(strURL)) return kMissedConversionURL;
    return strURL;
}

int WriteUrlFile(const std::string& strPath, const CString& strURL) {
    // A line break would start a line of its own (an icon fetched from
    // anywhere, another address), a NUL would end the text: such an address
    // is not written at all.
    if (strURL.str().find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return 0;
    CFile file;
    if (!file.Open(strPath.c_str(), CFile::modeCreate | CFile::modeWrite)) return 0;
    try {
        std::string bytes, utf7;
        std::string text = "[InternetShortcut]\r\nURL=";
        if (legacy::ToLegacy(strURL.str(), bytes)) {
            text += bytes + "\r\n";
        } else {
            legacy::ToCodePage(strURL.str(), kUtf7, utf7);
            text += bytes + "\r\n[InternetShortcut.W]\r\nURL=" + utf7 + "\r\n";
        }
        file.Write(text.data(), static_cast<UINT>(text.size()));
        file.Close();
    } catch (const CException&) {
        file.Abort();
        return 0;
    }
    return 1;
}
