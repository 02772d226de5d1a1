// Favorites import: a directory tree of internet-shortcut files read into the
// document, one folder record per directory and one URL record per shortcut.
#pragma once

#include <string>
#include <vector>

#include "convert/DiskDir.h"
#include "convert/ImportObserver.h"
#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

// One directory level, listed completely before any record is made.
struct FavoritesScan {
    std::vector<CString> folderNames;          // in the document's code page
    std::vector<std::string> folderDiskNames;  // the same, as on disk
    std::vector<CString> titles;               // shortcut file names without extension
    std::vector<CString> urls;                 // what ReadUrlFile found in each
};

// Lists the directory strDir (a path on disk). Returns 1 when it was read to
// its end, 0 when it could not be listed (scan is then empty).
int ScanFavoritesFolder(const std::string& strDir, FavoritesScan& scan);

// Imports the directory strDir under the folder nParentID (view node parent):
// first a URL record for each shortcut, then for each sub-directory a folder
// record followed at once by everything beneath it. A directory that the walk
// has already entered on its way down (a link back to an ancestor) becomes an
// empty folder. Returns 1 when every level was read, 0 when some could not be
// (their folders stay, empty; the walk goes on).
int ImportFavoritesFolder(COrdelinkDoc& doc, const std::string& strDir, ImportNode parent,
                          int nParentID, CImportObserver* pObserver = nullptr);
