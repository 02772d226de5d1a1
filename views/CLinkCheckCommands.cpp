#include "views/CLinkCheckCommands.h"

#include "check/LinkSelection.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/AfxMessages.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "views/CTreeVw.h"

namespace {

std::string Utf8Of(const CString& str) {
    std::string out;
    if (!platform::CodePageToUtf8(str.str(), codepage::Active(), out)) return str.str();
    return out;
}

}  // namespace

void CLinkCheckCommands::Attach(CWnd* pFrame, CTreeVw* pTree) {
    m_pFrame = pFrame;
    m_pTree = pTree;
    if (m_pTree) m_pTree->m_pLinkCheck = this;
}

// The IDs and addresses of another document may repeat the old one's: its
// marks, its results and the check still running are dropped.
void CLinkCheckCommands::ForgetDocument() {
    ++m_nDocument;
    m_marks.ClearAll();
    m_checkedURLs.clear();
    if (m_progress.IsRunning()) m_progress.Cancel();
    m_results.Dismiss();
}

BOOL CLinkCheckCommands::CanCheck() const {
    return m_pTree && !m_pTree->GetDocument()->m_bEmpty && !m_progress.IsRunning();
}

BOOL CLinkCheckCommands::CanFindDuplicates() const {
    return m_pTree && !m_pTree->GetDocument()->m_bEmpty;
}

void CLinkCheckCommands::CheckLinks() {
    if (!CanCheck()) return;
    const CItemTable& table = m_pTree->GetDocument()->m_PtrAry;
    const int nFolderID = m_pTree->GetItemID(m_pTree->GetSelectedItem());
    std::vector<LinkToCheck> links = CollectLinks(table, nFolderID, Utf8Of);
    if (links.empty()) {
        AfxMessageBox(AfxLoadString(IDP_NOTHING_TO_CHECK), AFX_MB_OK | AFX_MB_ICONINFORMATION);
        return;
    }
    m_checkedURLs.clear();
    for (const LinkToCheck& link : links) m_checkedURLs.push_back(table[link.nIndex]->m_URL);
    m_progress.Start(
        m_pFrame, std::move(links), m_options,
        [this, nDocument = m_nDocument](std::vector<LinkResult>& results, bool bCancelled) {
            if (nDocument == m_nDocument) OnCheckDone(results, bCancelled);
        });
}

// Results of records deleted or given another address during the check are
// dropped: they tell nothing about the document as it is now.
void CLinkCheckCommands::OnCheckDone(std::vector<LinkResult>& results, bool bCancelled) {
    if (!m_pTree || !m_pTree->m_hWnd) return;
    const CItemTable& table = m_pTree->GetDocument()->m_PtrAry;
    std::vector<CLinkResultsWnd::Row> rows;
    int nChecked = 0;
    for (size_t i = 0; i < results.size() && i < m_checkedURLs.size(); ++i) {
        const LinkResult& r = results[i];
        if (r.status == LinkStatus::Failed && r.error == "cancelled") continue;
        const CUrlItem* pItem = table.FindID(r.nID);
        if (!pItem || pItem->m_URL != m_checkedURLs[i]) continue;
        ++nChecked;
        if (r.status == LinkStatus::Broken || r.status == LinkStatus::Failed)
            m_marks.Set(r.nID, m_checkedURLs[i]);
        else
            m_marks.Clear(r.nID);
        if (r.status == LinkStatus::Ok || r.status == LinkStatus::Skipped) continue;
        CLinkResultsWnd::Row row;
        row.nID = r.nID;
        row.strURL = m_checkedURLs[i];
        row.status = r.status;
        row.nCode = r.nCode;
        row.strLocation = afxmsg::FromUtf8(r.location.c_str());
        row.strError = afxmsg::FromUtf8(r.error.c_str());
        rows.push_back(row);
    }
    m_pTree->Invalidate();
    if (!rows.empty()) {
        m_results.ShowCheck(m_pFrame, m_pTree, std::move(rows), nChecked);
    } else if (!bCancelled) {
        CString strCount;
        strCount.Format("%d", nChecked);
        AfxMessageBox(AfxFormatString1(AfxLoadString(IDP_CHECK_ALL_GOOD), strCount),
                      AFX_MB_OK | AFX_MB_ICONINFORMATION);
    }
}

void CLinkCheckCommands::FindDuplicates() {
    if (!CanFindDuplicates()) return;
    const CItemTable& table = m_pTree->GetDocument()->m_PtrAry;
    const std::vector<std::vector<int>> groups =
        FindDuplicateGroups(CollectLinks(table, 0, Utf8Of));
    if (groups.empty()) {
        AfxMessageBox(AfxLoadString(IDP_NO_DUPLICATES), AFX_MB_OK | AFX_MB_ICONINFORMATION);
        return;
    }
    std::vector<CLinkResultsWnd::Row> rows;
    for (size_t g = 0; g < groups.size(); ++g) {
        for (int nID : groups[g]) {
            CLinkResultsWnd::Row row;
            row.nID = nID;
            row.strURL = table.FindID(nID)->m_URL;
            row.nGroup = static_cast<int>(g + 1);
            rows.push_back(row);
        }
    }
    m_results.ShowDuplicates(m_pFrame, m_pTree, std::move(rows), static_cast<int>(groups.size()));
}

void CLinkCheckCommands::DrawMark(HDC hdc, const RECT& rcLabel) {
    const int right = rcLabel.left - 2;
    const int bottom = rcLabel.bottom - 1;
    const RECT rcDisc = {right - 9, bottom - 9, right, bottom};
    HBRUSH hBrush = ::CreateSolidBrush(RGB(208, 0, 0));
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(160, 0, 0));
    HGDIOBJ hOldBrush = ::SelectObject(hdc, hBrush);
    HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    ::Ellipse(hdc, rcDisc.left, rcDisc.top, rcDisc.right, rcDisc.bottom);
    HPEN hWhite = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    ::SelectObject(hdc, hWhite);
    ::MoveToEx(hdc, rcDisc.left + 2, rcDisc.top + 2, nullptr);
    ::LineTo(hdc, rcDisc.right - 2, rcDisc.bottom - 2);
    ::MoveToEx(hdc, rcDisc.right - 3, rcDisc.top + 2, nullptr);
    ::LineTo(hdc, rcDisc.left + 1, rcDisc.bottom - 2);
    ::SelectObject(hdc, hOldPen);
    ::SelectObject(hdc, hOldBrush);
    ::DeleteObject(hWhite);
    ::DeleteObject(hPen);
    ::DeleteObject(hBrush);
}
