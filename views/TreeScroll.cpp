#include "views/TreeScroll.h"

void ShowNodeFromLeftEdge(HWND hTree, HTREEITEM hNode) {
    TreeView_EnsureVisible(hTree, hNode);
    const int nScrolled = ::GetScrollPos(hTree, SB_HORZ);
    if (nScrolled <= 0) return;
    RECT rcLabel, rcClient;
    if (!TreeView_GetItemRect(hTree, hNode, &rcLabel, TRUE)) return;
    ::GetClientRect(hTree, &rcClient);
    // The label's place with no sideways scroll.
    if (rcLabel.right + nScrolled > rcClient.right) return;
    ::SendMessageA(hTree, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
}
