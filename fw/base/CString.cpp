#include "fw/base/CString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "fw/base/CodePage.h"

namespace {

int Clamp(int n, int lo, int hi) {
    return std::max(lo, std::min(n, hi));
}

bool IsSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// Calls fn(position) for every character boundary of s.
template <typename Fn>
void ForEachChar(std::string& s, Fn fn) {
    for (size_t i = 0; i < s.size();) {
        size_t n = codepage::CharLength(&s[i], s.size() - i);
        if (n == 1) fn(i);
        i += n;
    }
}

}  // namespace

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    nFirst = Clamp(nFirst, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.substr(nFirst, nCount));
}

CString CString::Left(int nCount) const {
    return CString(m_str.substr(0, Clamp(nCount, 0, GetLength())));
}

CString CString::Right(int nCount) const {
    nCount = Clamp(nCount, 0, GetLength());
    return CString(m_str.substr(m_str.size() - nCount));
}

int CString::Find(char ch, int nStart) const {
    const char sz[2] = {ch, 0};
    return Find(sz, nStart);
}

int CString::Find(const char* pszSub, int nStart) const {
    if (nStart < 0 || nStart > GetLength()) return -1;
    return static_cast<int>(
        codepage::Find(m_str.data(), m_str.size(), pszSub, std::strlen(pszSub), nStart));
}

int CString::ReverseFind(char ch) const {
    return static_cast<int>(codepage::ReverseFind(m_str.data(), m_str.size(), ch));
}

int CString::FindOneOf(const char* pszCharSet) const {
    for (size_t i = 0; i < m_str.size();) {
        size_t n = codepage::CharLength(&m_str[i], m_str.size() - i);
        if (n == 1 && m_str[i] != 0 && std::strchr(pszCharSet, m_str[i]))
            return static_cast<int>(i);
        i += n;
    }
    return -1;
}

int CString::Replace(char chOld, char chNew) {
    int nCount = 0;
    ForEachChar(m_str, [&](size_t i) {
        if (m_str[i] == chOld) {
            m_str[i] = chNew;
            ++nCount;
        }
    });
    return nCount;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
    const size_t nOld = std::strlen(pszOld);
    if (nOld == 0) return 0;
    std::string out;
    int nCount = 0;
    size_t from = 0;
    for (;;) {
        long pos = codepage::Find(m_str.data(), m_str.size(), pszOld, nOld, from);
        if (pos < 0) break;
        out.append(m_str, from, pos - from);
        out += pszNew;
        from = pos + nOld;
        ++nCount;
    }
    if (nCount) {
        out.append(m_str, from, std::string::npos);
        m_str.swap(out);
    }
    return nCount;
}

int CString::Remove(char ch) {
    std::string out;
    out.reserve(m_str.size());
    int nCount = 0;
    for (size_t i = 0; i < m_str.size();) {
        size_t n = codepage::CharLength(&m_str[i], m_str.size() - i);
        if (n == 1 && m_str[i] == ch)
            ++nCount;
        else
            out.append(m_str, i, n);
        i += n;
    }
    m_str.swap(out);
    return nCount;
}

void CString::MakeUpper() {
    ForEachChar(m_str, [&](size_t i) {
        if (m_str[i] >= 'a' && m_str[i] <= 'z') m_str[i] = static_cast<char>(m_str[i] - 'a' + 'A');
    });
}

void CString::MakeLower() {
    ForEachChar(m_str, [&](size_t i) {
        if (m_str[i] >= 'A' && m_str[i] <= 'Z') m_str[i] = static_cast<char>(m_str[i] - 'A' + 'a');
    });
}

void CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i])) ++i;
    m_str.erase(0, i);
}

void CString::TrimRight() {
    // Only whitespace after the last character boundary may go: a trail byte
    // can have the value of a blank in some code pages.
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        size_t n = codepage::CharLength(&m_str[i], m_str.size() - i);
        if (n != 1 || !IsSpace(m_str[i])) keep = i + n;
        i += n;
    }
    m_str.resize(keep);
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
    } else {
        std::string out(static_cast<size_t>(n) + 1, '\0');
        std::vsnprintf(&out[0], out.size(), pszFormat, args);
        out.resize(n);
        m_str.swap(out);
    }
    va_end(args);
}

int CString::Compare(const char* psz) const {
    return codepage::Compare(m_str.data(), m_str.size(), psz, std::strlen(psz));
}

int CString::CompareNoCase(const char* psz) const {
    return codepage::CompareNoCase(m_str.data(), m_str.size(), psz, std::strlen(psz));
}

char* CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength()) m_str.resize(nMinBufLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
    m_str.resize(std::min<size_t>(nNewLength, m_str.size()));
}
