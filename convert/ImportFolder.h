// The pieces every importer shares: the dated folder an import goes into and
// the way one imported record is appended and filled.
#pragma once

#include "convert/ImportObserver.h"
#include "fw/base/CString.h"
#include "fw/base/CTime.h"
#include "store/COrdelinkDoc.h"

enum class ImportKind { Favorites, Bookmark };

// "お気に入り (%y年%m月%d日 %H時%M分%S秒)" or "Bookmark (...)" for the given
// time, in the active code page.
CString ImportFolderTitle(ImportKind kind, const CTime& time);

// Appends the folder that receives an import, directly under the ROOT, the way
// a new folder is made for a command: it takes the smallest free ID before it
// is appended. Clears m_bEmpty. Returns its index.
int AddImportFolder(COrdelinkDoc& doc, const CString& strTitle);

// Appends one imported record under the folder nParentID and fills it in the
// order the importers use: the ID is the smallest free one at the moment it is
// filled, with the new record already in the table. Returns its index.
int AppendImportedRecord(COrdelinkDoc& doc, int nParentID, CString strTitle, bool bURL,
                         CString strURL, CString strMemo = CString());
