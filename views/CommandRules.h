// When each bookmark command of the tree view is enabled, and which entries
// the tree's context menu loses, as functions of the document's state.
#pragma once

#include <vector>

#include "fw/base/AfxTypes.h"

class COrdelinkDoc;

struct CommandState {
    bool bEmpty = true;            // the document holds no records
    bool bRecordSelected = false;  // a record (not the ROOT, not nothing) is selected
    bool bSelectedIsURL = false;   // ... and it is a URL record
    bool bBrowserIsIE = false;
    // A drag in the tree holds nodes until the button's release: the
    // commands that change the tree wait for its end.
    bool bDragging = false;

    static CommandState Of(const COrdelinkDoc& doc, bool bBrowserIsIE, bool bDragging = false);
};

// Whether the tree view's command nID is enabled; FALSE for commands it does
// not handle.
bool IsTreeCommandEnabled(UINT nID, const CommandState& state);
bool IsTreeCommand(UINT nID);

// Positions to remove from the context menu (Add submenu, Delete, Excute), in
// the order to remove them.
std::vector<int> ContextMenuRemovals(const CommandState& state);
