// Fills the tree control with the records shown below one of its nodes, in
// one pass and in the order CTreeLayout gives, so that the control never has
// to look far for an item handle; then expands the nodes that got children,
// the deepest first, so that a node is expanded while nothing above it shows
// and the control has nothing to lay out until the end. The caller turns the
// control's redrawing off around it. These messages go straight to the
// control's own window procedure: through the window's subclass chain each
// would cost several property lookups, which Wine answers from its server.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "store/CItemTable.h"

class CPlacedTitles;
class CStatusProgress;

class CTreeBuilder {
public:
    // Siblings are ordered by the titles pPlaced places them by (their own
    // titles when it is null).
    CTreeBuilder(HWND hTree, const CItemTable& table, const CPlacedTitles* pPlaced = nullptr);

    // Inserts under hTop, the node of the record nTopID (0: the ROOT), every
    // record shown below it among those at table index nFirstIndex or later
    // (text: the title; images: folder or URL; item data: the ID), stepping
    // pProgress once a node, then expands each node with children whose ID
    // bExpand accepts (all when empty), hTop included. onInserted hears of
    // every node made. Returns the number of nodes inserted.
    int Build(HTREEITEM hTop, int nTopID, int nFirstIndex,
              const std::function<bool(int nID)>& bExpand, CStatusProgress* pProgress,
              const std::function<void(int nID, HTREEITEM hNode)>& onInserted = nullptr);

private:
    // The item's title goes in as pWideTitle when given (its UTF-16 form).
    HTREEITEM Insert(const CUrlItem& item, const std::wstring* pWideTitle, HTREEITEM hParent,
                     HTREEITEM hAfter) const;

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND m_hTree;
    WNDPROC m_pfnTreeProc;
    const CItemTable& m_table;
    const CPlacedTitles* m_pPlaced;
};
