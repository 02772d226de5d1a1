// Any bytes as a browser's Bookmarks file: either refused whole, or a list
// whose every entry lies in a folder listed before it, imported into exactly
// that many records.
#include <cstdint>
#include <string>

#include "convert/BrowserBookmarkFile.h"
#include "convert/ImportFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CBrowserBookmarkFile file;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto& entries = file.GetEntries();
    if (file.Parse(bytes) != CBrowserBookmarkFile::Status::Ok) {
        if (!entries.empty() || file.GetError().empty()) __builtin_trap();
        return 0;
    }
    int nLinks = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const int nParent = entries[i].nParent;
        if (nParent >= static_cast<int>(i) || (nParent >= 0 && !entries[nParent].bFolder))
            __builtin_trap();
        if (!entries[i].bFolder) ++nLinks;
    }
    if (nLinks != file.GetLinkCount()) __builtin_trap();
    COrdelinkDoc doc;
    doc.OnNewDocument();
    const int nFolder = AddImportFolder(doc, "x");
    ImportBrowserBookmarks(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID);
    if (doc.m_PtrAry.GetSize() != nFolder + 1 + static_cast<int>(entries.size())) __builtin_trap();
    return 0;
}
