// Find as you type in the window (the find bar, F3 and Shift+F3, Esc) and
// undo and redo of document changes, driven by keys and commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "fw/win/CCmdUI.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

// A key pressed and released where the focus is, through the message loop
// (so the frame's accelerators see it), with Ctrl or Shift held.
void Key(ViewFixture& f, UINT vk, bool bCtrl = false, bool bShift = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, sizeof(state));
    state[VK_CONTROL] = bCtrl ? 0x80 : 0;
    state[VK_SHIFT] = bShift ? 0x80 : 0;
    SetKeyboardState(state);
    HWND hFocus = GetFocus();
    PostMessageA(hFocus, WM_KEYDOWN, vk, 1);
    PostMessageA(hFocus, WM_KEYUP, vk, 0xC0000001);
    f.h.PumpIdle();
    SetKeyboardState(saved);
}

// Typing into the focused field, one character at a time.
void Type(ViewFixture& f, const std::string& text) {
    HWND hFocus = GetFocus();
    for (unsigned char ch : text) PostMessageA(hFocus, WM_CHAR, ch, 1);
    f.h.PumpIdle();
}

std::string Status(ViewFixture& f) {
    return f.Frame()->m_wndStatusBar.GetPaneText(0).str();
}

std::string Found(const char* utf8Query) {
    return AfxFormatString1(AfxLoadString(IDS_FIND_NOT_FOUND), A(utf8Query).c_str()).str();
}

// Every record in table order with every field: two documents with equal
// dumps save to the same bytes.
std::string Dump(const COrdelinkDoc& doc) {
    std::string s;
    for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) {
        const CUrlItem& r = *doc.m_PtrAry[i];
        s += std::to_string(r.m_ID) + "," + std::to_string(r.m_ParentID) + "," +
             std::to_string(r.m_IsURL) + "," + r.m_Title.str() + "," + r.m_URL.str() + "," +
             r.m_Memo.str() + ";";
    }
    return s;
}

const std::vector<Rec> kFindDoc = {
    {1, 0, "News"},
    {2, 1, "Example A", 1, "http://a/"},
    {3, 1, "Other", 1, "http://b/", "line one\r\nan EXAMPLE here"},
    {4, 0, "Zeta", 1, "http://example.org/"},
    {5, 0, "Plain"},
    {6, 5, "ソフト"},
};

TEST(FindBar, CtrlFTypingF3WrapsAroundAndEscReturnsToTheTree) {
    ViewFixture f;
    f.Load(kFindDoc);
    CFindBar& bar = f.Frame()->m_wndFindBar;
    f.Select(5);
    SetFocus(f.Tree()->m_hWnd);
    EXPECT_FALSE(bar.IsOpen());

    Key(f, 'F', true);
    ASSERT_TRUE(bar.IsOpen());
    EXPECT_EQ(GetFocus(), bar.GetEdit());
    // The bar sits above the tree, inside the pane.
    RECT rcBar, rcTree;
    GetWindowRect(bar.m_hWnd, &rcBar);
    GetWindowRect(f.Tree()->m_hWnd, &rcTree);
    EXPECT_EQ(rcBar.bottom, rcTree.top);
    EXPECT_EQ(rcBar.left, rcTree.left);

    // Title, memo (past its line break, other case) and URL, in tree order.
    Type(f, "exa");
    EXPECT_EQ(f.SelectedID(), 2);
    EXPECT_EQ(Status(f), "1 / 3");
    EXPECT_EQ(f.FieldText(IDC_TITLE), "Example A");
    const struct {
        bool bShift;
        int id;
        const char* status;
    } steps[] = {
        {false, 3, "2 / 3"}, {false, 4, "3 / 3"}, {false, 2, "1 / 3"},  // wraps to the top
        {true, 4, "3 / 3"},                                             // and to the bottom
        {true, 3, "2 / 3"},
    };
    for (const auto& s : steps) {
        Key(f, VK_F3, false, s.bShift);
        EXPECT_EQ(f.SelectedID(), s.id);
        EXPECT_EQ(Status(f), s.status);
    }
    // Enter in the field goes on as F3 does.
    Key(f, VK_RETURN);
    EXPECT_EQ(f.SelectedID(), 4);

    // No match: the selection stays, the status bar says so.
    Type(f, "zz");
    EXPECT_EQ(f.SelectedID(), 4);
    EXPECT_EQ(Status(f), Found("exazz"));
    Key(f, VK_F3);
    EXPECT_EQ(f.SelectedID(), 4);

    // Ctrl+Z in the field undoes typing there, never a document change.
    const size_t nUndo = f.Doc()->History().GetUndoCount();
    char before[64] = "";
    GetWindowTextA(bar.GetEdit(), before, sizeof(before));
    Key(f, 'Z', true);
    char after[64] = "";
    GetWindowTextA(bar.GetEdit(), after, sizeof(after));
    EXPECT_STRNE(before, after);
    EXPECT_EQ(f.Doc()->History().GetUndoCount(), nUndo);

    Key(f, VK_ESCAPE);
    EXPECT_FALSE(bar.IsOpen());
    EXPECT_EQ(GetFocus(), f.Tree()->m_hWnd);
    EXPECT_EQ(f.Frame()->GetActiveView(), f.Tree());
    // The tree takes the whole pane again.
    RECT rcPane;
    GetWindowRect(f.Tree()->m_hWnd, &rcPane);
    EXPECT_EQ(rcPane.top, rcBar.top);
}

TEST(FindBar, MatchesWidthsKanaAndCaseAndFollowsTheTreeAfterChanges) {
    ViewFixture f;
    f.Load(kFindDoc);
    CFindBar& bar = f.Frame()->m_wndFindBar;
    const struct {
        const char* query;  // UTF-8
        int first;
        const char* status;
    } cases[] = {
        {"ｿﾌﾄ", 6, "1 / 1"},     {"そふと", 6, "1 / 1"}, {"ＮＥＷＳ", 1, "1 / 1"},
        {"http://", 2, "1 / 3"}, {"here", 3, "1 / 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        f.Command(ID_EDIT_FIND);
        SetWindowTextA(bar.GetEdit(), A(c.query).c_str());
        f.h.PumpIdle();
        EXPECT_EQ(f.SelectedID(), c.first);
        EXPECT_EQ(Status(f), c.status);
    }
    // A folder added under the ROOT comes first in the tree: the next search
    // sees it there.
    SetWindowTextA(bar.GetEdit(), "");
    f.Select(0);
    f.Command(ID_ADD_FOLDER);
    const int nNew = f.SelectedID();
    SetWindowTextA(bar.GetEdit(), A("フォルダ").c_str());
    f.h.PumpIdle();
    EXPECT_EQ(f.SelectedID(), nNew);
    EXPECT_EQ(Status(f), "1 / 1");
}

TEST(Undo, ARootDeleteComesBackWholeWithTheTreeAsItWas) {
    ViewFixture f;
    f.Load(kFindDoc);
    // One folder collapsed by the user.
    TreeView_Expand(f.Tree()->m_hWnd, f.Node(1), TVE_COLLAPSE);
    const std::string shape = f.Shape();
    const std::string dump = Dump(*f.Doc());
    EXPECT_FALSE(f.Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(f.Enabled(ID_EDIT_REDO));

    f.Select(0);
    f.Command(ID_DELETE);
    EXPECT_EQ(f.Shape(), "");
    EXPECT_TRUE(f.Doc()->IsModified());
    EXPECT_TRUE(f.Enabled(ID_EDIT_UNDO));

    // Ctrl+Z in the tree undoes the document change.
    SetFocus(f.Tree()->m_hWnd);
    Key(f, 'Z', true);
    EXPECT_EQ(f.Shape(), shape);
    EXPECT_EQ(Dump(*f.Doc()), dump);
    EXPECT_EQ(f.SelectedID(), 0);
    EXPECT_EQ(f.Doc()->m_bEmpty, 0);
    EXPECT_FALSE(f.Doc()->IsModified());
    EXPECT_FALSE(f.Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(f.Enabled(ID_EDIT_REDO));

    // Ctrl+Y does it again.
    Key(f, 'Y', true);
    EXPECT_EQ(f.Shape(), "");
    EXPECT_EQ(f.Doc()->m_bEmpty, 1);
    EXPECT_TRUE(f.Doc()->IsModified());
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Shape(), shape);
}

TEST(Undo, ASubtreeDeleteComesBackWithItsIDsMemosAndPlaces) {
    ViewFixture f;
    f.Load(kFindDoc);
    const std::string shape = f.Shape();
    const std::string dump = Dump(*f.Doc());
    f.Select(1);
    f.Command(ID_DELETE);
    EXPECT_EQ(f.Shape(), A("ROOT(Plain(ソフト),Zeta)"));
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Shape(), shape);
    EXPECT_EQ(Dump(*f.Doc()), dump);
    EXPECT_EQ(f.SelectedID(), 1);
    EXPECT_EQ(f.Doc()->GetCurIndex(), 0);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "News");
}

TEST(Undo, AMoveGoesBackAndANewChangeClearsRedo) {
    ViewFixture f;
    f.Load(kFindDoc);
    const std::string shape = f.Shape();
    const std::string dump = Dump(*f.Doc());
    // Drag "Zeta" onto "News".
    {
        HWND hTree = f.Tree()->m_hWnd;
        RECT rcFrom = {}, rcTo = {};
        TreeView_GetItemRect(hTree, f.Node(4), &rcFrom, TRUE);
        TreeView_GetItemRect(hTree, f.Node(1), &rcTo, TRUE);
        NMTREEVIEWA nm = {};
        nm.hdr.hwndFrom = hTree;
        nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hTree));
        nm.hdr.code = TVN_BEGINDRAGA;
        nm.itemNew.hItem = f.Node(4);
        nm.itemNew.lParam = 4;
        nm.ptDrag = {rcFrom.left + 2, (rcFrom.top + rcFrom.bottom) / 2};
        SendMessageA(GetParent(hTree), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        const POINT pt = {rcTo.left + 2, (rcTo.top + rcTo.bottom) / 2};
        SendMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        SendMessageA(hTree, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    const std::string moved = f.Shape();
    ASSERT_EQ(moved, A("ROOT(News(Example A,Other,Zeta),Plain(ソフト))"));

    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Shape(), shape);
    EXPECT_EQ(Dump(*f.Doc()), dump);
    EXPECT_EQ(f.SelectedID(), 4);
    f.Command(ID_EDIT_REDO);
    EXPECT_EQ(f.Shape(), moved);
    EXPECT_EQ(f.Record(4)->m_ParentID, 1);

    f.Command(ID_EDIT_UNDO);
    EXPECT_TRUE(f.Enabled(ID_EDIT_REDO));
    f.Select(5);
    f.Command(ID_ADD_URL);
    EXPECT_FALSE(f.Enabled(ID_EDIT_REDO));
    // Undoing the add selects the folder it went into.
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(Dump(*f.Doc()), dump);
    EXPECT_EQ(f.SelectedID(), 5);
}

TEST(Undo, UpdateAndMemoTypingAreOneStepEachAndTheFieldsFollow) {
    ViewFixture f;
    f.Load(kFindDoc);
    const std::string shape = f.Shape();
    const std::string dump = Dump(*f.Doc());
    f.Select(2);
    // UPDATE renames "Example A" to "Alpha".
    HWND hForm = f.Form()->m_hWnd;
    SetDlgItemTextA(hForm, IDC_TITLE, "Alpha");
    SetDlgItemTextA(hForm, IDC_URL, "http://alpha/");
    SendMessageA(hForm, WM_COMMAND, MAKEWPARAM(IDC_UPDATE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hForm, IDC_UPDATE)));
    EXPECT_EQ(f.Record(2)->m_Title, "Alpha");
    // Memo typing: two changes to one record.
    HWND hMemo = f.Edit()->m_hWnd;
    SendMessageA(hMemo, WM_CHAR, 'a', 1);
    SendMessageA(hMemo, WM_CHAR, 'b', 1);
    EXPECT_EQ(f.Record(2)->m_Memo, "ab");
    f.Select(1);  // the typing ends with the selection's move

    f.Command(ID_EDIT_UNDO);  // the memo, both changes at once
    EXPECT_EQ(f.Record(2)->m_Memo, "");
    EXPECT_EQ(f.Record(2)->m_Title, "Alpha");
    EXPECT_EQ(f.SelectedID(), 2);
    f.Command(ID_EDIT_UNDO);  // the UPDATE
    EXPECT_EQ(Dump(*f.Doc()), dump);
    EXPECT_EQ(f.Shape(), shape);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "Example A");
    EXPECT_EQ(f.FieldText(IDC_URL), "http://a/");
    f.Command(ID_EDIT_REDO);
    EXPECT_EQ(f.Shape(), "ROOT(News(Alpha,Other),Plain(" + A("ソフト") + "),Zeta)");
    f.Command(ID_EDIT_REDO);
    char memo[16] = "";
    GetWindowTextA(hMemo, memo, sizeof(memo));
    EXPECT_STREQ(memo, "ab");
}

// UPDATE relabels a node where it stands. Find and F3 walk the tree as it
// shows, and undo, redo and a later rebuild leave the node where UPDATE put it.
TEST(Undo, ANodeRelabelledInPlaceStaysThereForFindAndUndo) {
    ViewFixture f;
    f.Load(kFindDoc);
    CFindBar& bar = f.Frame()->m_wndFindBar;
    f.Select(2);
    HWND hForm = f.Form()->m_hWnd;
    SetDlgItemTextA(hForm, IDC_TITLE, "Zexample");
    SendMessageA(hForm, WM_COMMAND, MAKEWPARAM(IDC_UPDATE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hForm, IDC_UPDATE)));
    const std::string shape = "ROOT(News(Zexample,Other),Plain(" + A("ソフト") + "),Zeta)";
    ASSERT_EQ(f.Shape(), shape);

    // "exa": the title, the memo of Other, Zeta's URL: in the order shown.
    auto find = [&]() {
        f.Command(ID_EDIT_FIND);
        SetWindowTextA(bar.GetEdit(), "");
        SetWindowTextA(bar.GetEdit(), "exa");
        f.h.PumpIdle();
        EXPECT_EQ(f.SelectedID(), 2);
        EXPECT_EQ(Status(f), "1 / 3");
        for (int nID : {3, 4, 2}) {
            f.Command(ID_FIND_NEXT);
            EXPECT_EQ(f.SelectedID(), nID);
        }
        SetWindowTextA(bar.GetEdit(), "");
    };
    find();

    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Shape(), "ROOT(News(Example A,Other),Plain(" + A("ソフト") + "),Zeta)");
    f.Command(ID_EDIT_REDO);
    EXPECT_EQ(f.Shape(), shape);
    // An add undone rebuilds the tree.
    f.Select(5);
    f.Command(ID_ADD_FOLDER);
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Shape(), shape);
    find();
}

TEST(Undo, TheModifiedFlagFollowsTheSavedState) {
    ViewFixture f;
    f.Load(kFindDoc);
    f.Select(0);
    f.Command(ID_ADD_FOLDER);
    EXPECT_TRUE(f.Doc()->IsModified());
    const std::string path = f.dir.File("saved.pmk");
    ASSERT_TRUE(f.Doc()->OnSaveDocument(path.c_str()));
    EXPECT_FALSE(f.Doc()->IsModified());
    f.Command(ID_EDIT_UNDO);
    EXPECT_TRUE(f.Doc()->IsModified());
    f.Command(ID_EDIT_REDO);
    EXPECT_FALSE(f.Doc()->IsModified());
    // New empties the history.
    f.Doc()->OnNewDocument();
    EXPECT_FALSE(f.Doc()->History().CanUndo());
    EXPECT_FALSE(f.Doc()->History().CanRedo());
}

}  // namespace

namespace {

// Opening a document, as the command line does, leaves nothing to undo.
TEST(Undo, NothingToUndoAfterOpeningADocument) {
    ScratchDir dir;
    WriteBytes(dir.File("sample.pmk"), ReadBytes(TestDataPath("sample.pmk")));
    AppHarness h(dir);
    ASSERT_TRUE(h.Start({WinPath(dir.File("sample.pmk"))}));
    h.PumpIdle();
    EXPECT_FALSE(h.Document()->History().CanUndo())
        << static_cast<int>(h.Document()->History().UndoKind());
    EXPECT_FALSE(h.Document()->IsModified());
}

}  // namespace
