#include "tests/win32/ViewTestSupport.h"

#include <gtest/gtest.h>

#include "fw/win/CCmdUI.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "views/ViewBeep.h"

namespace {
int g_nBeeps = 0;
void CountBeep(UINT) {
    ++g_nBeeps;
}
}  // namespace

BeepCounter::BeepCounter() {
    g_nBeeps = 0;
    SetViewBeepForTest(CountBeep);
}

BeepCounter::~BeepCounter() {
    SetViewBeepForTest(nullptr);
}

int BeepCounter::count() const {
    return g_nBeeps;
}

std::string A(const char* utf8) {
    return Ansi(utf8).str();
}

ViewFixture::ViewFixture() {
    if (!h.Start()) ADD_FAILURE() << "the application did not start";
}

void ViewFixture::Load(const std::vector<Rec>& records) {
    COrdelinkDoc* pDoc = Doc();
    pDoc->DeleteAllItems();
    for (const Rec& r : records)
        AddRecord(*pDoc, r.id, r.parent, Ansi(r.title), r.isURL, Ansi(r.url), Ansi(r.memo));
    pDoc->SetModifiedFlag(FALSE);
    pDoc->History().Clear();
    Frame()->InitialUpdateFrame(pDoc, FALSE);
    Frame()->SetActiveView(Tree());
}

CTreeVw* ViewFixture::Tree() const {
    return dynamic_cast<CTreeVw*>(Frame()->m_wndSplitter.GetPane(0, 0));
}

CFormVw* ViewFixture::Form() const {
    return dynamic_cast<CFormVw*>(Frame()->m_wndSubSplitter.GetPane(0, 0));
}

CEditVw* ViewFixture::Edit() const {
    return dynamic_cast<CEditVw*>(Frame()->m_wndSubSplitter.GetPane(1, 0));
}

HTREEITEM ViewFixture::Node(int nID) const {
    CTreeVw* pTree = Tree();
    return pTree->FindNode(TreeView_GetRoot(pTree->m_hWnd), nID);
}

void ViewFixture::Select(int nID) const {
    HTREEITEM hItem = Node(nID);
    ASSERT_NE(hItem, nullptr) << nID;
    SendMessageA(Tree()->m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem));
}

int ViewFixture::SelectedID() const {
    return Tree()->GetItemID(Tree()->GetSelectedItem());
}

std::string ViewFixture::ShapeOf(HTREEITEM hItem) const {
    CTreeVw* pTree = Tree();
    std::string s = pTree->GetItemText(hItem).str();
    HTREEITEM hChild = pTree->GetChildItem(hItem);
    if (!hChild) return s;
    s += "(";
    for (bool first = true; hChild; hChild = pTree->GetNextSiblingItem(hChild), first = false)
        s += (first ? "" : ",") + ShapeOf(hChild);
    s += ")";
    if (!(TreeView_GetItemState(pTree->m_hWnd, hItem, TVIS_EXPANDED) & TVIS_EXPANDED)) s += "+";
    return s;
}

std::string ViewFixture::Shape() const {
    HTREEITEM hRoot = TreeView_GetRoot(Tree()->m_hWnd);
    return hRoot ? ShapeOf(hRoot) : "";
}

void ViewFixture::Command(UINT nID) const {
    Frame()->SetActiveView(Tree());
    Frame()->SendMessage(WM_COMMAND, nID, 0);
}

bool ViewFixture::Enabled(UINT nID) const {
    Frame()->SetActiveView(Tree());
    CTestCmdUI state;
    state.m_nID = nID;
    Frame()->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state);
    return state.m_bEnabled;
}

std::string ViewFixture::FieldText(int nCtrlID) const {
    char buf[1024] = "";
    GetDlgItemTextA(Form()->m_hWnd, nCtrlID, buf, sizeof(buf));
    return buf;
}

std::string ViewFixture::Status() const {
    return Frame()->m_wndStatusBar.GetPaneText(0).str();
}

bool ViewFixture::FieldEnabled(int nCtrlID) const {
    return IsWindowEnabled(GetDlgItem(Form()->m_hWnd, nCtrlID)) != 0;
}

const CUrlItem* ViewFixture::Record(int nID) const {
    return Doc()->m_PtrAry.FindID(nID);
}
