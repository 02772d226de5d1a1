#include "fw/win/CSingleDocTemplate.h"

#include "fw/base/AfxMessages.h"
#include "fw/base/CDocument.h"
#include "fw/win/AfxRes.h"
#include "fw/win/CCreateContext.h"
#include "fw/win/CFrameWnd.h"
#include "fw/win/CWinApp.h"

BEGIN_MESSAGE_MAP(CSingleDocTemplate, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass,
                                       const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
    m_strDocStrings = AfxLoadString(nIDResource);
}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pFrame) m_pFrame->DestroyWindow();
    delete m_pOnlyDoc;
}

BOOL CSingleDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    rString = AfxExtractSubString(m_strDocStrings, index);
    return !rString.IsEmpty();
}

void CSingleDocTemplate::OnFrameDestroyed(CFrameWnd* pFrame) {
    if (m_pFrame == pFrame) m_pFrame = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    pDocument->SetTitle(AfxLoadString(AFX_IDS_UNTITLED));
}

CFrameWnd* CSingleDocTemplate::CreateNewFrame(CDocument* pDoc) {
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    auto* pFrame = dynamic_cast<CFrameWnd*>(m_pFrameClass->m_pfnCreateWnd());
    if (!pFrame) return nullptr;
    // A frame whose window could not be made has already deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
        AfxMessageBox(AfxLoadString(AFX_IDP_FAILED_TO_CREATE_DOC), MB_ICONEXCLAMATION);
        return nullptr;
    }
    return pFrame;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* pszPathName, BOOL bMakeVisible) {
    m_bCancelled = false;
    CDocument* pDoc = m_pOnlyDoc;
    bool bCreatedDoc = false;
    if (pDoc) {
        if (!SaveModified()) {
            m_bCancelled = true;
            return nullptr;
        }
    } else {
        pDoc = m_pDocClass->m_pfnCreateDocument();
        m_pOnlyDoc = pDoc;
        bCreatedDoc = true;
    }
    CFrameWnd* pFrame = m_pFrame;
    const bool bCreatedFrame = pFrame == nullptr;
    if (bCreatedFrame) {
        pFrame = CreateNewFrame(pDoc);
        if (!pFrame) {
            if (bCreatedDoc) {
                delete pDoc;
                m_pOnlyDoc = nullptr;
            }
            return nullptr;
        }
        m_pFrame = pFrame;
    }
    // A new frame that is not used goes again with the document made for it.
    auto discard = [&]() {
        if (bCreatedFrame) pFrame->DestroyWindow();
        if (bCreatedDoc) {
            delete pDoc;
            m_pOnlyDoc = nullptr;
        }
    };

    if (!pszPathName) {
        SetDefaultTitle(pDoc);
        if (!pDoc->OnNewDocument()) {
            discard();
            return nullptr;
        }
    } else {
        char szFull[MAX_PATH];
        char* pFilePart = nullptr;
        CString strPath = pszPathName;
        if (::GetFullPathNameA(pszPathName, MAX_PATH, szFull, &pFilePart) > 0) strPath = szFull;
        const BOOL bWasModified = pDoc->IsModified();
        pDoc->SetModifiedFlag(FALSE);
        if (!pDoc->OnOpenDocument(strPath)) {
            if (bCreatedFrame) {
                discard();
            } else if (!pDoc->IsModified()) {
                // Reading never began: the document is as it was.
                pDoc->SetModifiedFlag(bWasModified);
            } else {
                // The old contents are gone: the views must not show records
                // that no longer exist, so they start over on an empty,
                // untitled document.
                pDoc->OnNewDocument();
                SetDefaultTitle(pDoc);
                pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
            }
            return nullptr;
        }
        pDoc->SetPathName(strPath);
        if (CWinApp* pApp = AfxGetApp()) pApp->AddToRecentFileList(strPath);
    }
    CWinApp* pApp = AfxGetApp();
    if (bCreatedFrame && pApp && !pApp->m_pMainWnd) pApp->m_pMainWnd = pFrame;
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
    return pDoc;
}

BOOL CSingleDocTemplate::SaveModified() {
    CDocument* pDoc = m_pOnlyDoc;
    if (!pDoc || !pDoc->IsModified()) return TRUE;
    CString strName = pDoc->GetTitle();
    if (strName.IsEmpty()) strName = AfxLoadString(AFX_IDS_UNTITLED);
    const CString strPrompt = AfxFormatString1(afxmsg::AskToSave(), strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            return DoFileSave();
        default:
            return TRUE;
    }
}

BOOL CSingleDocTemplate::DoFileSave() {
    CDocument* pDoc = m_pOnlyDoc;
    if (!pDoc) return FALSE;
    if (pDoc->GetPathName().IsEmpty()) return DoSave(nullptr);
    return DoSave(pDoc->GetPathName());
}

BOOL CSingleDocTemplate::DoSave(const char* pszPathName, BOOL bReplace) {
    CDocument* pDoc = m_pOnlyDoc;
    if (!pDoc) return FALSE;
    CString strNewName = pszPathName ? pszPathName : "";
    if (strNewName.IsEmpty()) {
        strNewName = pDoc->GetPathName();
        if (strNewName.IsEmpty()) strNewName = pDoc->GetTitle();
        CWinApp* pApp = AfxGetApp();
        if (!pApp || !pApp->DoPromptFileName(
                         strNewName, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                         FALSE, this))
            return FALSE;
    }
    if (!pDoc->OnSaveDocument(strNewName)) return FALSE;
    if (bReplace) {
        pDoc->SetPathName(strNewName);
        if (CWinApp* pApp = AfxGetApp()) pApp->AddToRecentFileList(strNewName);
        if (m_pFrame) m_pFrame->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CSingleDocTemplate::OnFileSave() {
    DoFileSave();
}

void CSingleDocTemplate::OnFileSaveAs() {
    DoSave(nullptr);
}
