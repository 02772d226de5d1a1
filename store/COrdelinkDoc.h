// The bookmark document: the item table, the current selection's index, the
// values handed from the tree to the form, and the document file.
#pragma once

#include <memory>
#include <vector>

#include "fw/base/CDocument.h"
#include "fw/base/CFile.h"
#include "store/CItemTable.h"

// The document template's seven fields: window title, default name root, type
// name, filter name, filter extension, file type ID, file type description.
extern const char kOrdelinkDocTemplate[];

class CChangeHistory;

class COrdelinkDoc : public CDocument {
public:
    COrdelinkDoc();
    ~COrdelinkDoc() override;

    // Undo and redo of the changes made through it: empty after New and
    // Open (kept by an Open that fails before reading), at the saved point
    // after a successful save.
    CChangeHistory& History() { return *m_pHistory; }

    // Table operations
    void AddNewItem();
    void DeleteAllItems();
    void DeleteItemByID(int nID);
    // Deletes the first record of each ID in one pass; the result equals
    // DeleteItemByID for each in turn.
    void DeleteItemsByID(const std::vector<int>& ids);
    void SetCurIndex(int nIndex) { m_nCurIndex = nIndex; }
    int GetCurIndex() const { return m_nCurIndex; }
    int IndexOfID(int nID) const { return m_PtrAry.IndexOfID(nID); }
    int IsURLOfID(int nID) const;
    int GetFreeID() { return m_PtrAry.GetFreeID(); }
    int SiblingTitleExists(const CString& strTitle, int nIndex) const;
    void SetPending(const CString& strTitle, const CString& strURL);
    void GetPending(CString& strTitle, CString& strURL) const;

    // Document
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    BOOL OnSaveDocument(const char* pszPathName) override;
    // Empties the table and the history, so that a zero-length file opens as
    // an empty document and a failed load leaves no half-read records.
    void DeleteContents() override;

    CItemTable m_PtrAry;
    int m_bEmpty = 1;
    int m_nCurIndex = -1;
    CString m_PendingTitle;
    CString m_PendingURL;
    CFile m_HtmlFile;

private:
    std::unique_ptr<CChangeHistory> m_pHistory;
};
