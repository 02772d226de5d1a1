// The lower right pane: the memo of the selected record. Every change is
// stored into the record at once, through the change history, where the
// typing in one record makes one step until the selection or the focus
// moves; the pane is empty and disabled while no
// record is selected.
#pragma once

#include "fw/win/CEditView.h"

class COrdelinkDoc;

class CEditVw : public CEditView {
    DECLARE_DYNCREATE(CEditVw)

public:
    COrdelinkDoc* GetDocument() const;
    void OnInitialUpdate() override;

protected:
    void OnShowCurrent();
    void OnStoreMemo();
    void OnMemoChange();
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The selected record's index, or -1.
    int SelectedIndex() const;
    // Set while the view itself replaces the text: that is no user change.
    bool m_bShowing = false;
};
