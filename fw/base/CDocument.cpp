#include "fw/base/CDocument.h"

#include <new>

#include "fw/base/AfxHooks.h"
#include "fw/base/AfxMessages.h"
#include "fw/base/CArchiveException.h"
#include "fw/base/FilePath.h"
#include "fw/base/Platform.h"

void CDocument::SetPathName(const CString& strPathName) {
    m_strPathName = strPathName;
    SetTitle(filepath::FileName(strPathName));
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* pszPathName) {
    CFile file;
    CFileException fe;
    if (!file.Open(pszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(pszPathName, &fe, FALSE, afxmsg::FailedToOpenDocument());
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);  // the old contents are gone from here on
    try {
        CWaitCursor wait;
        if (file.GetLength() != 0) {
            CArchive ar(&file, CArchive::load);
            Serialize(ar);
            ar.Close();
        }
        file.Close();
    } catch (const CException& e) {
        file.Abort();
        DeleteContents();
        ReportSaveLoadException(pszPathName, &e, FALSE, afxmsg::FailedToOpenDocument());
        return FALSE;
    } catch (const std::bad_alloc&) {
        file.Abort();
        DeleteContents();
        CMemoryException e;
        ReportSaveLoadException(pszPathName, &e, FALSE, afxmsg::FailedToOpenDocument());
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* pszPathName) {
    const CString strDefault = afxmsg::FailedToSaveDocument();
    const std::string target = pszPathName;
    // A read-only document is never replaced behind the user's back.
    if (platform::IsReadOnlyFile(target)) {
        CFileException fe(CFileException::accessDenied);
        ReportSaveLoadException(pszPathName, &fe, TRUE, strDefault);
        return FALSE;
    }
    platform::FileError err;
    const std::string temp = platform::CreateTempFileIn(filepath::Folder(pszPathName).str(), &err);
    if (temp.empty()) {
        CFileException fe(err.nCause, err.lOsError);
        ReportSaveLoadException(pszPathName, &fe, TRUE, strDefault);
        return FALSE;
    }
    CFile file;
    CFileException fe;
    bool bWritten = false;
    if (file.Open(temp.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive,
                  &fe)) {
        try {
            CWaitCursor wait;
            CArchive ar(&file, CArchive::store);
            Serialize(ar);
            ar.Close();
            file.FlushToDisk();
            file.Close();
            bWritten = true;
        } catch (const CFileException& e) {
            fe = e;
        } catch (const CException&) {
            fe = CFileException(CFileException::genericException);
        } catch (const std::bad_alloc&) {
            fe = CFileException(CFileException::genericException);
        }
    }
    if (bWritten && platform::ReplaceFileWith(target, temp, &err)) {
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    if (bWritten) fe = CFileException(err.nCause, err.lOsError);
    file.Abort();
    platform::RemoveFile(temp);
    fe.m_strFileName = pszPathName;  // the user knows the document, not the temporary file
    ReportSaveLoadException(pszPathName, &fe, TRUE, strDefault);
    return FALSE;
}

void CDocument::ReportSaveLoadException(const char* pszPathName, const CException* e,
                                        BOOL /*bSaving*/, const CString& strDefault) {
    CString strPrompt;
    if (auto* ae = dynamic_cast<const CArchiveException*>(e)) {
        if (ae->m_cause == CArchiveException::endOfFile ||
            ae->m_cause == CArchiveException::badIndex ||
            ae->m_cause == CArchiveException::badClass ||
            ae->m_cause == CArchiveException::badSchema)
            strPrompt = afxmsg::UnexpectedFileFormat();
    } else if (auto* fe = dynamic_cast<const CFileException*>(e)) {
        strPrompt = afxmsg::FileError(fe->m_cause, fe->m_strFileName.IsEmpty()
                                                       ? pszPathName
                                                       : (const char*)fe->m_strFileName);
    }
    if (strPrompt.IsEmpty()) strPrompt = strDefault;
    AfxMessageBox(strPrompt, AFX_MB_ICONEXCLAMATION);
}
