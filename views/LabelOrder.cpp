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

namespace {

// The locale's sort key of a label, in one call for all but the longest keys.
std::string SortKeyOf(const std::wstring& w, std::string& buffer) {
    if (w.empty()) return std::string();
    const DWORD dwFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int nLength = static_cast<int>(w.size());
    buffer.resize(w.size() * 8 + 16);
    int n = ::LCMapStringW(LOCALE_USER_DEFAULT, dwFlags, w.data(), nLength,
                           reinterpret_cast<LPWSTR>(&buffer[0]), static_cast<int>(buffer.size()));
    if (n <= 0) {
        n = ::LCMapStringW(LOCALE_USER_DEFAULT, dwFlags, w.data(), nLength, nullptr, 0);
        if (n <= 0) return std::string();
        buffer.resize(static_cast<size_t>(n));
        n = ::LCMapStringW(LOCALE_USER_DEFAULT, dwFlags, w.data(), nLength,
                           reinterpret_cast<LPWSTR>(&buffer[0]), n);
        if (n <= 0) return std::string();
    }
    return buffer.substr(0, static_cast<size_t>(n));
}

}  // namespace

std::vector<std::wstring> LabelSortKeys(const CItemTable& table, int nFirstIndex,
                                        const CPlacedTitles* pPlaced) {
    std::vector<std::wstring> keys(static_cast<size_t>(table.GetSize()));
    for (int i = std::max(0, nFirstIndex); i < table.GetSize(); ++i) {
        const CUrlItem& item = *table[i];
        keys[static_cast<size_t>(i)] =
            LabelSortKey(pPlaced ? pPlaced->SortTitle(item.m_ID, item.m_Title) : item.m_Title);
    }
    return keys;
}

std::vector<int> LabelSortRanks(const std::vector<std::wstring>& keys, int nFirstIndex) {
    const size_t nFirst = std::min(static_cast<size_t>(std::max(0, nFirstIndex)), keys.size());
    std::vector<std::string> sortKeys(keys.size());
    std::string buffer;
    for (size_t i = nFirst; i < keys.size(); ++i) sortKeys[i] = SortKeyOf(keys[i], buffer);
    // Sort keys compare as unsigned bytes, which std::string's compare does.
    std::vector<size_t> order(keys.size() - nFirst);
    std::iota(order.begin(), order.end(), nFirst);
    std::sort(order.begin(), order.end(), [&sortKeys](size_t a, size_t b) {
        const int nOrder = sortKeys[a].compare(sortKeys[b]);
        return nOrder != 0 ? nOrder < 0 : a < b;
    });
    // Each pair of neighbours in that order, through the comparison itself:
    // labels it finds equal share a rank (their sort keys may differ), and a
    // pair it finds out of order leaves no ranks at all.
    std::vector<int> ranks(keys.size());
    int nRank = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        if (k > 0) {
            const int nOrder = CompareLabelKeys(keys[order[k - 1]], keys[order[k]]);
            if (nOrder > 0) return std::vector<int>();
            if (nOrder < 0) ++nRank;
        }
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
