// Store benchmarks: the document file and the table operations at 100,000
// records.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fw/base/AfxHooks.h"
#include "fw/base/CodePage.h"
#include "store/COrdelinkDoc.h"
#include "store/DocumentCheck.h"

namespace {

constexpr int kRecords = 100000;

void Fill(COrdelinkDoc& doc, int nRecords) {
    for (int i = 0; i < nRecords; ++i) {
        const int id = doc.GetFreeID();
        doc.AddNewItem();
        CUrlItem* p = doc.m_PtrAry[doc.m_PtrAry.GetSize() - 1];
        p->m_ID = id;
        // 100 folders under the ROOT, the rest spread over them.
        p->m_ParentID = id <= 100 ? 0 : 1 + id % 100;
        p->m_IsURL = id > 100;
        p->m_Title = "Bookmark title number " + std::to_string(id);
        if (p->m_IsURL)
            p->m_URL = "http://www.example.com/path/to/page" + std::to_string(id) + ".html";
    }
    doc.m_bEmpty = 0;
}

std::string TempPath() {
    return "/tmp/ordelink-bench-" + std::to_string(getpid()) + ".pmk";
}

void BM_Save100k(benchmark::State& state) {
    COrdelinkDoc doc;
    Fill(doc, kRecords);
    const std::string path = TempPath();
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path.c_str())) state.SkipWithError("save failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_Save100k)->Unit(benchmark::kMillisecond);

// Opening a document of 100,000 and 200,000 records (the time should double).
void BM_Load(benchmark::State& state) {
    const std::string path = TempPath();
    {
        COrdelinkDoc doc;
        Fill(doc, static_cast<int>(state.range(0)));
        doc.OnSaveDocument(path.c_str());
    }
    COrdelinkDoc doc;
    for (auto _ : state) {
        if (!doc.OnOpenDocument(path.c_str())) state.SkipWithError("load failed");
    }
    state.counters["records"] = static_cast<double>(doc.m_PtrAry.GetSize());
    std::remove(path.c_str());
}
BENCHMARK(BM_Load)->Arg(kRecords)->Arg(2 * kRecords)->Unit(benchmark::kMillisecond);

// Opening a 100,000-record document whose titles and memos are Japanese, in
// the document file's code page (932), with the program's text in the code
// page given (932: stored bytes taken as they are; 65001: converted).
void BM_LoadJapanese(benchmark::State& state) {
    const int nSaved = codepage::Active();
    const std::string path = TempPath();
    {
        codepage::SetActive(932);
        COrdelinkDoc doc;
        Fill(doc, kRecords);
        // "ブックマークの題名 " and "メモ：日本語のテキスト" in code page 932.
        const std::string title =
            "\x83\x75\x83\x62\x83\x4E\x83\x7D\x81\x5B\x83\x4E\x82\xCC"
            "\x91\xE8\x96\xBC ";
        const std::string memo =
            "\x83\x81\x83\x82\x81\x46\x93\xFA\x96\x7B\x8C\xEA\x82\xCC"
            "\x83\x65\x83\x4C\x83\x58\x83\x67";
        for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) {
            doc.m_PtrAry[i]->m_Title = title + std::to_string(i);
            doc.m_PtrAry[i]->m_Memo = memo;
        }
        doc.OnSaveDocument(path.c_str());
    }
    codepage::SetActive(static_cast<int>(state.range(0)));
    COrdelinkDoc doc;
    for (auto _ : state) {
        if (!doc.OnOpenDocument(path.c_str())) state.SkipWithError("load failed");
    }
    state.counters["records"] = static_cast<double>(doc.m_PtrAry.GetSize());
    codepage::SetActive(nSaved);
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadJapanese)->Arg(932)->Arg(65001)->Unit(benchmark::kMillisecond);

// The damage check over a loaded 100,000-record document.
void BM_Check100k(benchmark::State& state) {
    COrdelinkDoc doc;
    Fill(doc, kRecords);
    for (auto _ : state) benchmark::DoNotOptimize(CheckItemTable(doc.m_PtrAry).size());
}
BENCHMARK(BM_Check100k)->Unit(benchmark::kMillisecond);

void BM_Insert100k(benchmark::State& state) {
    for (auto _ : state) {
        COrdelinkDoc doc;
        Fill(doc, kRecords);
        benchmark::DoNotOptimize(doc.m_PtrAry.GetSize());
    }
}
BENCHMARK(BM_Insert100k)->Unit(benchmark::kMillisecond);

// Deletes every tenth record one at a time, then refills the freed IDs.
void BM_DeleteTenthThenRefill(benchmark::State& state) {
    COrdelinkDoc doc;
    Fill(doc, kRecords);
    for (auto _ : state) {
        for (int id = 10; id <= kRecords; id += 10) doc.DeleteItemByID(id);
        Fill(doc, kRecords / 10);
    }
}
BENCHMARK(BM_DeleteTenthThenRefill)->Unit(benchmark::kMillisecond);

// The same with the deletions done in one batch.
void BM_DeleteTenthBatchThenRefill(benchmark::State& state) {
    COrdelinkDoc doc;
    Fill(doc, kRecords);
    std::vector<int> ids;
    for (int id = 10; id <= kRecords; id += 10) ids.push_back(id);
    for (auto _ : state) {
        doc.DeleteItemsByID(ids);
        Fill(doc, kRecords / 10);
    }
}
BENCHMARK(BM_DeleteTenthBatchThenRefill)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
