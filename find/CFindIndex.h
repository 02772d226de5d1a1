// Find as you type: the records whose title, URL or memo holds the text typed,
// compared without regard to letter case, width or kana type
// (fw/base/SearchFold.h) and aware of double-byte characters.
//
// The index keeps each record's folded text and folds a record again only when
// its text has changed, so it needs no notice of edits: every Find checks the
// table against what it holds. Keep one index for the life of the document
// and Clear it when another document is loaded.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "fw/base/CString.h"
#include "store/CItemTable.h"

class CFindIndex {
public:
    // IDs of the matching records, in the order of orderIDs: the IDs the tree
    // shows, from the top (TreeOrderIDs gives the document's own order; the
    // tree view may pass the order of its nodes). An ID stands for the first
    // record with that ID; records not in orderIDs are never found. An empty
    // query, or one that folds to nothing, finds nothing.
    std::vector<int> Find(const CItemTable& table, const std::vector<int>& orderIDs,
                          const CString& strQuery);

    // Folds every record not yet folded, so that the first search is as quick
    // as the others (for example in idle time after a document is loaded).
    void Prepare(const CItemTable& table) { Sync(table); }

    // Forgets every record (a new document).
    void Clear();

    // Whether the folded text of hay holds the folded needle starting on a
    // character boundary and ending on one.
    static bool Contains(const std::string& hay, const std::string& needle);

private:
    using LeadTable = std::array<bool, 256>;
    static LeadTable ActiveLeadTable();
    static bool EndsInLoneLead(const LeadTable& lead, const std::string& needle);
    static bool Contains(const LeadTable& lead, const std::string& hay, const std::string& needle,
                         bool bLoneLeadAtEnd);

    struct Entry {
        const CUrlItem* pItem = nullptr;
        // The record's text when it was folded, to notice changes.
        std::string title, url, memo;
        // Folded title, URL and memo, separated by NUL bytes.
        std::string folded;
    };

    void Sync(const CItemTable& table);
    static void Refresh(Entry& entry);
    void SyncOrder(const CItemTable& table, const std::vector<int>& orderIDs);

    // One entry per table index.
    std::vector<Entry> m_entries;
    // The order last given, and each table index's position in it (-1: not shown).
    std::vector<int> m_orderIDs;
    std::vector<int> m_rank;
    bool m_bRankValid = false;
};
