// Puts each record an importer creates into the tree control at once, as the
// last child of its parent's node, and remembers which folders received
// children so that each is sorted once when the import is over.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_set>
#include <vector>

#include "convert/ImportObserver.h"

class CTreeImportObserver : public CImportObserver {
public:
    explicit CTreeImportObserver(HWND hTree) : m_hTree(hTree) {}

    ImportNode OnRecordAdded(ImportNode parent, const CUrlItem& item, int nIndex) override;

    // The nodes that received children, in the order they first did.
    const std::vector<HTREEITEM>& TouchedFolders() const { return m_touched; }

private:
    HWND m_hTree;
    std::vector<HTREEITEM> m_touched;
    std::unordered_set<HTREEITEM> m_seen;
};
