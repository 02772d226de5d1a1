// A view made from a dialog template: the dialog's controls on a child
// window, with dialog keyboard navigation.
#pragma once

#include "fw/win/CView.h"

class CFormView : public CView {
public:
    explicit CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}
    BOOL Create(const char* pszClassName, const char* pszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID,
                CCreateContext* pContext = nullptr) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    UINT m_nIDTemplate;
};
