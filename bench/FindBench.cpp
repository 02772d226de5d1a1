// Find benchmarks over 100,000 records: a search as the user types (the index
// already prepared), the first search (every record folded), the default tree
// order, and the change history's largest steps.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "find/CFindIndex.h"
#include "find/TreeOrder.h"
#include "fw/base/AfxMessages.h"
#include "store/CChangeHistory.h"

namespace {

constexpr int kRecords = 100000;

// 1,000 folders under the ROOT, URL items spread over them; Japanese titles,
// URLs of some 50 bytes, a memo on every tenth record.
void Fill(COrdelinkDoc& doc) {
    const CString jp = afxmsg::FromUtf8("ブックマーク 東京の天気予報 ");
    for (int i = 0; i < kRecords; ++i) {
        const int id = doc.GetFreeID();
        doc.AddNewItem();
        CUrlItem* p = doc.m_PtrAry[doc.m_PtrAry.GetSize() - 1];
        p->m_ID = id;
        p->m_ParentID = id <= 1000 ? 0 : 1 + id % 1000;
        p->m_IsURL = id > 1000;
        p->m_Title = jp + CString(std::to_string(id));
        if (p->m_IsURL) {
            p->m_URL = "http://www.example.com/path/to/page" + std::to_string(id) + ".html";
            if (id % 10 == 0) p->m_Memo = jp + "\r\nSecond line of a memo " + std::to_string(id);
        }
    }
    doc.m_bEmpty = 0;
}

COrdelinkDoc& Doc() {
    static COrdelinkDoc* pDoc = [] {
        auto* p = new COrdelinkDoc;
        Fill(*p);
        return p;
    }();
    return *pDoc;
}

void Search(benchmark::State& state, const char* pszQueryUtf8) {
    COrdelinkDoc& doc = Doc();
    const std::vector<int> order = TreeOrderIDs(doc.m_PtrAry);
    const CString query = afxmsg::FromUtf8(pszQueryUtf8);
    CFindIndex index;
    index.Find(doc.m_PtrAry, order, query);
    size_t nFound = 0;
    for (auto _ : state) nFound = index.Find(doc.m_PtrAry, order, query).size();
    state.counters["found"] = static_cast<double>(nFound);
}

void BM_FindRare100k(benchmark::State& state) {
    Search(state, "page99999.");
}
BENCHMARK(BM_FindRare100k)->Unit(benchmark::kMillisecond);

void BM_FindKanaWidth100k(benchmark::State& state) {
    Search(state, "ぶっくまーく");
}
BENCHMARK(BM_FindKanaWidth100k)->Unit(benchmark::kMillisecond);

void BM_FindOneLetter100k(benchmark::State& state) {
    Search(state, "E");
}
BENCHMARK(BM_FindOneLetter100k)->Unit(benchmark::kMillisecond);

// One record of 40,000 characters whose bytes can all lead (亜 is 88 9F),
// searched for the character whose bytes are 9F 88: a byte match across
// every pair of characters, none on a character boundary.
void BM_FindLeadByteRun40k(benchmark::State& state) {
    COrdelinkDoc doc;
    doc.AddNewItem();
    CUrlItem* p = doc.m_PtrAry[0];
    p->m_ID = 1;
    std::string memo;
    for (int i = 0; i < 40000; ++i) memo += "\x88\x9F";
    p->m_Memo = CString(memo.c_str());
    doc.m_bEmpty = 0;
    const std::vector<int> order{1};
    const CString query("\x9F\x88");
    CFindIndex index;
    index.Find(doc.m_PtrAry, order, query);
    size_t nFound = 0;
    for (auto _ : state) nFound = index.Find(doc.m_PtrAry, order, query).size();
    state.counters["found"] = static_cast<double>(nFound);
}
BENCHMARK(BM_FindLeadByteRun40k)->Unit(benchmark::kMillisecond);

void BM_FindFirstSearch100k(benchmark::State& state) {
    COrdelinkDoc& doc = Doc();
    const std::vector<int> order = TreeOrderIDs(doc.m_PtrAry);
    const CString query = afxmsg::FromUtf8("天気");
    for (auto _ : state) {
        CFindIndex index;
        benchmark::DoNotOptimize(index.Find(doc.m_PtrAry, order, query));
    }
}
BENCHMARK(BM_FindFirstSearch100k)->Unit(benchmark::kMillisecond);

void BM_TreeOrder100k(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(TreeOrderIDs(Doc().m_PtrAry));
}
BENCHMARK(BM_TreeOrder100k)->Unit(benchmark::kMillisecond);

// Deleting everything and undoing it: the largest step there is.
void BM_DeleteAllUndo100k(benchmark::State& state) {
    COrdelinkDoc doc;
    Fill(doc);
    CChangeHistory history(doc);
    for (auto _ : state) {
        history.DeleteAll();
        history.Undo();
        history.Clear();
    }
}
BENCHMARK(BM_DeleteAllUndo100k)->Unit(benchmark::kMillisecond);

// A folder of 99 records deleted and restored in a 100,000-record table.
void BM_DeleteFolderUndo100k(benchmark::State& state) {
    COrdelinkDoc doc;
    Fill(doc);
    CChangeHistory history(doc);
    std::vector<int> ids{500};
    for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i)
        if (doc.m_PtrAry[i]->m_ParentID == 500) ids.push_back(doc.m_PtrAry[i]->m_ID);
    for (auto _ : state) {
        history.DeleteRecords(ids);
        history.Undo();
        history.Clear();
    }
}
BENCHMARK(BM_DeleteFolderUndo100k)->Unit(benchmark::kMillisecond);

}  // namespace
