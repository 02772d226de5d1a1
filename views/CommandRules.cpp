#include "views/CommandRules.h"

#include "res/resource.h"
#include "store/COrdelinkDoc.h"

CommandState CommandState::Of(const COrdelinkDoc& doc, bool bBrowserIsIE, bool bDragging) {
    CommandState s;
    s.bEmpty = doc.m_bEmpty != 0;
    const int nIndex = doc.GetCurIndex();
    s.bRecordSelected = !s.bEmpty && nIndex >= 0 && nIndex < doc.m_PtrAry.GetSize();
    s.bSelectedIsURL = s.bRecordSelected && doc.m_PtrAry[nIndex]->m_IsURL != 0;
    s.bBrowserIsIE = bBrowserIsIE;
    s.bDragging = bDragging;
    return s;
}

bool IsTreeCommand(UINT nID) {
    switch (nID) {
        case ID_SETTING:
        case ID_ADD_URL:
        case ID_ADD_FOLDER:
        case ID_EXECUTE:
        case ID_DELETE:
        case ID_CONVERT_FAV_TO_FILE:
        case ID_CONVERT_FILE_TO_FAV:
        case ID_GETURL:
        case ID_CLIPBOARD_LINK:
        case ID_CREATE_LINK_HTML:
        case ID_READ_BOOKMARK:
        case ID_EXPORT_BOOKMARK_FILE:
            return true;
        default:
            return false;
    }
}

bool IsTreeCommandEnabled(UINT nID, const CommandState& s) {
    switch (nID) {
        case ID_ADD_URL:
        case ID_ADD_FOLDER:
        case ID_GETURL:
        case ID_DELETE:
        case ID_CONVERT_FAV_TO_FILE:
        case ID_READ_BOOKMARK:
            if (s.bDragging) return false;
            break;
        default:
            break;
    }
    switch (nID) {
        case ID_SETTING:
        case ID_CONVERT_FAV_TO_FILE:
            return true;
        case ID_ADD_URL:
        case ID_ADD_FOLDER:
        case ID_GETURL:
            // Not under a URL record.
            return s.bEmpty || !s.bRecordSelected || !s.bSelectedIsURL;
        case ID_EXECUTE:
        case ID_CLIPBOARD_LINK:
            return !s.bEmpty && s.bRecordSelected && s.bSelectedIsURL;
        case ID_DELETE:
        case ID_CREATE_LINK_HTML:
        case ID_EXPORT_BOOKMARK_FILE:
            return !s.bEmpty;
        case ID_CONVERT_FILE_TO_FAV:
            return s.bBrowserIsIE && !s.bEmpty;
        case ID_READ_BOOKMARK:
            return s.bBrowserIsIE;
        default:
            return false;
    }
}

std::vector<int> ContextMenuRemovals(const CommandState& s) {
    if (s.bEmpty) return {1, 1};         // Delete, then Excute moved up: Add alone
    if (!s.bRecordSelected) return {2};  // ROOT or nothing: Add, Delete
    if (s.bSelectedIsURL) return {0};    // URL: Delete, Excute
    return {2};                          // folder: Add, Delete
}
