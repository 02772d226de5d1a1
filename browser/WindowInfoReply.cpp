#include "browser/WindowInfoReply.h"

#include <cstring>

#include "convert/IncomingAddress.h"
#include "fw/base/CodePage.h"

void SplitAt(const CString& strSource, CString& strFirst, CString& strSecond,
             const CString& strSeparator) {
    const std::string& s = strSource.str();
    const std::string& sep = strSeparator.str();
    // Copied first: the outputs may be the source itself.
    const std::string source = s;
    strFirst = source;
    strSecond.Empty();
    if (source.size() <= sep.size()) return;
    const size_t nFound = source.find(sep);
    if (nFound == std::string::npos) return;
    std::string second = source.substr(nFound + sep.size());
    strFirst = source.substr(0, nFound);
    size_t nSkip = 0;
    while (!sep.empty() && second.size() - nSkip >= sep.size() &&
           second.compare(nSkip, sep.size(), sep) == 0)
        nSkip += sep.size();
    strSecond = second.substr(nSkip);
}

int ReplaceAll(CString& strText, const CString& strFind, const CString& strReplacement) {
    const std::string& find = strFind.str();
    const std::string& repl = strReplacement.str();
    if (find.empty()) return 0;
    std::string& s = strText.str();
    int nCount = 0;
    size_t i = 0;
    while (i + find.size() <= s.size()) {
        if (s.compare(i, find.size(), find) == 0) {
            s.replace(i, find.size(), repl);
            ++nCount;
            i += repl.size();
        } else {
            i += codepage::CharLength(&s[i], s.size() - i);
        }
    }
    return nCount;
}

void CleanTitle(CString& strTitle) {
    ReplaceAll(strTitle, "/", "-");
    for (const char* pszGone : {"\\", ":", "*", "?", "\"", "<", ">"})
        ReplaceAll(strTitle, pszGone, "");
    ReplaceAll(strTitle, "|", "-");
}

void CutWindowInfoReply(const CString& strReply, CString& strURL, CString& strTitle) {
    // The reply's outer quotes: its last character, then its first.
    CString strInner = strReply;
    strInner = strInner.Left(strInner.GetLength() - 1);
    strInner = strInner.Mid(1);
    SplitAt(strInner, strURL, strTitle, "\",\"");
    strURL = WithoutLineBreaks(strURL);
    CleanTitle(strTitle);
}
