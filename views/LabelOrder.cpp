#include "views/LabelOrder.h"

#include "find/CPlacedTitles.h"

std::wstring LabelSortKey(const CString& strLabel) {
    const std::string& s = strLabel.str();
    if (s.empty()) return std::wstring();
    const int n =
        ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::vector<std::wstring> LabelSortKeys(const CItemTable& table, int nFirstIndex,
                                        const CPlacedTitles* pPlaced) {
    std::vector<std::wstring> keys(static_cast<size_t>(table.GetSize()));
    for (int i = nFirstIndex < 0 ? 0 : nFirstIndex; i < table.GetSize(); ++i)
        keys[static_cast<size_t>(i)] = LabelSortKey(
            pPlaced ? pPlaced->SortTitle(table[i]->m_ID, table[i]->m_Title) : table[i]->m_Title);
    return keys;
}

// What CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, ...) answers, on
// text converted once instead of at every comparison of a sort.
int CompareLabelKeys(const std::wstring& a, const std::wstring& b) {
    const int n =
        ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                         b.data(), static_cast<int>(b.size()));
    if (n == 0) return a.compare(b);  // not comparable by the locale: code units
    return n - CSTR_EQUAL;
}
