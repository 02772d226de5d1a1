// A view that is a tree-view common control ("SysTreeView32").
#pragma once

#include "fw/win/CView.h"

class CTreeView : public CView {
public:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The control is the view's own window.
    CWnd& GetTreeCtrl() { return *this; }
};
