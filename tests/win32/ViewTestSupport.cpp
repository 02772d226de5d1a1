#include "tests/win32/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_map>

#include "fw/win/CCmdUI.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "views/LabelOrder.h"
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

bool ViewFixture::FieldEnabled(int nCtrlID) const {
    return IsWindowEnabled(GetDlgItem(Form()->m_hWnd, nCtrlID)) != 0;
}

const CUrlItem* ViewFixture::Record(int nID) const {
    return Doc()->m_PtrAry.FindID(nID);
}

void BuildTreeAsBefore(CTreeVw* pTree) {
    HWND hTree = pTree->m_hWnd;
    const CItemTable& table = pTree->GetDocument()->m_PtrAry;
    ::SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(hTree);
    auto insert = [hTree](const char* pszText, int nImage, int nID, HTREEITEM hParent) {
        TVINSERTSTRUCTA tvis = {};
        tvis.hParent = hParent;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvis.item.pszText = const_cast<char*>(pszText);
        tvis.item.iImage = nImage;
        tvis.item.iSelectedImage = nImage + 1;
        tvis.item.lParam = nID;
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
    };
    HTREEITEM hRoot = insert("ROOT", 4, 0, TVI_ROOT);
    pTree->m_hRootNode = hRoot;
    std::unordered_map<int, std::vector<int>> children;
    std::vector<std::wstring> keys(static_cast<size_t>(table.GetSize()));
    for (int i = 0; i < table.GetSize(); ++i) {
        if (table[i]->m_ID != 0 && table.IndexOfID(table[i]->m_ID) == i) {
            children[table[i]->m_ParentID].push_back(i);
            keys[static_cast<size_t>(i)] = LabelSortKey(table[i]->m_Title);
        }
    }
    auto before = [&keys](int a, int b) {
        const int nOrder =
            CompareLabelKeys(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
        return nOrder != 0 ? nOrder < 0 : a < b;
    };
    std::unordered_map<int, HTREEITEM> nodes{{0, hRoot}};
    std::vector<HTREEITEM> parents;
    std::vector<int> level{0};
    while (!level.empty()) {
        std::vector<int> next;
        for (int nParentID : level) {
            auto it = children.find(nParentID);
            if (it == children.end()) continue;
            HTREEITEM hParent = nodes[nParentID];
            std::vector<int>& list = it->second;
            std::sort(list.begin(), list.end(), before);
            bool bGaveChild = false;
            for (int i : list) {
                const CUrlItem& item = *table[i];
                if (nodes.count(item.m_ID)) continue;
                nodes.emplace(item.m_ID,
                              insert(item.m_Title, item.m_IsURL ? 2 : 0, item.m_ID, hParent));
                next.push_back(item.m_ID);
                bGaveChild = true;
            }
            if (bGaveChild) parents.push_back(hParent);
        }
        level.swap(next);
    }
    for (HTREEITEM hParent : parents) TreeView_Expand(hTree, hParent, TVE_EXPAND);
    ::SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hTree, nullptr, TRUE);
    TreeView_SelectItem(hTree, hRoot);
}

std::string TreeDump(HWND hTree) {
    std::string out;
    std::vector<std::pair<HTREEITEM, int>> stack;
    for (HTREEITEM h = TreeView_GetRoot(hTree); h; h = TreeView_GetNextSibling(hTree, h))
        stack.emplace_back(h, 0);
    std::reverse(stack.begin(), stack.end());
    while (!stack.empty()) {
        const auto [h, nDepth] = stack.back();
        stack.pop_back();
        char text[1024] = "";
        TVITEMA item = {};
        item.mask =
            TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
        item.hItem = h;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        item.stateMask = TVIS_EXPANDED;
        ::SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        out += std::to_string(nDepth) + "|" + text + "|" + std::to_string(item.iImage) + "," +
               std::to_string(item.iSelectedImage) + "|" + std::to_string(item.lParam) +
               ((item.state & TVIS_EXPANDED) ? "|open" : "") + "\n";
        std::vector<HTREEITEM> kids;
        for (HTREEITEM c = TreeView_GetChild(hTree, h); c; c = TreeView_GetNextSibling(hTree, c))
            kids.push_back(c);
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) stack.emplace_back(*it, nDepth + 1);
    }
    return out;
}
