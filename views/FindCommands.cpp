// The tree view's half of find as you type: the search over the records in
// the order the tree shows them, and the selection of a match. The find bar
// (views/CFindBar.h) passes the text and shows what comes back.
#include <cstring>
#include <unordered_map>

#include "find/TreeOrder.h"
#include "fw/base/AfxHooks.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "check/CLinkMarks.h"
#include "views/CLinkCheckCommands.h"
#include "views/CTreeVw.h"
#include "views/LabelOrder.h"

const std::vector<int>& CTreeVw::NodeOrder() {
    if (m_bNodeOrderValid) return m_NodeOrder;
    // Labels are converted once; siblings compare as the tree sorts them,
    // a node relabelled in place by the title that placed it.
    const CItemTable& table = GetDocument()->m_PtrAry;
    std::unordered_map<const CUrlItem*, std::wstring> keys;
    keys.reserve(static_cast<size_t>(table.GetSize()));
    for (int i = 0; i < table.GetSize(); ++i)
        keys[table[i]] = LabelSortKey(m_PlacedTitles.SortTitle(table[i]->m_ID, table[i]->m_Title));
    m_NodeOrder = m_hRootNode ? TreeOrderIDs(table,
                                             [&keys](const CUrlItem& a, const CUrlItem& b) {
                                                 return CompareLabelKeys(keys[&a], keys[&b]) < 0;
                                             })
                              : std::vector<int>();
    m_bNodeOrderValid = true;
    return m_NodeOrder;
}

void CTreeVw::PrepareFind() {
    m_FindIndex.Prepare(GetDocument()->m_PtrAry);
    NodeOrder();
}

HTREEITEM CTreeVw::NodeOfID(int nID) const {
    const auto it = m_NodeOfID.find(nID);
    return it != m_NodeOfID.end() ? it->second : nullptr;
}

void CTreeVw::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pNM = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    const auto it = m_NodeOfID.find(static_cast<int>(pNM->itemOld.lParam));
    if (it != m_NodeOfID.end() && it->second == pNM->itemOld.hItem) m_NodeOfID.erase(it);
    *pResult = 0;
}

CString CTreeVw::FindStatus(int nMatch) const {
    if (nMatch < 0) return AfxFormatString1(AfxLoadString(IDS_FIND_NOT_FOUND), m_strFindQuery);
    CString strPos, strCount;
    strPos.Format("%d", nMatch + 1);
    strCount.Format("%d", static_cast<int>(m_FindMatches.size()));
    CString strText = AfxLoadString(IDS_FIND_POSITION);
    strText.Replace("%1", strPos);
    strText.Replace("%2", strCount);
    return strText;
}

CString CTreeVw::FindFirst(const CString& strQuery) {
    m_strFindQuery = strQuery;
    m_FindMatches.clear();
    if (strQuery.IsEmpty()) return CString();
    const std::vector<int>& order = NodeOrder();
    m_FindMatches = m_FindIndex.Find(GetDocument()->m_PtrAry, order, strQuery);
    if (m_FindMatches.empty()) return FindStatus(-1);
    SelectID(m_FindMatches.front());
    return FindStatus(0);
}

// The document may have changed since the text was typed: the matches are
// taken again, then the step goes from the selected node.
CString CTreeVw::FindStep(BOOL bForward) {
    if (m_strFindQuery.IsEmpty()) return CString();
    const std::vector<int>& order = NodeOrder();
    m_FindMatches = m_FindIndex.Find(GetDocument()->m_PtrAry, order, m_strFindQuery);
    const int nMatch =
        StepMatch(m_FindMatches, order, GetItemID(GetSelectedItem()), bForward != FALSE);
    if (nMatch < 0) return FindStatus(-1);
    SelectID(m_FindMatches[static_cast<size_t>(nMatch)]);
    return FindStatus(nMatch);
}

void CTreeVw::SetFindHighlight(BOOL bOn) {
    if (m_bFindHighlight == bOn) return;
    m_bFindHighlight = bOn;
    if (m_hWnd) Invalidate();
}

// Custom draw serves three features: the find match drawn as selected while
// the find field has the focus; the selected node in the inactive colours
// while another pane has the focus, so that the user sees which item the form
// and the memo show; and the mark of a broken or failed link.
void CTreeVw::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pDraw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    const CLinkMarks* pMarks = m_pLinkCheck ? &m_pLinkCheck->m_marks : nullptr;
    const bool bMarks = pMarks && !pMarks->IsEmpty();
    const auto hItem = reinterpret_cast<HTREEITEM>(pDraw->nmcd.dwItemSpec);
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        if (hItem == GetSelectedItem()) {
            if (m_bFindHighlight) {
                pDraw->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
                pDraw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
            } else if (::GetFocus() != m_hWnd) {
                pDraw->clrText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
                pDraw->clrTextBk = ::GetSysColor(COLOR_INACTIVECAPTION);
            }
        }
        if (bMarks &&
            pMarks->IsMarked(GetDocument()->m_PtrAry, static_cast<int>(pDraw->nmcd.lItemlParam))) {
            if (!(pDraw->nmcd.uItemState & CDIS_SELECTED)) pDraw->clrText = RGB(192, 0, 0);
            *pResult = CDRF_NOTIFYPOSTPAINT;
        }
    } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPOSTPAINT) {
        // The message reads the item's handle from the rectangle's first bytes.
        RECT rcLabel = {};
        memcpy(&rcLabel, &hItem, sizeof(hItem));
        if (::SendMessageA(m_hWnd, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rcLabel)))
            CLinkCheckCommands::DrawMark(pDraw->nmcd.hdc, rcLabel);
    }
}
