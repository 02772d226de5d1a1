// Any bytes as a bookmark file: one record per entry, parents before their
// children, nesting within the guard; and what was read, written out by our
// export and read again, comes back the same.
#include <cstdint>
#include <set>
#include <string>

#include "convert/BookmarkExport.h"
#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"

namespace {

// Every record below folder nFolderID as path, kind, title, address and
// memo: the same set whatever order siblings come in.
std::multiset<std::string> Records(const COrdelinkDoc& doc, int nFolderID) {
    std::multiset<std::string> out;
    const CItemTable& t = doc.m_PtrAry;
    for (int i = 0; i < t.GetSize(); ++i) {
        std::string path;
        const CUrlItem* p = t.FindID(t[i]->m_ParentID);
        for (; p && static_cast<int>(p->m_ID) != nFolderID; p = t.FindID(p->m_ParentID))
            path = p->m_Title.str() + "/" + path;
        if (!p) continue;
        out.insert(path + (t[i]->m_IsURL ? "|L|" : "|F|") + t[i]->m_Title.str() + "|" +
                   t[i]->m_URL.str() + "|" + t[i]->m_Memo.str());
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CBookmarkFile file;
    file.SetText(std::string(reinterpret_cast<const char*>(data), size));
    const auto& entries = file.GetEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const int p = entries[i].nParent;
        if (p >= static_cast<int>(i) || (p >= 0 && !entries[p].bFolder)) __builtin_trap();
        if (entries[i].nDepth > kBookmarkMaxDepth) __builtin_trap();
    }

    COrdelinkDoc doc;
    const int nFolder = AddImportFolder(doc, "B");
    const int nResult = ImportBookmarkTree(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID);
    if (doc.m_PtrAry.GetSize() != static_cast<int>(entries.size()) + 1) __builtin_trap();
    if ((nResult == 1) != file.KeptNesting()) __builtin_trap();

    BookmarkExportOptions options;
    std::string text;
    if (!MakeBookmarkFile(doc.m_PtrAry, options, text)) __builtin_trap();
    CBookmarkFile again;
    again.SetText(text);
    COrdelinkDoc back;
    const int nBack = AddImportFolder(back, "B");
    if (ImportBookmarkTree(back, again, nullptr, back.m_PtrAry[nBack]->m_ID) != 1) __builtin_trap();
    // The export holds the import folder itself as the one top folder.
    const CUrlItem* pTop = back.m_PtrAry.GetSize() > 1 ? back.m_PtrAry[nBack + 1] : nullptr;
    if (!pTop || static_cast<int>(pTop->m_ParentID) != back.m_PtrAry[nBack]->m_ID) __builtin_trap();
    if (Records(back, pTop->m_ID) != Records(doc, doc.m_PtrAry[nFolder]->m_ID)) __builtin_trap();
    return 0;
}
