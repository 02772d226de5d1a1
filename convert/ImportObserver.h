// What an importer tells the view about each record it creates, in creation
// order, so that the view can insert the record's node at once instead of
// reading the table again afterwards.
#pragma once

class CUrlItem;

// A view's handle for a node (a tree item); importers only pass it back.
using ImportNode = void*;

class CImportObserver {
public:
    virtual ~CImportObserver() = default;

    // pItem has just been appended at nIndex and filled; parent is the handle
    // of the folder it was put under. Returns the handle of the new node, which
    // the importer passes as parent for the record's own children.
    virtual ImportNode OnRecordAdded(ImportNode parent, const CUrlItem& item, int nIndex) = 0;
};
