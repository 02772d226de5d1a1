// The lower right pane: the memo of the selected item.
#pragma once

#include "fw/win/CEditView.h"

class CEditVw : public CEditView {
    DECLARE_DYNCREATE(CEditVw)
};
