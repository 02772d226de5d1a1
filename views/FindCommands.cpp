// The tree view's half of find as you type: the search over the records in
// the order the tree shows them, and the selection of a match. The find bar
// (views/CFindBar.h) passes the text and shows what comes back.
#include "find/TreeOrder.h"
#include "fw/base/AfxHooks.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "views/CTreeVw.h"

// A pre-order walk of the control: the order the user sees, collapsed
// folders' contents included.
const std::vector<int>& CTreeVw::NodeOrder() {
    if (m_bNodeOrderValid) return m_NodeOrder;
    m_NodeOrder.clear();
    for (HTREEITEM h = m_hRootNode ? GetChildItem(m_hRootNode) : nullptr; h;) {
        m_NodeOrder.push_back(GetItemID(h));
        HTREEITEM hNext = GetChildItem(h);
        for (HTREEITEM hUp = h; !hNext && hUp && hUp != m_hRootNode; hUp = GetParentItem(hUp))
            hNext = GetNextSiblingItem(hUp);
        h = hNext;
    }
    m_bNodeOrderValid = true;
    return m_NodeOrder;
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

void CTreeVw::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* pDraw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (!m_bFindHighlight) return;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
               reinterpret_cast<HTREEITEM>(pDraw->nmcd.dwItemSpec) == GetSelectedItem()) {
        pDraw->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        pDraw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
    }
}
