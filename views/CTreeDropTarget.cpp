#include "views/CTreeDropTarget.h"

#include "fw/win/CFrameWnd.h"
#include "views/CTreeVw.h"
#include "views/LinkDataObject.h"
#include "views/ViewBeep.h"

HRESULT CTreeDropTarget::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CTreeDropTarget::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefs));
}

ULONG CTreeDropTarget::Release() {
    const LONG n = InterlockedDecrement(&m_nRefs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HTREEITEM CTreeDropTarget::NodeAt(POINTL pt) const {
    TVHITTESTINFO hit = {};
    hit.pt = {pt.x, pt.y};
    ::ScreenToClient(m_pTree->m_hWnd, &hit.pt);
    HTREEITEM hNode = TreeView_HitTest(m_pTree->m_hWnd, &hit);
    return hNode && (hit.flags & TVHT_ONITEM) ? hNode : nullptr;
}

DWORD CTreeDropTarget::EffectAt(POINTL pt, DWORD dwAllowed) {
    if (!m_pTree) return DROPEFFECT_NONE;
    if (m_bFiles) return dwAllowed & DROPEFFECT_COPY;
    HTREEITEM hNode = m_bLink ? NodeAt(pt) : nullptr;
    const bool bTaken = hNode && !m_pTree->IsLinkDropRefused(hNode);
    TreeView_SelectDropTarget(m_pTree->m_hWnd, bTaken ? hNode : nullptr);
    if (!bTaken) return DROPEFFECT_NONE;
    if (dwAllowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    return dwAllowed & DROPEFFECT_LINK;
}

void CTreeDropTarget::ClearHighlight() {
    if (m_pTree) TreeView_SelectDropTarget(m_pTree->m_hWnd, nullptr);
}

HRESULT CTreeDropTarget::DragEnter(IDataObject* pData, DWORD, POINTL pt, DWORD* pdwEffect) {
    if (!pdwEffect) return E_INVALIDARG;
    CString strTitle, strURL;
    m_bLink = pData && LinkFromFormats(ReadLinkFormats(pData), strTitle, strURL);
    m_bFiles = !m_bLink && IsPlainFileDrop(pData);
    *pdwEffect = EffectAt(pt, *pdwEffect);
    return S_OK;
}

HRESULT CTreeDropTarget::DragOver(DWORD, POINTL pt, DWORD* pdwEffect) {
    if (!pdwEffect) return E_INVALIDARG;
    *pdwEffect = EffectAt(pt, *pdwEffect);
    return S_OK;
}

HRESULT CTreeDropTarget::DragLeave() {
    ClearHighlight();
    return S_OK;
}

HRESULT CTreeDropTarget::Drop(IDataObject* pData, DWORD, POINTL pt, DWORD* pdwEffect) {
    if (!pdwEffect) return E_INVALIDARG;
    const DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    ClearHighlight();
    if (!m_pTree || !pData) return S_OK;
    if (IsPlainFileDrop(pData)) {
        // The frame opens the first file, as when files are dropped on it;
        // it frees the copy of the list it is given.
        HGLOBAL hCopy = CopyDroppedFiles(pData);
        CWnd* pFrame = m_pTree->GetParentFrame();
        if (hCopy && pFrame) {
            *pdwEffect = dwAllowed & DROPEFFECT_COPY;
            pFrame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hCopy), 0);
        } else if (hCopy) {
            ::GlobalFree(hCopy);
        } else {
            ViewMessageBeep(0);
        }
        return S_OK;
    }
    HTREEITEM hNode = NodeAt(pt);
    CString strTitle, strURL, strRefused;
    if (!hNode || m_pTree->IsLinkDropRefused(hNode)) {
        ViewMessageBeep(0);
        return S_OK;
    }
    if (!LinkFromFormats(ReadLinkFormats(pData), strTitle, strURL, 0, &strRefused)) {
        ReportNoLink(strRefused);
        return S_OK;
    }
    if (m_pTree->AddLinkFromData(hNode, strTitle, strURL))
        *pdwEffect =
            (dwAllowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : (dwAllowed & DROPEFFECT_LINK);
    return S_OK;
}
