// A byte string in the style the program's code expects: narrow multibyte text
// in the active ANSI code page. Searches, replacements and case-insensitive
// comparisons treat a double-byte character as one unit (see CodePage.h);
// lengths and positions count bytes.
#pragma once

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
    CString(const std::string& str) : m_str(str) {}
    CString(std::string&& str) : m_str(std::move(str)) {}
    CString(char ch, int nRepeat) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}

    // Attributes
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int nIndex) const { return m_str[nIndex]; }
    char operator[](int nIndex) const { return m_str[nIndex]; }
    void SetAt(int nIndex, char ch) { m_str[nIndex] = ch; }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }
    std::string& str() { return m_str; }

    // Extraction (byte positions, clamped to the string)
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Searching, code-page aware; -1 when not found
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* pszCharSet) const;

    // Changing, code-page aware
    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);
    int Remove(char ch);
    void MakeUpper();
    void MakeLower();
    void TrimLeft();
    void TrimRight();
    void Format(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

    // Comparison: <0, 0, >0. CompareNoCase folds single-byte letters only.
    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    // Buffer access for APIs that fill a character array.
    char* GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

    CString& operator=(const char* psz) {
        m_str = psz ? psz : "";
        return *this;
    }
    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(const char* psz) {
        m_str += psz ? psz : "";
        return *this;
    }
    CString& operator+=(char ch) {
        m_str += ch;
        return *this;
    }

private:
    std::string m_str;
};

inline CString operator+(const CString& a, const CString& b) {
    return CString(a.str() + b.str());
}
inline CString operator+(const CString& a, const char* b) {
    return CString(a.str() + (b ? b : ""));
}
inline CString operator+(const char* a, const CString& b) {
    return CString((a ? a : "") + b.str());
}
inline CString operator+(const CString& a, char b) {
    return CString(a.str() + b);
}
inline bool operator==(const CString& a, const CString& b) {
    return a.str() == b.str();
}
inline bool operator==(const CString& a, const char* b) {
    return a.str() == (b ? b : "");
}
inline bool operator==(const char* a, const CString& b) {
    return b == a;
}
inline bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
inline bool operator!=(const CString& a, const char* b) {
    return !(a == b);
}
inline bool operator!=(const char* a, const CString& b) {
    return !(b == a);
}
inline bool operator<(const CString& a, const CString& b) {
    return a.str() < b.str();
}
