// The tree pane: building from the table, selection, adding, deleting and
// moving records, driven through the tree control and the commands.
#include <gtest/gtest.h>

#include <regex>

#include "fw/base/CTime.h"
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
// node, the cursor moving over the target, the button released there.
void Drag(ViewFixture& f, int nFromID, int nToID) {
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
        nm.ptDrag = pt;
    }
    SendMessageA(hTree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    SendMessageA(hTree, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
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

}  // namespace

namespace {

// The build sorts each folder once; the edits insert one node at a time,
// sorted by the control. Both must use one label order. (Labels the control
// holds equal, such as "ab" and "a-b", may stand in either order.)
TEST(TreeBuild, SortedLikeTheControlsSortedInsertion) {
    const char* labels[] = {"b",    "a",   "_x",     "1",  "10",    "9",      "~",    "ニュース",
                            "検索", "ｱｲｳ", "ソフト", "表", "Zebra", "zebra2", " lead"};
    std::vector<Rec> records;
    int nID = 1;
    for (const char* label : labels) records.push_back({nID++, 0, label});
    ViewFixture f;
    f.Load(records);
    std::vector<std::string> built;
    CTreeVw* pTree = f.Tree();
    for (HTREEITEM h = pTree->GetChildItem(f.Node(0)); h; h = pTree->GetNextSiblingItem(h))
        built.push_back(pTree->GetItemText(h).str());

    // The same labels one by one with TVI_SORT under a scratch node.
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = TVI_ROOT;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT;
    tvis.item.pszText = const_cast<char*>("scratch");
    HTREEITEM hScratch = TreeView_InsertItem(pTree->m_hWnd, &tvis);
    for (const char* label : labels) {
        const std::string text = A(label);
        tvis.hParent = hScratch;
        tvis.hInsertAfter = TVI_SORT;
        tvis.item.pszText = const_cast<char*>(text.c_str());
        TreeView_InsertItem(pTree->m_hWnd, &tvis);
    }
    std::vector<std::string> inserted;
    for (HTREEITEM h = pTree->GetChildItem(hScratch); h; h = pTree->GetNextSiblingItem(h))
        inserted.push_back(pTree->GetItemText(h).str());
    EXPECT_EQ(built, inserted);
}

}  // namespace
