// Bringing a tree node into view without leaving the tree scrolled sideways.
#pragma once

#include <windows.h>

#include <commctrl.h>

// Scrolls the node into view as the control does, then back to the left
// edge when the node's label fits there whole, so that the ROOT and the
// folders' indentation stay in sight after a long-titled node was shown.
// A label too long for the pane keeps the control's sideways scroll.
void ShowNodeFromLeftEdge(HWND hTree, HTREEITEM hNode);
