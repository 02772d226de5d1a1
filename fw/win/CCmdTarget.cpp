#include "fw/win/CCmdTarget.h"

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe) {
    AfxMsg m;
    m.nID = nID;
    m.nCode = nCode;
    m.bProbe = bProbe;
    AfxNotify* pNotify = nullptr;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        m.kind = AfxMsg::updateCommandUI;
        m.pCmdUI = static_cast<CCmdUI*>(pExtra);
    } else if (nCode == CN_NOTIFY) {
        pNotify = static_cast<AfxNotify*>(pExtra);
        m.kind = AfxMsg::notify;
        m.pNMHDR = pNotify->pNMHDR;
        m.nCode = static_cast<int>(pNotify->pNMHDR->code);
    } else {
        m.kind = AfxMsg::command;
    }
    if (!ProcessMessageMap(m)) return FALSE;
    if (pNotify && pNotify->pResult) *pNotify->pResult = m.result;
    return TRUE;
}
