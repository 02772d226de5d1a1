#include "fw/win/CTreeView.h"

BOOL CTreeView::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.lpszClass = WC_TREEVIEWA;
    return CView::PreCreateWindow(cs);
}
