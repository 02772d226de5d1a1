// The single-document template: one document, one frame with its views. It
// runs New, Open, Save and Save As for the document, asks to save changes,
// names untitled documents, and is the document's stop on the command route
// (Save, Save As).
#pragma once

#include "fw/win/CCmdTarget.h"

class CSingleDocTemplate : public CCmdTarget {
public:
    // Fields of the document string (resource nIDResource), in order.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    // nullptr: a new document. Else the file. On failure the user has been
    // told why and nullptr comes back; see WasCancelled().
    CDocument* OpenDocumentFile(const char* pszPathName, BOOL bMakeVisible = TRUE);
    // Whether the last OpenDocumentFile stopped because the user cancelled
    // the save prompt (the file itself was never tried).
    bool WasCancelled() const { return m_bCancelled; }

    // Asks "%1 への変更を保存しますか？" for a modified document: FALSE on Cancel
    // or when the wanted save failed.
    BOOL SaveModified();
    // Saves under pszPathName, or asks for a name when it is nullptr.
    BOOL DoSave(const char* pszPathName, BOOL bReplace = TRUE);
    BOOL DoFileSave();
    void SetDefaultTitle(CDocument* pDocument);

    CDocument* GetDocument() const { return m_pOnlyDoc; }
    CFrameWnd* GetFrame() const { return m_pFrame; }
    BOOL GetDocString(CString& rString, DocStringIndex index) const;
    UINT GetResourceID() const { return m_nIDResource; }

    void OnFrameDestroyed(CFrameWnd* pFrame);

protected:
    void OnFileSave();
    void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

private:
    CFrameWnd* CreateNewFrame(CDocument* pDoc);
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    CDocument* m_pOnlyDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    bool m_bCancelled = false;
};
