#include "convert/FavoritesImport.h"

#include "convert/ImportFolder.h"
#include "convert/UrlFile.h"
#include "fw/base/AfxMessages.h"

namespace {

// Directories the browser keeps for itself, skipped at every depth.
bool IsSkippedDirectory(const CString& strName) {
    static const CString channels = afxmsg::FromUtf8("チャンネル");
    static const CString updates = afxmsg::FromUtf8("ソフトウェアの更新");
    return strName.CompareNoCase(channels) == 0 || strName.CompareNoCase(updates) == 0;
}

bool HasShortcutEnding(const std::string& strName) {
    if (strName.size() < 4) return false;
    return CString(strName.substr(strName.size() - 4)).CompareNoCase(".URL") == 0;
}

int ImportLevel(COrdelinkDoc& doc, const std::string& strDir, ImportNode parent, int nParentID,
                CImportObserver* pObserver, std::vector<diskdir::DirId>& path) {
    FavoritesScan scan;
    if (!ScanFavoritesFolder(strDir, scan)) return 0;
    int nResult = 1;
    for (size_t i = 0; i < scan.titles.size(); ++i) {
        const int nIndex = AppendImportedRecord(doc, nParentID, scan.titles[i], true, scan.urls[i]);
        if (pObserver) pObserver->OnRecordAdded(parent, *doc.m_PtrAry[nIndex], nIndex);
    }
    for (size_t i = 0; i < scan.folderNames.size(); ++i) {
        const int nIndex = AppendImportedRecord(doc, nParentID, scan.folderNames[i], false, "");
        const CUrlItem& item = *doc.m_PtrAry[nIndex];
        ImportNode node = pObserver ? pObserver->OnRecordAdded(parent, item, nIndex) : nullptr;
        const std::string strSub = diskdir::Join(strDir, scan.folderDiskNames[i]);
        diskdir::DirId id;
        const bool bKnown = diskdir::GetDirId(strSub, id);
        if (bKnown) {
            bool bOnPath = false;
            for (const diskdir::DirId& above : path) bOnPath = bOnPath || above == id;
            if (bOnPath) continue;
            path.push_back(id);
        }
        if (!ImportLevel(doc, strSub, node, item.m_ID, pObserver, path)) nResult = 0;
        if (bKnown) path.pop_back();
    }
    return nResult;
}

}  // namespace

int ScanFavoritesFolder(const std::string& strDir, FavoritesScan& scan) {
    scan = FavoritesScan();
    std::vector<diskdir::Entry> entries;
    if (!diskdir::List(strDir, entries)) return 0;
    for (const diskdir::Entry& e : entries) {
        if (e.bDirectory) {
            const CString strName = diskdir::NameFromDisk(e.strName);
            if (IsSkippedDirectory(strName)) continue;
            scan.folderNames.push_back(strName);
            scan.folderDiskNames.push_back(e.strName);
        } else if (HasShortcutEnding(e.strName)) {
            const CString strName = diskdir::NameFromDisk(e.strName);
            const int nDot = strName.ReverseFind('.');
            scan.titles.push_back(nDot >= 0 ? strName.Left(nDot) : strName);
            scan.urls.push_back(ReadUrlFile(diskdir::Join(strDir, e.strName)));
        }
    }
    return 1;
}

int ImportFavoritesFolder(COrdelinkDoc& doc, const std::string& strDir, ImportNode parent,
                          int nParentID, CImportObserver* pObserver) {
    std::vector<diskdir::DirId> path;
    diskdir::DirId id;
    if (diskdir::GetDirId(strDir, id)) path.push_back(id);
    return ImportLevel(doc, strDir, parent, nParentID, pObserver, path);
}
