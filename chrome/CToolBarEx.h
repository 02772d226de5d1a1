// The main window's toolbar. It carries the look chosen by the settings
// (flat or normal); until the flat painting is built, both looks paint as
// the standard toolbar.
#pragma once

#include "fw/win/CToolBar.h"

class CToolBarEx : public CToolBar {
public:
    // Flat look on; written by the owner, which repaints the bar after a
    // change.
    BOOL m_bFlatMode = TRUE;

    // The non-client paint handler, run at once after a change of look.
    void OnNcPaint() { SendMessage(WM_NCPAINT, 1); }
};
