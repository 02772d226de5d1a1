// The tree pane: building from the table, selection, adding, deleting and
// moving records, driven through the tree control and the commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "fw/base/LegacyText.h"
#include "fw/base/CTime.h"
#include "fw/win/CView.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "store/ItemEdits.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

TEST(TreeBuild, ShapesOfSoundAndDamagedDocuments) {
    const struct {
        const char* name;
        std::vector<Rec> records;
        const char* shape;
    } cases[] = {
        {"empty", {}, ""},
        {"children before parents, siblings sorted",
         {{5, 2, "Echo", 1},
          {3, 0, "Charlie"},
          {2, 0, "Bravo"},
          {4, 2, "Delta"},
          {1, 0, "Alpha", 1}},
         "ROOT(Alpha,Bravo(Delta,Echo),Charlie)"},
        {"three levels",
         {{1, 0, "A"}, {2, 1, "B"}, {3, 2, "C"}, {4, 3, "D", 1}},
         "ROOT(A(B(C(D))))"},
        {"missing parent stays out", {{1, 0, "A"}, {2, 9, "Orphan"}}, "ROOT(A)"},
        {"own parent stays out", {{1, 0, "A"}, {2, 2, "Self"}}, "ROOT(A)"},
        {"loop stays out", {{1, 0, "A"}, {2, 3, "L1"}, {3, 2, "L2"}}, "ROOT(A)"},
        {"ID 0 stays out", {{0, 0, "Zero"}, {1, 0, "A"}}, "ROOT(A)"},
        {"repeated ID shown once, by its first record",
         {{1, 0, "First"}, {1, 0, "Second"}, {2, 1, "Child"}},
         "ROOT(First(Child))"},
        {"children of a URL record sorted and expanded",
         {{1, 0, "Page", 1}, {2, 1, "Zulu"}, {3, 1, "Alpha", 1}, {4, 2, "Inner"}},
         "ROOT(Page(Alpha,Zulu(Inner)))"},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MessageRecorder messages;
        f.Load(c.records);
        EXPECT_EQ(f.Shape(), c.shape);
        EXPECT_TRUE(messages.messages.empty());
        // Nothing leaves the table, shown or not.
        EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), static_cast<int>(c.records.size()));
        if (!c.records.empty()) {
            EXPECT_EQ(TreeView_GetSelection(f.Tree()->m_hWnd), f.Node(0));
        }
        EXPECT_EQ(f.Doc()->GetCurIndex(), -1);
    }
}

TEST(TreeSelection, FollowsTheNodeIntoTheDocumentAndTheOtherPanes) {
    ViewFixture f;
    f.Load({{1, 0, "Folder", 0, "", "folder memo"},
            {2, 1, "Page", 1, "http://example.com/", "page memo"}});
    f.Select(2);
    EXPECT_EQ(f.Doc()->GetCurIndex(), 1);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "Page");
    EXPECT_EQ(f.FieldText(IDC_URL), "http://example.com/");
    EXPECT_TRUE(f.FieldEnabled(IDC_URL));
    EXPECT_TRUE(f.FieldEnabled(IDC_UPDATE));
    CString memo;
    f.Edit()->GetWindowText(memo);
    EXPECT_EQ(memo, "page memo");

    f.Select(1);
    EXPECT_EQ(f.Doc()->GetCurIndex(), 0);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "Folder");
    EXPECT_FALSE(f.FieldEnabled(IDC_URL));
    EXPECT_TRUE(f.FieldEnabled(IDC_TITLE));

    f.Select(0);
    EXPECT_EQ(f.Doc()->GetCurIndex(), -1);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "");
    EXPECT_FALSE(f.FieldEnabled(IDC_TITLE));
    EXPECT_FALSE(f.FieldEnabled(IDC_UPDATE));
    EXPECT_FALSE(f.Edit()->IsWindowEnabled());
    EXPECT_FALSE(f.Doc()->IsModified());
}

TEST(TreeKeys, TabMovesToTheFormOnlyFromARecord) {
    ViewFixture f;
    f.Load({{1, 0, "Folder"}});
    for (int nID : {0, 1}) {
        SCOPED_TRACE(nID);
        f.Select(nID);
        f.Frame()->SetActiveView(f.Tree());
        PostMessageA(f.Tree()->m_hWnd, WM_KEYDOWN, VK_TAB, 0);
        f.h.PumpIdle();
        EXPECT_EQ(f.Frame()->GetActiveView(),
                  nID ? static_cast<CView*>(f.Form()) : static_cast<CView*>(f.Tree()));
    }
}

TEST(TreeAdd, FolderInAnEmptyDocumentMakesTheRoot) {
    ViewFixture f;
    f.Load({});
    f.Command(ID_ADD_FOLDER);
    EXPECT_EQ(f.Shape(), A("ROOT(( ﾌｫﾙﾀﾞ ))"));
    EXPECT_EQ(f.SelectedID(), 1);
    EXPECT_EQ(f.Doc()->m_bEmpty, 0);
    EXPECT_TRUE(f.Doc()->IsModified());
    const CUrlItem* p = f.Record(1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->m_ParentID, 0);
    EXPECT_EQ(p->m_IsURL, 0);
    EXPECT_EQ(p->m_URL, "");
    EXPECT_EQ(f.FieldText(IDC_TITLE), A("( ﾌｫﾙﾀﾞ )"));
}

TEST(TreeAdd, DefaultTitlesAreUniqueAcrossFoldersAndLetterCase) {
    ViewFixture f;
    f.Load({{1, 0, "Box"}, {2, 1, "( ﾌｫﾙﾀﾞ )"}, {3, 1, "新規作成 ( url )", 1}});
    f.Select(0);
    f.Command(ID_ADD_URL);
    f.Select(0);
    f.Command(ID_ADD_URL);
    f.Select(0);
    f.Command(ID_ADD_FOLDER);
    ASSERT_EQ(f.Doc()->m_PtrAry.GetSize(), 6);
    EXPECT_EQ(f.Record(4)->m_Title, Ansi("新規作成 ( URL ) -- 1"));
    EXPECT_EQ(f.Record(5)->m_Title, Ansi("新規作成 ( URL ) -- 2"));
    EXPECT_EQ(f.Record(6)->m_Title, Ansi("( ﾌｫﾙﾀﾞ ) -- 1"));
    for (int nID : {4, 5}) {
        EXPECT_EQ(f.Record(nID)->m_URL, kNewItemURL);
        EXPECT_EQ(f.Record(nID)->m_ParentID, 0);
    }
}

TEST(TreeAdd, UnderTheSelectedFolderWithTheSmallestFreeID) {
    ViewFixture f;
    f.Load({{1, 0, "A"}, {3, 0, "C"}});
    f.Select(3);
    f.Command(ID_ADD_URL);
    EXPECT_EQ(f.SelectedID(), 2);
    EXPECT_EQ(f.Record(2)->m_ParentID, 3);
    EXPECT_EQ(f.Doc()->GetCurIndex(), 2);
    EXPECT_EQ(f.Shape(), A("ROOT(A,C(新規作成 ( URL )))"));
}

TEST(TreeAdd, NothingUnderAURL) {
    ViewFixture f;
    f.Load({{1, 0, "Page", 1}});
    f.Select(1);
    // The command is disabled ...
    f.Command(ID_ADD_FOLDER);
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 1);
    // ... and the routine itself refuses with its message.
    MessageRecorder messages;
    f.Tree()->InsertNewItem(TRUE, FALSE, FALSE);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, AfxLoadString(IDP_NO_ADD_UNDER_URL));
    EXPECT_EQ(messages.messages[0].type & 0xF0u, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 1);
}

TEST(TreeAdd, ForcedFoldersAreTitledByTheTime) {
    const struct {
        int isIE;
        BOOL bookmark;
        const char* format;
    } cases[] = {
        {1, FALSE, "お気に入り (%y年%m月%d日 %H時%M分%S秒)"},
        {1, TRUE, "Bookmark (%y年%m月%d日 %H時%M分%S秒)"},
        {0, FALSE, "Bookmark (%y年%m月%d日 %H時%M分%S秒)"},
    };
    ViewFixture f;
    f.Load({{1, 0, "Page", 1}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        f.Select(1);  // a URL: forced folders go to the top all the same
        f.Tree()->m_bBrowserIsIE = c.isIE;
        const CString before = CTime::GetCurrentTime().Format(Ansi(c.format));
        f.Tree()->InsertNewItem(TRUE, TRUE, c.bookmark);
        const CString after = CTime::GetCurrentTime().Format(Ansi(c.format));
        const CUrlItem* p = f.Doc()->m_PtrAry[f.Doc()->m_PtrAry.GetUpperBound()];
        EXPECT_TRUE(p->m_Title == before || p->m_Title == after) << p->m_Title.str();
        EXPECT_EQ(p->m_ParentID, 0);
        EXPECT_EQ(f.Tree()->m_hImportNode, f.Node(p->m_ID));
        EXPECT_EQ(TreeView_GetParent(f.Tree()->m_hWnd, f.Tree()->m_hImportNode), f.Node(0));
    }
}

TEST(TreeAdd, TitleEmptyShowsEmptyFieldsAndKeepsTheDefaults) {
    ViewFixture f;
    f.Load({{1, 0, "A"}});
    f.Tree()->m_TitleEmpty = 1;
    f.Select(0);
    f.Command(ID_ADD_URL);
    EXPECT_EQ(f.FieldText(IDC_TITLE), "");
    EXPECT_EQ(f.FieldText(IDC_URL), "");
    EXPECT_EQ(f.Frame()->GetActiveView(), f.Form());
    EXPECT_EQ(f.Record(2)->m_Title, Ansi("新規作成 ( URL )"));
    EXPECT_EQ(f.Record(2)->m_URL, kNewItemURL);
}

TEST(TreeDelete, RemovesTheSubtreeAndFreesItsIDs) {
    ViewFixture f;
    f.Load({{1, 0, "A"}, {2, 1, "B"}, {3, 2, "C"}, {4, 3, "D", 1}, {5, 0, "E", 1}, {6, 2, "F", 1}});
    f.Select(2);
    f.Command(ID_DELETE);
    EXPECT_EQ(f.Shape(), "ROOT(A,E)");
    ASSERT_EQ(f.Doc()->m_PtrAry.GetSize(), 2);
    EXPECT_EQ(f.Doc()->m_PtrAry[0]->m_ID, 1);
    EXPECT_EQ(f.Doc()->m_PtrAry[1]->m_ID, 5);
    EXPECT_TRUE(f.Doc()->IsModified());
    // The index follows whatever node the control selected instead.
    const int nSel = f.SelectedID();
    EXPECT_EQ(f.Doc()->GetCurIndex(), nSel ? f.Doc()->IndexOfID(nSel) : -1);
    f.Select(0);
    f.Command(ID_ADD_FOLDER);
    EXPECT_EQ(f.SelectedID(), 2);
}

TEST(TreeDelete, TheLastRecordOrTheRootEmptiesTheDocument) {
    const struct {
        const char* name;
        std::vector<Rec> records;
        int select;
    } cases[] = {
        {"only record", {{1, 0, "A"}}, 1},
        {"root", {{1, 0, "A"}, {2, 1, "B"}}, 0},
        // Unreachable records go with the ROOT too: nothing is left behind.
        {"root of a damaged document", {{1, 0, "A"}, {2, 9, "Lost"}}, 0},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MessageRecorder messages;
        f.Load(c.records);
        f.Select(c.select);
        f.Command(ID_DELETE);
        EXPECT_EQ(f.Shape(), "");
        EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 0);
        EXPECT_EQ(f.Doc()->m_bEmpty, 1);
        EXPECT_EQ(f.Doc()->GetCurIndex(), -1);
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_FALSE(f.Enabled(ID_DELETE));
    }
}

TEST(TreeDelete, TheDeleteKeyActsInTheTreeOnly) {
    ViewFixture f;
    f.Load({{1, 0, "A"}, {2, 0, "B"}});
    f.Select(2);
    // In the form's TITLE field the key edits text.
    HWND hTitle = GetDlgItem(f.Form()->m_hWnd, IDC_TITLE);
    f.Frame()->SetActiveView(f.Form());
    SetFocus(hTitle);
    PostMessageA(hTitle, WM_KEYDOWN, VK_DELETE, 0);
    PostMessageA(hTitle, WM_KEYUP, VK_DELETE, 0xC0000001);
    f.h.PumpIdle();
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 2);
    // In the tree it deletes, on release.
    f.Frame()->SetActiveView(f.Tree());
    PostMessageA(f.Tree()->m_hWnd, WM_KEYUP, VK_DELETE, 0xC0000001);
    f.h.PumpIdle();
    EXPECT_EQ(f.Shape(), "ROOT(A)");
}

// A drag as the control and the mouse report it: TVN_BEGINDRAG on the dragged
// node, the cursor moving over the target (nToID -1: over no node). Returns
// the cursor's point.
POINT BeginDragOver(ViewFixture& f, int nFromID, int nToID) {
    CTreeVw* pTree = f.Tree();
    HWND hTree = pTree->m_hWnd;
    HTREEITEM hFrom = f.Node(nFromID);
    RECT rcFrom = {};
    TreeView_GetItemRect(hTree, hFrom, &rcFrom, TRUE);
    NMTREEVIEWA nm = {};
    nm.hdr.hwndFrom = hTree;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hTree));
    nm.hdr.code = TVN_BEGINDRAGA;
    nm.action = 0;
    nm.itemNew.hItem = hFrom;
    nm.itemNew.lParam = nFromID;
    nm.ptDrag = {rcFrom.left + 2, (rcFrom.top + rcFrom.bottom) / 2};
    SendMessageA(GetParent(hTree), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    POINT pt = nm.ptDrag;
    if (nToID >= 0) {
        RECT rcTo = {};
        TreeView_GetItemRect(hTree, f.Node(nToID), &rcTo, TRUE);
        pt = {rcTo.left + 2, (rcTo.top + rcTo.bottom) / 2};
    } else {
        // Below every node: the cursor passes over no node.
        RECT rc;
        GetClientRect(hTree, &rc);
        pt = {rc.right - 2, rc.bottom - 2};
    }
    SendMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    return pt;
}

// ... and the button released there.
void Drag(ViewFixture& f, int nFromID, int nToID) {
    const POINT pt = BeginDragOver(f, nFromID, nToID);
    SendMessageA(f.Tree()->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

const std::vector<Rec> kDragDoc = {{1, 0, "A"}, {2, 1, "B"},    {3, 2, "C"},
                                   {4, 0, "D"}, {5, 0, "U", 1}, {6, 4, "E", 1}};

TEST(TreeDrag, RefusedDropsBeepAndChangeNothing) {
    const struct {
        const char* name;
        int from, to;
    } cases[] = {
        {"onto itself", 1, 1},
        {"into its own subfolder", 1, 3},
        {"onto its parent", 2, 1},
        {"onto a URL", 4, 5},
        {"the ROOT anywhere", 0, 4},
        {"over no node", 4, -1},
        {"to the ROOT from the top", 4, 0},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.Load(kDragDoc);
        const std::string shape = f.Shape();
        BeepCounter beeps;
        Drag(f, c.from, c.to);
        EXPECT_EQ(beeps.count(), 1);
        EXPECT_EQ(f.Shape(), shape);
        for (const Rec& r : kDragDoc) EXPECT_EQ(f.Record(r.id)->m_ParentID, r.parent);
        EXPECT_FALSE(f.Doc()->IsModified());
        EXPECT_EQ(f.Tree()->m_bDragging, 0);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST(TreeDrag, ADropChangesOnlyTheDraggedParentAndSurvivesSaving) {
    ViewFixture f;
    f.Load(kDragDoc);
    BeepCounter beeps;
    Drag(f, 2, 4);
    EXPECT_EQ(beeps.count(), 0);
    EXPECT_EQ(f.Shape(), "ROOT(A,D(B(C)+,E),U)");
    for (const Rec& r : kDragDoc)
        EXPECT_EQ(f.Record(r.id)->m_ParentID, r.id == 2 ? 4 : r.parent) << r.id;
    // The table keeps its order.
    EXPECT_EQ(f.Doc()->IndexOfID(2), 1);
    EXPECT_EQ(f.SelectedID(), 0);
    EXPECT_EQ(f.Doc()->GetCurIndex(), -1);
    EXPECT_TRUE(f.Doc()->IsModified());

    // Onto the ROOT: to the top level.
    Drag(f, 3, 0);
    EXPECT_EQ(f.Record(3)->m_ParentID, 0);

    const std::string path = WinPath(f.dir.File("moved.pmk"));
    ASSERT_TRUE(f.Doc()->OnSaveDocument(path.c_str()));
    ASSERT_TRUE(f.h.app.OpenDocumentFile(path.c_str()));
    EXPECT_EQ(f.Shape(), "ROOT(A,C,D(B,E),U)");
}

// After New or Open the toolbar shows the new document's state through the
// tree's rules, whichever pane had the focus: the form and memo panes are
// empty and disabled then, so the tree takes over as the active pane.
TEST(TreeDocumentChange, ToolbarFollowsTheNewDocumentWhicheverPaneWasActive) {
    enum Pane { kTree, kForm, kMemo };
    enum Change { kNew, kOpen, kDamagedOpen, kNewAfterMove };
    const struct {
        const char* name;
        Change change;
        Pane pane;
        bool bEmptyAfter;
    } cases[] = {
        {"New, tree active", kNew, kTree, true},
        {"New, form active", kNew, kForm, true},
        {"New, memo active", kNew, kMemo, true},
        {"Open, form active", kOpen, kForm, false},
        {"Open, tree active", kOpen, kTree, false},
        {"failed Open of a damaged file, memo active", kDamagedOpen, kMemo, true},
        {"New after a move", kNewAfterMove, kTree, true},
    };
    ViewFixture f;
    const std::string saved = WinPath(f.dir.File("saved.pmk"));
    const std::string damaged = WinPath(f.dir.File("damaged.pmk"));
    WriteBytes(f.dir.File("damaged.pmk"), std::string("\x05\x00\x00\x00\x01", 5));
    f.Load(kDragDoc);
    ASSERT_TRUE(f.Doc()->OnSaveDocument(saved.c_str()));
    CToolBarEx& bar = f.Frame()->m_wndToolBar;
    auto shown = [&bar](UINT nID) { return bar.SendMessage(TB_ISBUTTONENABLED, nID) != 0; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.Load(kDragDoc);
        if (c.change == kNewAfterMove) Drag(f, 2, 4);
        f.Select(5);  // a URL record
        f.Frame()->SetActiveView(f.Tree());
        f.h.PumpIdle();
        ASSERT_TRUE(shown(ID_EXECUTE));
        ASSERT_FALSE(shown(ID_ADD_URL));
        CView* panes[] = {f.Tree(), f.Form(), f.Edit()};
        f.Frame()->SetActiveView(panes[c.pane]);
        MessageRecorder answers(IDNO);  // no saving; the damaged file's report
        switch (c.change) {
            case kNew:
            case kNewAfterMove:
                f.Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
                break;
            case kOpen:
                ASSERT_TRUE(f.h.app.OpenDocumentFile(saved.c_str()));
                break;
            case kDamagedOpen:
                ASSERT_FALSE(f.h.app.OpenDocumentFile(damaged.c_str()));
                break;
        }
        f.h.PumpIdle();
        EXPECT_EQ(f.Doc()->m_bEmpty, c.bEmptyAfter ? 1 : 0);
        EXPECT_EQ(f.Frame()->GetActiveView(), f.Tree());
        for (UINT nID : {ID_ADD_URL, ID_ADD_FOLDER, ID_GETURL}) EXPECT_TRUE(shown(nID)) << nID;
        for (UINT nID : {ID_EXECUTE, ID_CLIPBOARD_LINK}) EXPECT_FALSE(shown(nID)) << nID;
        for (UINT nID : {ID_DELETE, ID_CREATE_LINK_HTML})
            EXPECT_EQ(shown(nID), !c.bEmptyAfter) << nID;
    }
}

// A drag that never sees its button released: Esc, or the mouse capture
// taken by another window (a switch to another program does that). The drag
// ends there: no drag image, no drop highlight, and the next ordinary click
// over the last target moves nothing.
TEST(TreeDrag, ADragLeftHangingIsCancelled) {
    const char* cases[] = {"Esc", "capture taken"};
    ViewFixture f;
    for (const char* how : cases) {
        SCOPED_TRACE(how);
        f.Load(kDragDoc);
        const std::string shape = f.Shape();
        HWND hTree = f.Tree()->m_hWnd;
        BeepCounter beeps;
        BeginDragOver(f, 2, 4);
        ASSERT_EQ(f.Tree()->m_bDragging, 1);
        ASSERT_EQ(TreeView_GetDropHilight(hTree), f.Node(4));
        if (std::string(how) == "Esc") {
            SendMessageA(hTree, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            HWND hOther = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
            SetCapture(hOther);
            ReleaseCapture();
            DestroyWindow(hOther);
        }
        EXPECT_EQ(f.Tree()->m_bDragging, 0);
        EXPECT_EQ(TreeView_GetDropHilight(hTree), nullptr);
        EXPECT_EQ(f.Tree()->m_pDragImage, nullptr);
        EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
        EXPECT_NE(GetCapture(), hTree);
        // The next click, in the empty part of the pane (a click on a label
        // would start the control's own drag detection).
        RECT rc;
        GetClientRect(hTree, &rc);
        const LPARAM lEmpty = MAKELPARAM(rc.right - 2, rc.bottom - 2);
        SendMessageA(hTree, WM_LBUTTONDOWN, MK_LBUTTON, lEmpty);
        SendMessageA(hTree, WM_LBUTTONUP, 0, lEmpty);
        f.h.PumpIdle();
        EXPECT_EQ(f.Shape(), shape);
        for (const Rec& r : kDragDoc) EXPECT_EQ(f.Record(r.id)->m_ParentID, r.parent);
        EXPECT_FALSE(f.Doc()->IsModified());
        EXPECT_EQ(beeps.count(), 0);
    }
}

// A drag holds its nodes until the button's release. The commands that change
// the tree wait for it (the Delete key and Ctrl+V reach the tree during a
// drag); New, whose key also works then, ends the drag with the old nodes.
TEST(TreeDrag, TreeChangesWaitForTheDropAndNewEndsTheDrag) {
    ViewFixture f;
    f.Load(kDragDoc);
    HWND hTree = f.Tree()->m_hWnd;
    f.Select(1);  // the dragged node's folder
    POINT pt = BeginDragOver(f, 2, 4);
    for (UINT nID : {ID_DELETE, ID_ADD_URL, ID_ADD_FOLDER, ID_GETURL, ID_EDIT_PASTE,
                     ID_READ_BOOKMARK, ID_CONVERT_FAV_TO_FILE})
        EXPECT_FALSE(f.Enabled(nID)) << nID;
    EXPECT_TRUE(f.Enabled(ID_CREATE_LINK_HTML));  // it changes nothing in the tree
    SetFocus(hTree);
    PostMessageA(hTree, WM_KEYDOWN, VK_DELETE, 1);
    PostMessageA(hTree, WM_KEYUP, VK_DELETE, 0xC0000001);
    f.h.PumpIdle();
    f.Command(ID_DELETE);
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 6);
    ASSERT_EQ(f.Tree()->m_bDragging, 1);
    SendMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    SendMessageA(hTree, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(f.Shape(), "ROOT(A,D(B(C)+,E),U)");
    EXPECT_TRUE(f.Enabled(ID_DELETE));

    f.Load(kDragDoc);
    pt = BeginDragOver(f, 2, 4);
    f.Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
    EXPECT_EQ(f.Tree()->m_bDragging, 0);
    EXPECT_NE(GetCapture(), hTree);
    SendMessageA(hTree, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(f.Shape(), "");
    EXPECT_FALSE(f.Doc()->IsModified());
    f.Command(ID_ADD_FOLDER);
    EXPECT_EQ(f.Shape(), A("ROOT(( ﾌｫﾙﾀﾞ ))"));
}

// Moving copies the subtree node by node; a damaged bookmark file can give
// chains of folders thousands deep, which must move whole without exhausting
// the stack (one frame per level did, at a few thousand levels). The tree
// control itself frees such a chain recursively: the programs' main-thread
// stack is made large enough for it (a 1 MB stack failed at 20,000 levels).
TEST(TreeDrag, MovesAChainTwentyFiveThousandFoldersDeep) {
    constexpr int kDepth = 25000;
    std::vector<Rec> records = {{1, 0, "A"}};
    for (int i = 0; i < kDepth; ++i) records.push_back({i + 2, i == 0 ? 0 : i + 1, "Link"});
    ViewFixture f;
    f.Load(records);
    HWND hTree = f.Tree()->m_hWnd;
    ASSERT_EQ(TreeView_GetCount(hTree), static_cast<UINT>(kDepth + 2));
    Drag(f, 2, 1);
    EXPECT_EQ(f.Record(2)->m_ParentID, 1);
    EXPECT_EQ(TreeView_GetCount(hTree), static_cast<UINT>(kDepth + 2));
    int nDepth = 0;
    HTREEITEM h = f.Node(1);
    for (HTREEITEM hChild; (hChild = TreeView_GetChild(hTree, h)) != nullptr; h = hChild) {
        EXPECT_EQ(f.Tree()->GetItemID(hChild), nDepth + 2);
        if (f.Tree()->GetItemID(hChild) != nDepth + 2) break;
        ++nDepth;
    }
    EXPECT_EQ(nDepth, kDepth);
    // The ROOT holds the target alone now.
    EXPECT_EQ(TreeView_GetNextSibling(hTree, f.Node(1)), nullptr);
}

}  // namespace

namespace {

// Siblings stand in one order however they came there: a rebuild from the
// table, an Add, a drop. It is the locale's order with letter case ignored;
// labels equal in it keep the order of their records in the table.
TEST(TreeOrder, OneSiblingOrderForRebuildAddAndDrop) {
    const char* labels[] = {"news",  "b",        "a",    "_x",   "1",        "10",   "9",
                            "~",     "ニュース", "検索", "ｱｲｳ",  "ソフト",   "表",   "Zebra",
                            "zebra", " lead",    "News", "NEWS", "ｎｅｗｓ", "ﾆｭｰｽ", "apple"};
    std::vector<Rec> records = {{1, 0, "Target"}};
    int nID = 2;
    for (const char* label : labels) records.push_back({nID++, 1, label});
    // Outside the target, to be dropped into it: later in the table than
    // the labels they equal.
    records.push_back({100, 0, "NeWs"});
    records.push_back({101, 0, "APPLE"});
    ViewFixture f;
    f.Load(records);
    CTreeVw* pTree = f.Tree();
    auto children = [&](int nParentID) {
        std::vector<std::string> texts;
        for (HTREEITEM h = pTree->GetChildItem(f.Node(nParentID)); h;
             h = pTree->GetNextSiblingItem(h))
            texts.push_back(pTree->GetItemText(h).str());
        return texts;
    };
    auto rebuilt = [&](int nParentID) {
        f.Frame()->InitialUpdateFrame(f.Doc(), FALSE);
        return children(nParentID);
    };

    // The rebuild against the system's comparison of the labels' characters
    // (CompareStringA would read UTF-8 in the locale's code page under Wine),
    // table order for ties.
    std::vector<std::string> expected;
    for (const char* label : labels) expected.push_back(A(label));
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) {
                         const std::u16string wa = legacy::ToUtf16(a), wb = legacy::ToUtf16(b);
                         return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                                               reinterpret_cast<const wchar_t*>(wa.data()),
                                               static_cast<int>(wa.size()),
                                               reinterpret_cast<const wchar_t*>(wb.data()),
                                               static_cast<int>(wb.size())) == CSTR_LESS_THAN;
                     });
    EXPECT_EQ(children(1), expected);
    const auto news = std::find(expected.begin(), expected.end(), "news");
    ASSERT_NE(news, expected.end());
    EXPECT_EQ(*(news + 1), "News");
    EXPECT_EQ(*(news + 2), "NEWS");

    // A folder filled in bulk (an import) and sorted once comes out the same:
    // reverse the children first, then sort them.
    TVSORTCB reverse = {};
    reverse.hParent = f.Node(1);
    reverse.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM) -> int { return static_cast<int>(b - a); };
    TreeView_SortChildrenCB(pTree->m_hWnd, &reverse, FALSE);
    ASSERT_NE(children(1), expected);
    pTree->SortChildrenOf(f.Node(1));
    EXPECT_EQ(children(1), expected);

    // Drops land where the rebuild puts them.
    Drag(f, 100, 1);
    Drag(f, 101, 1);
    const std::vector<std::string> dropped = children(1);
    EXPECT_EQ(dropped, rebuilt(1));
    // Add: the new record goes last in the table.
    f.Select(1);
    f.Command(ID_ADD_FOLDER);
    f.Select(1);
    f.Command(ID_ADD_URL);
    const std::vector<std::string> added = children(1);
    EXPECT_EQ(added.size(), dropped.size() + 2);
    EXPECT_EQ(added, rebuilt(1));
}

}  // namespace
