// The bookmark import into the window: the 50,000-link file read by command
// 32783 into the running program's tree, beside the plain reader into a
// document and the tree control's own work on the same nodes. Runs under
// Wine; prints the median of several runs in milliseconds.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "bench/BookmarkBenchFile.h"
#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "fw/win/CFileDialog.h"
#include "bench/MedianTime.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

std::string g_path;

INT_PTR ChooseBenchFile(CFileDialog& dlg) {
    dlg.SetPathName(g_path.c_str());
    return IDOK;
}

// Inserts n nodes under one parent of a tree control the way a sorted
// insertion per node would, to show what the bulk path avoids.
class CSortedInsertObserver : public CImportObserver {
public:
    explicit CSortedInsertObserver(HWND hTree) : m_hTree(hTree) {}
    ImportNode OnRecordAdded(ImportNode parent, const CUrlItem& item, int) override {
        TVINSERTSTRUCTA tvis = {};
        tvis.hParent = static_cast<HTREEITEM>(parent);
        tvis.hInsertAfter = TVI_SORT;
        tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
        tvis.item.pszText = const_cast<char*>(static_cast<const char*>(item.m_Title));
        tvis.item.lParam = item.m_ID;
        return reinterpret_cast<ImportNode>(
            ::SendMessageA(m_hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
    }

private:
    HWND m_hTree;
};

}  // namespace

int main(int argc, char** argv) {
    const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    ScratchDir dir;
    g_path = WinPath(dir.File("bookmark.htm"));
    WriteBytes(dir.File("bookmark.htm"), MakeBookmarkFile());

    // The plain reader: file to records, no window.
    int nRecords = 0;
    const double plain =
        MedianMilliseconds([] {},
                           [&] {
                               COrdelinkDoc doc;
                               CBookmarkFile file;
                               file.Load(g_path.c_str());
                               const int nFolder = AddImportFolder(doc, "Bookmark");
                               ImportBookmarkTree(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID);
                               nRecords = doc.m_PtrAry.GetSize() - 1;
                           },
                           nRuns);

    ViewFixture f;
    CFileDialog::SetHandler(ChooseBenchFile);
    MessageRecorder yes(AFX_IDYES);
    BeepCounter beeps;
    const double window = MedianMilliseconds([&] { f.Load({}); },
                                             [&] {
                                                 f.Command(ID_READ_BOOKMARK);
                                                 f.h.PumpIdle();
                                             },
                                             nRuns);
    const int nNodes = static_cast<int>(TreeView_GetCount(f.Tree()->m_hWnd));

    // The same import with one sorted insertion per node.
    const double sorted = MedianMilliseconds(
        [&] { f.Load({}); },
        [&] {
            COrdelinkDoc& doc = *f.Doc();
            CBookmarkFile file;
            file.Load(g_path.c_str());
            const int nFolder = AddImportFolder(doc, "Bookmark");
            HWND hTree = f.Tree()->m_hWnd;
            CSortedInsertObserver observer(hTree);
            ::SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
            ImportBookmarkTree(doc, file, TVI_ROOT, doc.m_PtrAry[nFolder]->m_ID, &observer);
            ::SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
        },
        nRuns);
    CFileDialog::SetHandler(nullptr);

    // The tree control alone: the same nodes inserted at the end of their
    // folders and each folder sorted once, from a list made beforehand.
    struct NodeSpec {
        int nParent;  // index into the list, -1 for the top
        CString strTitle;
        int nImage;
    };
    std::vector<NodeSpec> specs;
    {
        COrdelinkDoc doc;
        CBookmarkFile file;
        file.Load(g_path.c_str());
        const int nFolder = AddImportFolder(doc, "Bookmark");
        ImportBookmarkTree(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID);
        std::unordered_map<int, int> indexOfID{{doc.m_PtrAry[nFolder]->m_ID, -1}};
        for (int i = nFolder + 1; i < doc.m_PtrAry.GetSize(); ++i) {
            const CUrlItem& item = *doc.m_PtrAry[i];
            indexOfID[item.m_ID] = static_cast<int>(specs.size());
            specs.push_back({indexOfID[item.m_ParentID], item.m_Title, item.m_IsURL ? 2 : 0});
        }
    }
    const double control = MedianMilliseconds(
        [&] {
            // The dated folder as the command makes it, outside the timing.
            f.Load({});
            f.Tree()->InsertNewItem(TRUE, TRUE, TRUE);
        },
        [&] {
            HWND hTree = f.Tree()->m_hWnd;
            HTREEITEM hTop = f.Tree()->m_hImportNode;
            std::vector<HTREEITEM> nodes(specs.size());
            std::vector<HTREEITEM> touched;
            std::unordered_set<HTREEITEM> seen;
            ::SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
            for (size_t i = 0; i < specs.size(); ++i) {
                HTREEITEM hParent = specs[i].nParent < 0 ? hTop : nodes[specs[i].nParent];
                TVINSERTSTRUCTA tvis = {};
                tvis.hParent = hParent;
                tvis.hInsertAfter = TVI_LAST;
                tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
                tvis.item.pszText = const_cast<char*>(static_cast<const char*>(specs[i].strTitle));
                tvis.item.iImage = specs[i].nImage;
                tvis.item.iSelectedImage = specs[i].nImage + 1;
                tvis.item.lParam = static_cast<LPARAM>(i + 2);
                nodes[i] = reinterpret_cast<HTREEITEM>(
                    ::SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
                if (seen.insert(hParent).second) touched.push_back(hParent);
            }
            for (HTREEITEM h : touched) f.Tree()->SortChildrenOf(h);
            ::SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
            TreeView_Expand(hTree, hTop, TVE_EXPAND);
            f.h.PumpIdle();
        },
        nRuns);

    std::printf("50,000-link bookmark file, median of %d runs\n", nRuns);
    std::printf("  plain reader into a document:      %8.1f ms (%d records)\n", plain, nRecords);
    std::printf("  command 32783 into the window:     %8.1f ms (%d nodes)\n", window, nNodes);
    std::printf("  the tree control alone, same nodes:  %6.1f ms\n", control);
    std::printf("  the same, sorted insertion per node: %6.1f ms\n", sorted);
    return 0;
}
