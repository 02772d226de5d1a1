#include "views/LabelOrder.h"

#include <algorithm>
#include <numeric>

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

std::vector<int> LabelSortRanks(const std::vector<std::wstring>& keys, int nFirstIndex) {
    const size_t nFirst = static_cast<size_t>(std::max(0, nFirstIndex));
    std::vector<std::string> sortKeys(keys.size());
    for (size_t i = nFirst; i < keys.size(); ++i) {
        const std::wstring& w = keys[i];
        if (w.empty()) continue;
        const int n = ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, w.data(),
                                     static_cast<int>(w.size()), nullptr, 0);
        if (n <= 0) continue;
        std::string& key = sortKeys[i];
        key.resize(static_cast<size_t>(n));
        ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, w.data(),
                       static_cast<int>(w.size()), reinterpret_cast<LPWSTR>(&key[0]), n);
    }
    // Sort keys compare as unsigned bytes, which std::string's compare does.
    std::vector<size_t> order(keys.size() - std::min(nFirst, keys.size()));
    std::iota(order.begin(), order.end(), nFirst);
    std::sort(order.begin(), order.end(),
              [&sortKeys](size_t a, size_t b) { return sortKeys[a] < sortKeys[b]; });
    std::vector<int> ranks(keys.size());
    int nRank = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        if (k > 0 && sortKeys[order[k]] != sortKeys[order[k - 1]]) ++nRank;
        ranks[order[k]] = nRank;
    }
    return ranks;
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
