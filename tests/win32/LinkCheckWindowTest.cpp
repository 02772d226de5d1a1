// Check Links and Find Duplicates in the window, against the loopback server:
// the progress window, the results list, Update addresses and its undo,
// Cancel, and a record deleted while the check runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/native/LoopbackHttpServer.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

// Handles the window's messages until the check has reported back.
void WaitForCheckEnd(ViewFixture& f) {
    CLinkCheckCommands& check = f.Frame()->m_LinkCheck;
    while (check.m_progress.IsRunning()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        f.h.PumpIdle();
    }
}

void Click(CWnd& wnd, int nID) {
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                    reinterpret_cast<LPARAM>(::GetDlgItem(wnd.m_hWnd, nID)));
}

std::vector<int> RowIDs(const CLinkResultsWnd& results) {
    std::vector<int> ids;
    for (int i = 0; i < results.GetRowCount(); ++i) ids.push_back(results.GetRow(i).nID);
    return ids;
}

int RowOf(const CLinkResultsWnd& results, int nID) {
    for (int i = 0; i < results.GetRowCount(); ++i)
        if (results.GetRow(i).nID == nID) return i;
    return -1;
}

}  // namespace

TEST(LinkCheckWindow, ChecksTheFolderListsTroubleAndUpdatesMovedAddresses) {
    LoopbackHttpServer server;
    const std::string ok = server.Url("/ok"), moved = server.Url("/redirect/301/ok"),
                      gone = server.Url("/status/404"), hang = server.Url("/hang"),
                      outside = server.Url("/status/500");
    ViewFixture f;
    f.Load({{1, 0, "web"},
            {2, 1, "good", 1, ok.c_str()},
            {3, 1, "moved", 1, moved.c_str()},
            {4, 1, "gone", 1, gone.c_str()},
            {5, 1, "slow", 1, hang.c_str()},
            {6, 0, "outside", 1, outside.c_str()}});
    MessageRecorder messages;
    CLinkCheckCommands& check = f.Frame()->m_LinkCheck;
    f.Select(1);
    ASSERT_TRUE(f.Enabled(ID_CHECK_LINKS));
    f.Command(ID_CHECK_LINKS);
    ASSERT_TRUE(check.m_progress.IsRunning());
    EXPECT_FALSE(f.Enabled(ID_CHECK_LINKS));  // one check at a time
    EXPECT_TRUE(::IsWindowVisible(check.m_progress.m_hWnd));

    // The document stays editable: the waiting record goes meanwhile.
    server.WaitForRequest("HEAD /hang");
    f.Select(5);
    f.Command(ID_DELETE);
    ASSERT_EQ(f.Doc()->IndexOfID(5), -1);
    server.ReleaseHung();
    WaitForCheckEnd(f);
    EXPECT_FALSE(::IsWindowVisible(check.m_progress.m_hWnd));

    CLinkResultsWnd& results = check.m_results;
    ASSERT_TRUE(results.m_hWnd && ::IsWindowVisible(results.m_hWnd));
    EXPECT_EQ(RowIDs(results), (std::vector<int>{3, 4}));
    EXPECT_EQ(::SendMessageA(results.GetList(), LVM_GETITEMCOUNT, 0, 0), 2);
    const int nMoved = RowOf(results, 3), nGone = RowOf(results, 4);
    EXPECT_EQ(results.GetCellText(nMoved, 0).str(), "ROOT/web");
    EXPECT_EQ(results.GetCellText(nMoved, 1).str(), "moved");
    EXPECT_EQ(results.GetCellText(nMoved, 2).str(), "redirected");
    EXPECT_EQ(results.GetCellText(nMoved, 3).str(), ok);
    EXPECT_EQ(results.GetCellText(nGone, 2).str(), "broken 404");
    // Broken and failed records are marked; the others and those outside
    // the folder are not.
    EXPECT_TRUE(check.m_marks.IsMarked(f.Doc()->m_PtrAry, 4));
    for (int nID : {2, 3, 6}) EXPECT_FALSE(check.m_marks.IsMarked(f.Doc()->m_PtrAry, nID)) << nID;
    EXPECT_TRUE(messages.messages.empty());

    // A double click selects the record in the tree.
    results.ActivateRow(nGone);
    EXPECT_EQ(f.SelectedID(), 4);

    // Update addresses: only the selected redirected rows, as one step.
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageA(results.GetList(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&state));
    Click(results, IDC_RESULTS_UPDATE);
    EXPECT_EQ(f.Record(3)->m_URL.str(), ok);
    EXPECT_EQ(f.Record(4)->m_URL.str(), gone);
    EXPECT_EQ(RowIDs(results), (std::vector<int>{4}));
    EXPECT_TRUE(f.Doc()->IsModified());
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Record(3)->m_URL.str(), moved);
    EXPECT_EQ(f.Doc()->IndexOfID(5), -1);  // the delete is a step of its own
    f.Command(ID_EDIT_UNDO);
    EXPECT_NE(f.Doc()->IndexOfID(5), -1);

    // Editing the address takes the mark away.
    f.Doc()->m_PtrAry[f.Doc()->IndexOfID(4)]->m_URL = ok.c_str();
    EXPECT_FALSE(check.m_marks.IsMarked(f.Doc()->m_PtrAry, 4));

    // Another document with the same ID and address shows no mark, and the
    // old document's results go.
    f.Doc()->m_PtrAry[f.Doc()->IndexOfID(4)]->m_URL = gone.c_str();
    ASSERT_TRUE(check.m_marks.IsMarked(f.Doc()->m_PtrAry, 4));
    ASSERT_TRUE(::IsWindowVisible(results.m_hWnd));
    f.Load({{4, 0, "gone", 1, gone.c_str()}});
    EXPECT_FALSE(check.m_marks.IsMarked(f.Doc()->m_PtrAry, 4));
    EXPECT_EQ(results.GetRowCount(), 0);
    EXPECT_FALSE(::IsWindowVisible(results.m_hWnd));
}

// With an hour's timeout only Cancel ends the check.
TEST(LinkCheckWindow, CancelStopsTheCheck) {
    LoopbackHttpServer server;
    const std::string hang = server.Url("/hang");
    ViewFixture f;
    f.Load(
        {{1, 0, "a", 1, hang.c_str()}, {2, 0, "b", 1, hang.c_str()}, {3, 0, "c", 1, hang.c_str()}});
    MessageRecorder messages;
    CLinkCheckCommands& check = f.Frame()->m_LinkCheck;
    check.m_options.nTimeoutMs = 3600 * 1000;
    f.Select(0);
    f.Command(ID_CHECK_LINKS);
    server.WaitForInFlight(3);
    Click(check.m_progress, IDC_CHECK_CANCEL);
    WaitForCheckEnd(f);
    EXPECT_FALSE(::IsWindowVisible(check.m_progress.m_hWnd));
    EXPECT_FALSE(check.m_results.m_hWnd && ::IsWindowVisible(check.m_results.m_hWnd));
    EXPECT_TRUE(messages.messages.empty());
    for (int nID : {1, 2, 3}) EXPECT_FALSE(check.m_marks.IsMarked(f.Doc()->m_PtrAry, nID));
    EXPECT_TRUE(f.Enabled(ID_CHECK_LINKS));
}

TEST(LinkCheckWindow, FindDuplicatesListsGroupsAndSelects) {
    ViewFixture f;
    f.Load({{1, 0, "f"},
            {2, 1, "a", 1, "http://Example.com"},
            {3, 0, "b", 1, "http://example.com:80/"},
            {4, 0, "c", 1, "http://example.com/x"},
            {5, 1, "d", 1, "http://example.com/X"}});
    MessageRecorder messages;
    f.Command(ID_FIND_DUPLICATES);
    CLinkResultsWnd& results = f.Frame()->m_LinkCheck.m_results;
    ASSERT_TRUE(results.m_hWnd && ::IsWindowVisible(results.m_hWnd));
    EXPECT_EQ(RowIDs(results), (std::vector<int>{2, 3}));
    EXPECT_EQ(results.GetCellText(0, 0).str(), "1");
    EXPECT_EQ(results.GetCellText(0, 1).str(), "ROOT/f");
    EXPECT_EQ(results.GetCellText(1, 1).str(), "ROOT");
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(results.m_hWnd, IDC_RESULTS_UPDATE)));
    results.ActivateRow(1);
    EXPECT_EQ(f.SelectedID(), 3);
    // Tab leaves the list for the shown button; Escape closes the window.
    ::SetFocus(results.GetList());
    const HWND hClose = ::GetDlgItem(results.m_hWnd, IDC_RESULTS_CLOSE);
    ::PostMessageA(results.GetList(), WM_KEYDOWN, VK_TAB, 0);
    f.h.PumpIdle();
    EXPECT_EQ(::GetFocus(), hClose);
    ::PostMessageA(hClose, WM_KEYDOWN, VK_ESCAPE, 0);
    f.h.PumpIdle();
    EXPECT_FALSE(::IsWindowVisible(results.m_hWnd));
    // None left: a message instead of a list.
    f.Select(3);
    f.Command(ID_DELETE);
    results.ShowWindow(SW_HIDE);
    f.Command(ID_FIND_DUPLICATES);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.str(), AfxLoadString(IDP_NO_DUPLICATES).str());
}
