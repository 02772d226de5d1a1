// The lower right pane: the memo of the selected record. Every change is
// stored into the record at once; the pane is empty and disabled while no
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
    DECLARE_MESSAGE_MAP()

private:
    // The selected record's index, or -1.
    int SelectedIndex() const;
    // Set while the view itself replaces the text: that is no user change.
    bool m_bShowing = false;
};
