// The bookmark import as the level reader describes it, one plain pass over
// the lines per folder level, recursing into each folder: what the
// single-pass import must agree with. Shared by the tests and the fuzzer.
#pragma once

#include <string>

#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"

inline int ReferenceImport(COrdelinkDoc& doc, const CBookmarkFile& file, int nParentID, int nStart,
                           int64_t& nBudget) {
    BookmarkLevel level;
    ParseBookmarkLevel(file, nStart, level);
    for (size_t i = 0; i < level.linkTitles.size(); ++i) {
        if (nBudget-- <= 0) return 0;
        AppendImportedRecord(doc, nParentID, level.linkTitles[i], true, level.linkURLs[i]);
    }
    for (size_t i = 0; i < level.folderTitles.size(); ++i) {
        if (nBudget-- <= 0) return 0;
        const int n = AppendImportedRecord(doc, nParentID, level.folderTitles[i], false, "");
        if (!ReferenceImport(doc, file, doc.m_PtrAry[n]->m_ID, level.folderLines[i], nBudget))
            return 0;
    }
    return 1;
}

// Every record as one line: ID, parent, kind, title and address.
inline std::string RecordLines(const COrdelinkDoc& doc) {
    std::string s;
    const CItemTable& t = doc.m_PtrAry;
    for (int i = 0; i < t.GetSize(); ++i) {
        s += std::to_string(t[i]->m_ID) + "<" + std::to_string(t[i]->m_ParentID) +
             (t[i]->m_IsURL ? " L " : " F ") + t[i]->m_Title.str() + "|" + t[i]->m_URL.str() + "\n";
    }
    return s;
}
