// The list a link check or a duplicate search leaves: one row per record
// with its folder path, title and what was found. A double click selects the
// record in the tree; after a check, "Update addresses" gives the selected
// redirected records their new addresses as one undoable change. Rows hold
// record IDs, so edits made meanwhile are seen when a row is used.
#pragma once

#include <vector>

#include "check/CLinkChecker.h"
#include "fw/win/CWnd.h"

class CTreeVw;

class CLinkResultsWnd : public CWnd {
public:
    struct Row {
        int nID = 0;
        CString strURL;  // the address as checked
        LinkStatus status = LinkStatus::Ok;
        int nCode = 0;
        CString strLocation;  // redirected: the new address
        CString strError;
        int nGroup = 0;  // duplicates: the group's number from 1
    };

    ~CLinkResultsWnd() override;
    // Shows the rows in a window owned by pOwner (made once, then reused).
    BOOL ShowCheck(CWnd* pOwner, CTreeVw* pTree, std::vector<Row> rows, int nChecked);
    BOOL ShowDuplicates(CWnd* pOwner, CTreeVw* pTree, std::vector<Row> rows, int nGroups);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    const Row& GetRow(int i) const { return m_rows[static_cast<size_t>(i)]; }
    HWND GetList() const { return m_hList; }
    // The text of one cell, as the list shows it.
    CString GetCellText(int nRow, int nColumn) const;
    // The double click's and the button's work.
    void ActivateRow(int nRow);
    void UpdateAddresses();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Empties the list and hides the window: its rows belong to a document
    // that has gone.
    void Dismiss();

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();
    void OnUpdateClicked() { UpdateAddresses(); }
    void OnCloseClicked() { OnClose(); }
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    BOOL Show(CWnd* pOwner, CTreeVw* pTree, const CString& strTitle, UINT nColumnsID, bool bCheck);
    void Fill();
    void Relayout();
    void EnableUpdate();
    CString FolderPath(int nID) const;

    CTreeVw* m_pTree = nullptr;
    std::vector<Row> m_rows;
    bool m_bCheck = true;
    HWND m_hList = nullptr;
    HWND m_hUpdate = nullptr;
    HWND m_hClose = nullptr;
};
