// The document half of the document/view machinery: file name, title, the
// modified flag, and New / Open / Save with the framework's error reports.
// Saving always goes through a temporary file in the target's folder that
// replaces the target only once it is completely written and flushed.
#pragma once

#include "fw/base/CArchive.h"
#include "fw/base/CString.h"

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Attributes
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const CString& strTitle) { m_strTitle = strTitle; }
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the path and takes the title from its file name.
    virtual void SetPathName(const CString& strPathName);
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Overridables
    virtual void Serialize(CArchive& ar) = 0;
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    // FALSE when the document could not be read (already reported). When the
    // failure came after reading began, IsModified() is TRUE: the contents are
    // gone and the caller starts a new document.
    virtual BOOL OnOpenDocument(const char* pszPathName);
    // FALSE when saving failed (already reported); the old file is untouched.
    virtual BOOL OnSaveDocument(const char* pszPathName);
    // Tells the user why loading or saving failed.
    virtual void ReportSaveLoadException(const char* pszPathName, const CException* e, BOOL bSaving,
                                         const CString& strDefault);

private:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
};
