// Big documents in the window, under Wine: opening a document of 100,000
// records (100 folders of 9 sub-folders of 110 links, Japanese and Latin
// titles) against an empty one, a 50,000-link bookmark file read into the
// window, and the undo of a delete of everything. Each figure stands beside
// the same work done the way the tree used to be filled: level by level with
// every node appended to its folder, or, for the import, each node appended
// as the reader made it and every folder sorted afterwards. Prints medians
// in milliseconds.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "bench/BookmarkBenchFile.h"
#include "bench/MedianTime.h"
#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "fw/win/CFileDialog.h"
#include "fw/win/CWinApp.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"
#include "views/CTreeBuilder.h"
#include "views/CTreeLayout.h"
#include "views/LabelOrder.h"

namespace {

// 100 folders, 9 sub-folders in each, 110 links in each sub-folder.
std::vector<Rec> BigDocument(std::vector<std::string>& texts) {
    texts.reserve(300000);
    std::vector<Rec> records;
    int nID = 1;
    auto text = [&texts](std::string s) {
        texts.push_back(std::move(s));
        return texts.back().c_str();
    };
    for (int a = 0; a < 100; ++a) {
        const int nTop = nID++;
        records.push_back({nTop, 0, text("フォルダ " + std::to_string(a) + " Folder")});
        for (int b = 0; b < 9; ++b) {
            const int nSub = nID++;
            records.push_back({nSub, nTop, text("Sub " + std::to_string(b) + " サブ")});
            for (int c = 0; c < 110; ++c) {
                const int n = nID++;
                const char* pszTitle = c % 2 ? text("ページ " + std::to_string(n) + " の記事")
                                             : text("Page " + std::to_string(n) + " news");
                records.push_back({n, nSub, pszTitle, 1,
                                   text("http://host" + std::to_string(n % 997) +
                                        ".example.com/p/" + std::to_string(n))});
            }
        }
    }
    return records;
}

// The import as it used to fill the tree: each node appended to its folder
// as the reader made it, each folder sorted once at the end.
class CAppendObserver : public CImportObserver {
public:
    explicit CAppendObserver(HWND hTree) : m_hTree(hTree) {}
    ImportNode OnRecordAdded(ImportNode parent, const CUrlItem& item, int) override {
        HTREEITEM hParent = static_cast<HTREEITEM>(parent);
        TVINSERTSTRUCTA tvis = {};
        tvis.hParent = hParent;
        tvis.hInsertAfter = TVI_LAST;
        tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvis.item.pszText = const_cast<char*>(static_cast<const char*>(item.m_Title));
        tvis.item.iImage = item.m_IsURL ? 2 : 0;
        tvis.item.iSelectedImage = tvis.item.iImage + 1;
        tvis.item.lParam = item.m_ID;
        if (m_seen.insert(hParent).second) touched.push_back(hParent);
        return reinterpret_cast<ImportNode>(
            ::SendMessageA(m_hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
    }
    std::vector<HTREEITEM> touched;

private:
    HWND m_hTree;
    std::unordered_set<HTREEITEM> m_seen;
};

// A folder's children sorted as they used to be: read node by node from the
// control.
void SortAsBefore(CTreeVw* pTree, HTREEITEM hFolder) {
    struct Child {
        std::wstring key;
        int nRank;
        LPARAM lParam;
    };
    const COrdelinkDoc* pDoc = pTree->GetDocument();
    std::vector<Child> children;
    for (HTREEITEM h = pTree->GetChildItem(hFolder); h; h = pTree->GetNextSiblingItem(h)) {
        const int nID = pTree->GetItemID(h);
        children.push_back({LabelSortKey(pTree->GetItemText(h)), pDoc->IndexOfID(nID), nID});
    }
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
        const int nOrder = CompareLabelKeys(a.key, b.key);
        return nOrder != 0 ? nOrder < 0 : a.nRank < b.nRank;
    });
    std::unordered_map<LPARAM, int> position;
    for (size_t i = 0; i < children.size(); ++i) position[children[i].lParam] = static_cast<int>(i);
    TVSORTCB sort = {};
    sort.hParent = hFolder;
    sort.lParam = reinterpret_cast<LPARAM>(&position);
    sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM lParamSort) -> int {
        const auto& pos = *reinterpret_cast<const std::unordered_map<LPARAM, int>*>(lParamSort);
        return pos.at(a) - pos.at(b);
    };
    TreeView_SortChildrenCB(pTree->m_hWnd, &sort, FALSE);
}

std::string g_bookmarkPath;

// CPU time of this thread, in milliseconds: what the work costs whatever
// else the machine runs.
double ThreadCpuMs() {
    FILETIME c, e, k, u;
    ::GetThreadTimes(::GetCurrentThread(), &c, &e, &k, &u);
    auto ms = [](const FILETIME& t) {
        return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(k) + ms(u);
}

// Where a build's time goes, step by step, in CPU and wall milliseconds.
void PrintPhases(ViewFixture& f, const std::string& bigPath) {
    CTreeVw* pTree = f.Tree();
    HWND hTree = pTree->m_hWnd;
    double c0 = ThreadCpuMs();
    auto w0 = std::chrono::steady_clock::now();
    auto phase = [&](const char* name) {
        const double c1 = ThreadCpuMs();
        const auto w1 = std::chrono::steady_clock::now();
        std::printf("  %-40s cpu %8.1f  wall %8.1f\n", name, c1 - c0,
                    std::chrono::duration<double, std::milli>(w1 - w0).count());
        c0 = c1;
        w0 = w1;
    };
    f.Doc()->OnOpenDocument(bigPath.c_str());
    phase("read the file");
    const CItemTable& table = f.Doc()->m_PtrAry;
    const std::vector<std::wstring> keys = LabelSortKeys(table);
    phase("label keys");
    const std::vector<int> ranks = LabelSortRanks(keys);
    phase("locale sort key ranks");
    const CTreeLayout layout(
        table, 0,
        [&keys](int a, int b) {
            return CompareLabelKeys(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
        },
        0, &ranks);
    const auto steps = layout.InsertionSteps();
    phase("layout and steps (ranks confirmed)");
    const CTreeLayout layoutByCompare(table, 0, [&keys](int a, int b) {
        return CompareLabelKeys(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
    });
    phase("layout by comparisons only (as before)");
    ::SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(hTree);
    phase("delete (empty tree)");
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = TVI_ROOT;
    tvis.hInsertAfter = TVI_LAST;
    tvis.item.mask = TVIF_TEXT | TVIF_PARAM;
    tvis.item.pszText = const_cast<char*>("ROOT");
    HTREEITEM hRoot = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
    CTreeBuilder(hTree, table).Build(hRoot, 0, 0, nullptr, nullptr);
    phase("builder (layout again, insert, expand)");
    ::SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
    phase("redraw on");
    TreeView_SelectItem(hTree, hRoot);
    phase("select the ROOT");
    f.h.PumpIdle();
    phase("pump and idle");
    ::CallWindowProcA(reinterpret_cast<WNDPROC>(::GetClassLongPtrA(hTree, GCLP_WNDPROC)), hTree,
                      TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    phase("delete everything (the control's own procedure)");

    // The same nodes in a bare control whose parent handles no notification:
    // what emptying costs the control alone.
    HWND hParent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                     nullptr, nullptr);
    HWND hBare = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | TVS_HASBUTTONS, 0, 0, 300, 300,
                                   hParent, nullptr, nullptr, nullptr);
    ::SendMessageA(hBare, WM_SETREDRAW, FALSE, 0);
    HTREEITEM hBareRoot = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hBare, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tvis)));
    CTreeBuilder(hBare, table).Build(hBareRoot, 0, 0, nullptr, nullptr);
    phase("bare control: build");
    ::SendMessageA(hBare, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    phase("bare control: delete everything");
    ::DestroyWindow(hParent);
}

INT_PTR ChooseBookmarkFile(CFileDialog& dlg) {
    dlg.SetPathName(g_bookmarkPath.c_str());
    return IDOK;
}

// Starts a build of the program on a document and waits until its window
// answers.
double StartProgram(const std::string& exePath, const std::string& docPath) {
    std::string cmd = "\"" + exePath + "\" \"" + docPath + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const auto t0 = std::chrono::steady_clock::now();
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi))
        return -1;
    ::WaitForInputIdle(pi.hProcess, INFINITE);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const bool bPhases = argc > 1 && std::string(argv[1]) == "phases";
    const int nRuns = argc > 1 && !bPhases ? std::max(1, std::atoi(argv[1])) : 3;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::vector<std::string> texts;
    const std::vector<Rec> records = BigDocument(texts);

    ViewFixture f;
    CTreeVw* pTree = f.Tree();
    const std::string emptyPath = WinPath(f.dir.File("empty.pmk"));
    const std::string bigPath = WinPath(f.dir.File("big.pmk"));
    f.Load({});
    f.Doc()->OnSaveDocument(emptyPath.c_str());
    f.Load(records);
    f.Doc()->OnSaveDocument(bigPath.c_str());
    const int nNodes = static_cast<int>(TreeView_GetCount(pTree->m_hWnd));
    f.Load({});
    if (bPhases) {
        PrintPhases(f, bigPath);
        return 0;
    }

    // The program started on each document until its window answers: this
    // build, and the one given as the second argument (the program as it was).
    auto startMedian = [nRuns](const std::string& exe, const std::string& path) {
        std::vector<double> ms;
        for (int i = 0; i < nRuns; ++i) ms.push_back(StartProgram(exe, path));
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    };
    const std::string nowExe = WinPath(ORD_APP_EXE);
    const std::string beforeExe = argc > 2 ? WinPath(argv[2]) : nowExe;
    std::printf("program start until its window answers             before    now\n");
    std::printf("  empty document                                   %8.1f %8.1f\n",
                startMedian(beforeExe, emptyPath), startMedian(nowExe, emptyPath));
    std::printf("  100,000 records                                  %8.1f %8.1f\n",
                startMedian(beforeExe, bigPath), startMedian(nowExe, bigPath));

    CWinApp* pApp = AfxGetApp();
    auto openEmpty = [&] {
        pApp->OpenDocumentFile(emptyPath.c_str());
        f.h.PumpIdle();
    };
    const double openEmptyMs = MedianMilliseconds([] {}, openEmpty, nRuns);
    const double openBigMs = MedianMilliseconds(
        openEmpty,
        [&] {
            pApp->OpenDocumentFile(bigPath.c_str());
            f.h.PumpIdle();
        },
        nRuns);
    const double buildNow = MedianMilliseconds(
        openEmpty,
        [&] {
            f.Doc()->OnOpenDocument(bigPath.c_str());
            pTree->BuildTree();
            f.h.PumpIdle();
        },
        nRuns);
    const double buildBefore = MedianMilliseconds(
        openEmpty,
        [&] {
            f.Doc()->OnOpenDocument(bigPath.c_str());
            BuildTreeAsBefore(pTree);
            f.h.PumpIdle();
        },
        nRuns);
    std::printf("100,000 records (%d nodes), median of %d runs, ms     before    now\n", nNodes,
                nRuns);
    std::printf("  read the file and build the tree                 %8.1f %8.1f\n", buildBefore,
                buildNow);
    std::printf("  File > Open, empty document / this one                    %8.1f / %.1f\n",
                openEmptyMs, openBigMs);
    // Delete everything, as a user would before undoing it.
    auto deleteAll = [&] {
        f.Select(0);
        f.Command(ID_DELETE);
        f.h.PumpIdle();
    };
    const double deleteMs = MedianMilliseconds([&] { f.Load(records); }, deleteAll, 1);
    const double undoNow = MedianMilliseconds(
        [&] {
            f.Load(records);
            deleteAll();
        },
        [&] {
            f.Command(ID_EDIT_UNDO);
            f.h.PumpIdle();
        },
        nRuns);
    const double undoBefore = MedianMilliseconds(
        [&] {
            f.Load(records);
            deleteAll();
        },
        [&] {
            f.Doc()->History().Undo();
            BuildTreeAsBefore(pTree);
            f.h.PumpIdle();
        },
        nRuns);
    std::printf("  undo of a delete of everything                   %8.1f %8.1f\n", undoBefore,
                undoNow);
    std::printf("  the delete of everything (the control's own work)         %8.1f\n", deleteMs);

    // The 50,000-link bookmark file into an empty document's window.
    ScratchDir files;
    g_bookmarkPath = WinPath(files.File("bookmark.htm"));
    WriteBytes(files.File("bookmark.htm"), MakeBookmarkFile());
    CFileDialog::SetHandler(ChooseBookmarkFile);
    MessageRecorder yes(AFX_IDYES);
    BeepCounter beeps;
    int nImported = 0;
    const double importNow =
        MedianMilliseconds([&] { f.Load({}); },
                           [&] {
                               f.Command(ID_READ_BOOKMARK);
                               f.h.PumpIdle();
                               nImported = static_cast<int>(TreeView_GetCount(pTree->m_hWnd));
                           },
                           nRuns);
    const double importBefore = MedianMilliseconds(
        [&] { f.Load({}); },
        [&] {
            COrdelinkDoc& doc = *f.Doc();
            pTree->InsertNewItem(TRUE, TRUE, TRUE);
            CBookmarkFile file;
            file.Load(g_bookmarkPath.c_str());
            HWND hTree = pTree->m_hWnd;
            CAppendObserver observer(hTree);
            ::SendMessageA(hTree, WM_SETREDRAW, FALSE, 0);
            ImportBookmarkTree(doc, file, pTree->m_hImportNode,
                               pTree->GetItemID(pTree->m_hImportNode), &observer);
            for (HTREEITEM h : observer.touched) SortAsBefore(pTree, h);
            ::SendMessageA(hTree, WM_SETREDRAW, TRUE, 0);
            TreeView_Expand(hTree, pTree->m_hImportNode, TVE_EXPAND);
            f.h.PumpIdle();
        },
        nRuns);
    CFileDialog::SetHandler(nullptr);
    std::printf("50,000-link bookmark file into the window (%d nodes)\n", nImported);
    std::printf("  command 32783                                    %8.1f %8.1f\n", importBefore,
                importNow);

    return 0;
}
