// Find as you type and undo in the window on a 100,000-record document:
// what one keystroke in the find field costs (search, selection, status
// text), F3, the walk of the tree for its order, and undoing a delete of
// everything. Runs under Wine; prints the median of several runs in
// milliseconds.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/MedianTime.h"
#include "res/resource.h"
#include "store/CChangeHistory.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"

namespace {}  // namespace

int main(int argc, char** argv) {
    const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // 1,000 folders of 99 URL items each, with memos on every tenth.
    constexpr int kFolders = 1000, kPerFolder = 99;
    std::vector<std::string> texts;
    texts.reserve(3 * kFolders * (kPerFolder + 1));
    std::vector<Rec> records;
    int nID = 1;
    for (int i = 0; i < kFolders; ++i) {
        const int nFolder = nID++;
        texts.push_back("Folder " + std::to_string(i) + " フォルダ");
        records.push_back({nFolder, 0, texts.back().c_str()});
        for (int j = 0; j < kPerFolder; ++j) {
            const int n = nID++;
            texts.push_back("Page " + std::to_string(n) + " ページ");
            const char* pszTitle = texts.back().c_str();
            texts.push_back("http://host" + std::to_string(n % 997) + ".example.com/p/" +
                            std::to_string(n));
            const char* pszURL = texts.back().c_str();
            texts.push_back(n % 10 == 0 ? "memo line\r\nsecond line " + std::to_string(n) : "");
            records.push_back({n, nFolder, pszTitle, 1, pszURL, texts.back().c_str()});
        }
    }

    ViewFixture f;
    f.Load(records);
    CTreeVw* pTree = f.Tree();
    std::printf("records: %d, nodes: %d\n", f.Doc()->m_PtrAry.GetSize(),
                static_cast<int>(TreeView_GetCount(pTree->m_hWnd)));

    const double prepare = MedianMilliseconds([] {}, [&] { pTree->PrepareFind(); }, 1);
    const double first = MedianMilliseconds([] {}, [&] { pTree->FindFirst("page 5"); }, 1);
    const struct {
        const char* query;
        const char* label;
    } queries[] = {
        {"p", "one letter, most records match"},
        {"page 4242", "one title"},
        {"host12.", "URLs of one host"},
        {"second line 99990", "one memo"},
        {"zzzz", "no match"},
    };
    std::printf("Ctrl+F after loading (folds every record): %.1f ms\n", prepare);
    std::printf("first keystroke:                        %8.2f ms\n", first);
    for (const auto& q : queries) {
        CString strStatus;
        const double ms =
            MedianMilliseconds([] {}, [&] { strStatus = pTree->FindFirst(q.query); }, nRuns);
        std::printf("keystroke, %-32s %8.2f ms  (%s)\n", q.label, ms, strStatus.str().c_str());
    }
    pTree->FindFirst("host12.");
    std::printf("F3, next match:                         %8.2f ms\n",
                MedianMilliseconds([] {}, [&] { pTree->FindStep(TRUE); }, nRuns));
    std::printf("the tree's order, from the document:    %8.2f ms\n",
                MedianMilliseconds([&] { pTree->SendMessage(TVM_SORTCHILDREN, 0, 0); },
                                   [&] { pTree->NodeOrder(); }, nRuns));

    // Delete everything, then undo it: the table comes back and the tree is
    // built again.
    const double undo = MedianMilliseconds(
        [&] {
            f.Select(0);
            f.Command(ID_DELETE);
        },
        [&] { f.Command(ID_EDIT_UNDO); }, std::min(nRuns, 3));
    std::printf("undo of a ROOT delete (tree rebuilt):   %8.1f ms\n", undo);
    std::printf("the rebuild alone, for comparison:      %8.1f ms\n",
                MedianMilliseconds([] {}, [&] { pTree->BuildTree(); }, std::min(nRuns, 3)));
    return 0;
}
