#include "find/CPlacedTitles.h"

void CPlacedTitles::Relabelled(int nID, const CString& strOld, const CString& strNew) {
    const CString placed = SortTitle(nID, strOld);
    if (placed.str() == strNew.str())
        m_entries.erase(nID);  // back to the label it was placed by
    else
        m_entries[nID] = Entry{strNew, placed};
}

// An entry counts only while the node shows the label it was given: a record
// that later takes the same ID (after a delete) is ordered by its own title.
const CString& CPlacedTitles::SortTitle(int nID, const CString& strTitle) const {
    if (m_entries.empty()) return strTitle;
    const auto it = m_entries.find(nID);
    return it != m_entries.end() && it->second.shown.str() == strTitle.str() ? it->second.placed
                                                                             : strTitle;
}
