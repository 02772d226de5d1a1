// The form pane: UPDATE with its title checks in their order, and what a
// successful UPDATE tells the other panes.
#include <gtest/gtest.h>

#include "fw/win/CCmdUI.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

// Types the title, presses UPDATE as a click does (BN_CLICKED to the form).
void Update(ViewFixture& f, const std::string& title) {
    SetDlgItemTextA(f.Form()->m_hWnd, IDC_TITLE, title.c_str());
    HWND hButton = GetDlgItem(f.Form()->m_hWnd, IDC_UPDATE);
    SendMessageA(f.Form()->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_UPDATE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hButton));
}

TEST(FormUpdate, TitleChecksInTheirOrder) {
    const struct {
        const char* title;  // UTF-8 unless raw
        UINT message;       // 0: accepted
    } cases[] = {
        {"root", IDP_TITLE_IS_ROOT},
        {"RooT", IDP_TITLE_IS_ROOT},
        {"ROOTS", 0},
        {"news", IDP_TITLE_EXISTS},   // a sibling's title
        {"News", 0},                  // differs by letter case only
        {"Elsewhere", 0},             // a title in another folder
        {"Mine", 0},                  // its own title
        {"a/b", IDP_TITLE_BAD_CHAR},  // checked after the sibling rule ...
        {"x|y", IDP_TITLE_BAD_CHAR},
        {"表", 0},              // 0x95 0x5C: the trail byte is no backslash
        {"", IDP_TITLE_EMPTY},  // ... and the empty title last
        {" ", 0},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        f.Load({{1, 0, "Top"},
                {2, 1, "Mine", 1, "http://old/"},
                {3, 1, "news", 1},
                {4, 0, "Other"},
                {5, 4, "Elsewhere"}});
        f.Select(2);
        SetDlgItemTextA(f.Form()->m_hWnd, IDC_URL, "typed url");
        BeepCounter beeps;
        MessageRecorder messages;
        Update(f, A(c.title));
        const CUrlItem* p = f.Record(2);
        if (c.message) {
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].text, AfxLoadString(c.message));
            EXPECT_EQ(messages.messages[0].type & 0xF0u, static_cast<UINT>(MB_ICONINFORMATION));
            EXPECT_EQ(beeps.count(), 1);
            EXPECT_EQ(p->m_Title, "Mine");
            EXPECT_EQ(p->m_URL, "http://old/");
            EXPECT_FALSE(f.Doc()->IsModified());
            HWND hTitle = GetDlgItem(f.Form()->m_hWnd, IDC_TITLE);
            EXPECT_EQ(GetFocus(), hTitle);
            DWORD dwStart = 1, dwEnd = 0;
            SendMessageA(hTitle, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                         reinterpret_cast<LPARAM>(&dwEnd));
            EXPECT_EQ(dwStart, 0u);
            EXPECT_EQ(dwEnd, static_cast<DWORD>(A(c.title).size()));
        } else {
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_EQ(beeps.count(), 0);
            EXPECT_EQ(p->m_Title.str(), A(c.title));
            EXPECT_EQ(p->m_URL, "typed url");
            EXPECT_TRUE(f.Doc()->IsModified());
            // The node is relabelled and the tree is the active pane again.
            EXPECT_EQ(f.Tree()->GetItemText(f.Node(2)).str(), A(c.title));
            EXPECT_EQ(f.Frame()->GetActiveView(), f.Tree());
        }
    }
}

TEST(FormUpdate, PendingValuesReachTheRecordOnlyByUpdate) {
    ViewFixture f;
    f.Load({{1, 0, "Page", 1, "http://old/"}});
    f.Select(1);
    f.Doc()->SetPending("Captured", "http://captured/");
    f.Frame()->SendMessage(WM_COMMAND, ID_INT_SHOW_PENDING, 0);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "Captured");
    EXPECT_EQ(f.FieldText(IDC_URL), "http://captured/");
    EXPECT_EQ(f.Record(1)->m_Title, "Page");
    Update(f, "Captured");
    EXPECT_EQ(f.Record(1)->m_URL, "http://captured/");
}

// UPDATE pressed with the fields as they are: the record is stored as it was,
// so the document stays unmodified and there is nothing to undo.
TEST(FormUpdate, NothingChangedLeavesTheDocumentAsSaved) {
    ViewFixture f;
    f.Load({{1, 0, "Page", 1, "http://old/"}});
    f.Select(1);
    Update(f, "Page");
    EXPECT_FALSE(f.Doc()->IsModified());
    EXPECT_FALSE(f.Enabled(ID_EDIT_UNDO));
    EXPECT_EQ(f.Frame()->GetActiveView(), f.Tree());
}

TEST(FormUpdate, TypingIsDroppedBySelectingAnotherNode) {
    ViewFixture f;
    f.Load({{1, 0, "A"}, {2, 0, "B"}});
    f.Select(1);
    SetDlgItemTextA(f.Form()->m_hWnd, IDC_TITLE, "typed");
    f.Select(2);
    f.Select(1);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "A");
    EXPECT_EQ(f.Record(1)->m_Title, "A");
}

TEST(FormEdit, CommandsFollowTheFocusedField) {
    ViewFixture f;
    f.Load({{1, 0, "Page", 1, "http://x/"}});
    f.Select(1);
    CFormVw* pForm = f.Form();
    f.Frame()->SetActiveView(pForm);
    HWND hURL = GetDlgItem(pForm->m_hWnd, IDC_URL);
    SetFocus(hURL);
    EXPECT_EQ(pForm->m_nFocusEdit, 2);
    SendMessageA(hURL, EM_SETSEL, 0, 0);
    auto enabled = [&](UINT nID) {
        CTestCmdUI state;
        state.m_nID = nID;
        f.Frame()->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state);
        return static_cast<bool>(state.m_bEnabled);
    };
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));
    SendMessageA(hURL, EM_SETSEL, 0, -1);
    EXPECT_TRUE(enabled(ID_EDIT_CUT));
    f.Frame()->SendMessage(WM_COMMAND, ID_EDIT_CUT, 0);
    EXPECT_EQ(f.FieldText(IDC_URL), "");
    EXPECT_TRUE(enabled(ID_EDIT_UNDO));
    f.Frame()->SendMessage(WM_COMMAND, ID_EDIT_UNDO, 0);
    EXPECT_EQ(f.FieldText(IDC_URL), "http://x/");
    // Focus elsewhere: nothing to act on.
    SetFocus(f.Tree()->m_hWnd);
    EXPECT_EQ(pForm->m_nFocusEdit, 0);
    f.Frame()->SetActiveView(pForm, FALSE);
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
}

TEST(FormLook, FieldsStretchWithAWidePane) {
    ViewFixture f;
    HWND hForm = f.Form()->m_hWnd;
    SendMessageA(hForm, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 120));
    RECT rc;
    GetWindowRect(GetDlgItem(hForm, IDC_TITLE), &rc);
    MapWindowPoints(nullptr, hForm, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 44);
    EXPECT_EQ(rc.top, 20);
    EXPECT_EQ(rc.right - rc.left, 400 - 65);
    EXPECT_EQ(rc.bottom - rc.top, 21);
    // At 150 pixels or less the fields keep their last geometry.
    SendMessageA(hForm, WM_SIZE, SIZE_RESTORED, MAKELPARAM(150, 120));
    RECT rc2;
    GetWindowRect(GetDlgItem(hForm, IDC_URL), &rc2);
    EXPECT_EQ(rc2.right - rc2.left, 400 - 65);
}

}  // namespace
