// File > Import from Browser...: the browsers' profiles found on this
// machine, one a row with the number of bookmarks each holds; several may be
// chosen. A profile whose file cannot be read, and Firefox's (kept in a
// database), are listed but cannot be chosen for the import; for Firefox the
// dialog says how to export the bookmarks to a file and offers to open one.
#pragma once

#include <vector>

#include "convert/BrowserProfiles.h"
#include "fw/win/CDialog.h"

class CBrowserImportDlg : public CDialog {
public:
    // The dialog shows profiles as they are; it keeps a reference.
    explicit CBrowserImportDlg(const std::vector<BrowserProfile>& profiles,
                               CWnd* pParentWnd = nullptr);

    // Ends with IDOK (the chosen profiles in GetChosen), IDCANCEL, or
    // IDC_OPEN_BOOKMARK_FILE when the user asked to open a file instead.
    BOOL OnInitDialog() override;
    void OnOK() override;

    // After IDOK: the indexes of the chosen profiles, in list order.
    const std::vector<size_t>& GetChosen() const { return m_chosen; }

    static bool IsImportable(const BrowserProfile& profile);

protected:
    void OnOpenBookmarkFile();
    void OnProfilesChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnProfilesDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    HWND ListWindow() const;
    // The importable rows now selected, in list order.
    std::vector<size_t> SelectedImportable() const;
    void UpdateImportButton();

    const std::vector<BrowserProfile>& m_profiles;
    std::vector<size_t> m_chosen;
};
