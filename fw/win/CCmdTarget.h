// The root of everything that receives commands: windows, the document's
// command target, the application.
#pragma once

#include "fw/win/AfxWin.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs (nCode CN_COMMAND or a control notification), updates
    // (CN_UPDATE_COMMAND_UI, pExtra is the CCmdUI*) or notifies (CN_NOTIFY,
    // pExtra is the AfxNotify*). With bProbe only reports whether a handler
    // exists. TRUE when some target handled it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, bool bProbe = false);

    // Shows the wait cursor from outside a CWaitCursor scope.
    void BeginWaitCursor() { AfxBeginWaitCursor(); }
    void EndWaitCursor() { AfxEndWaitCursor(); }

protected:
    // The class's message map; the base has no entries.
    virtual bool ProcessMessageMap(AfxMsg& afxMsg) { return false; }
};

// What WM_NOTIFY carries through OnCmdMsg.
struct AfxNotify {
    NMHDR* pNMHDR;
    LRESULT* pResult;
};
