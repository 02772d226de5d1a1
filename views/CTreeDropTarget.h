// The tree's OLE drop target: links dragged in from a browser (a link, the
// address bar's page icon) or a folder (.url files) become URL items under
// the folder they are dropped on. Files that are no links go on to the frame,
// which opens them as documents.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

class CTreeVw;

class CTreeDropTarget : public IDropTarget {
public:
    explicit CTreeDropTarget(CTreeVw* pTree) : m_pTree(pTree) {}
    virtual ~CTreeDropTarget() = default;
    // The view is going: later calls do nothing.
    void Detach() { m_pTree = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pData, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pData, DWORD grfKeyState, POINTL pt,
                                   DWORD* pdwEffect) override;

private:
    // The node under the screen point pt, or null when none.
    HTREEITEM NodeAt(POINTL pt) const;
    // The effect of a drop at pt from the effects the source allows; the
    // node under pt is highlighted while it would take the link.
    DWORD EffectAt(POINTL pt, DWORD dwAllowed);
    void ClearHighlight();

    CTreeVw* m_pTree;
    LONG m_nRefs = 1;
    bool m_bLink = false;   // the dragged data holds a link
    bool m_bFiles = false;  // ... or files for the frame to open
};
