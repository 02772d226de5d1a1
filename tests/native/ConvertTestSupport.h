// Helpers for the conversion tests: documents built from outlines, and
// outlines read back from documents.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "cli/CliSupport.h"
#include "fw/base/LegacyText.h"
#include "convert/ImportObserver.h"
#include "store/COrdelinkDoc.h"
#include "tests/native/TestSupport.h"

// The bytes of a file written in the legacy code page, as UTF-8.
inline std::string LegacyToUtf8(const std::string& bytes) {
    return legacy::ToUtf8(legacy::FromLegacy(bytes));
}

// The records under parent nID as an indented outline in UTF-8, one line per
// record: "+ title" for a folder, "- title | url" for a URL. In table order,
// or sorted by line when bSorted (for imports whose order follows the disk).
inline std::string Outline(const COrdelinkDoc& doc, int nID, bool bSorted = false, int nDepth = 0) {
    std::vector<std::string> parts;
    const CItemTable& t = doc.m_PtrAry;
    for (int i = 0; i < t.GetSize(); ++i) {
        const CUrlItem* p = t[i];
        if (p->m_ParentID != nID || static_cast<int>(p->m_ID) == nID) continue;
        std::string line(nDepth * 2, ' ');
        if (p->m_IsURL)
            line += "- " + ToUtf8(p->m_Title) + " | " + ToUtf8(p->m_URL) + "\n";
        else
            line += "+ " + ToUtf8(p->m_Title) + "\n" + Outline(doc, p->m_ID, bSorted, nDepth + 1);
        parts.push_back(line);
    }
    if (bSorted) std::sort(parts.begin(), parts.end());
    std::string out;
    for (const std::string& s : parts) out += s;
    return out;
}

// Records every report of an importer; the node handle of a record is its
// position in the list, plus one (0 is the import folder).
class RecordingObserver : public CImportObserver {
public:
    struct Report {
        size_t nParentNode;
        int nIndex;
        int nID;
        int nParentID;
    };
    ImportNode OnRecordAdded(ImportNode parent, const CUrlItem& item, int nIndex) override {
        reports.push_back({reinterpret_cast<size_t>(parent), nIndex, item.m_ID, item.m_ParentID});
        return reinterpret_cast<ImportNode>(reports.size());
    }
    std::vector<Report> reports;
};

// Checks what a view relies on: every record was reported once, in creation
// order, under the node of the record whose ID is its parent.
inline void ExpectReportsMatch(const COrdelinkDoc& doc, const RecordingObserver& obs,
                               int nFirstIndex, int nFolderID) {
    const int nCreated = doc.m_PtrAry.GetSize() - nFirstIndex;
    ASSERT_EQ(obs.reports.size(), static_cast<size_t>(nCreated));
    std::map<int, size_t> nodeOfID{{nFolderID, 0}};
    for (size_t k = 0; k < obs.reports.size(); ++k) {
        const auto& r = obs.reports[k];
        EXPECT_EQ(r.nIndex, nFirstIndex + static_cast<int>(k));
        EXPECT_EQ(r.nID, static_cast<int>(doc.m_PtrAry[r.nIndex]->m_ID));
        ASSERT_TRUE(nodeOfID.count(r.nParentID)) << "parent reported after its child";
        EXPECT_EQ(r.nParentNode, nodeOfID[r.nParentID]);
        nodeOfID[r.nID] = k + 1;
    }
}

// The importers' order from table index nFirst on, under the import folder
// nFolderID: under each folder its URL records first, then each folder
// followed at once by all it holds.
inline void ExpectImportOrder(const COrdelinkDoc& doc, int nFirst, int nFolderID) {
    const CItemTable& t = doc.m_PtrAry;
    std::map<int, bool> folderSeen;    // parent ID -> a folder child came already
    std::vector<int> open{nFolderID};  // the folders whose blocks are open
    for (int i = nFirst; i < t.GetSize(); ++i) {
        const CUrlItem* p = t[i];
        while (!open.empty() && open.back() != p->m_ParentID) open.pop_back();
        if (open.empty()) {
            ADD_FAILURE() << "record " << i << " outside its folder's block";
            return;
        }
        if (p->m_IsURL) {
            EXPECT_FALSE(folderSeen[p->m_ParentID]) << "record " << i << " after a folder";
        } else {
            folderSeen[p->m_ParentID] = true;
            open.push_back(p->m_ID);
        }
    }
}
