// Bookmark file import: a 50,000-link file with 500 folders, read from disk
// and imported into a new document; and a file of folders without end lines,
// which the record limit stops.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench/BookmarkBenchFile.h"
#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "fw/base/AfxHooks.h"

namespace {

std::string WriteTemp(const std::string& text, const char* pszName) {
    const std::string path =
        "/tmp/ordelink-bench-" + std::to_string(getpid()) + "-" + pszName + ".htm";
    std::FILE* fp = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), fp);
    std::fclose(fp);
    return path;
}

void Import(benchmark::State& state, const std::string& path) {
    int64_t nRecords = 0;
    for (auto _ : state) {
        COrdelinkDoc doc;
        CBookmarkFile file;
        if (!file.Load(path.c_str())) state.SkipWithError("load failed");
        const int nFolder = AddImportFolder(doc, "Bookmark");
        ImportBookmarkTree(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID);
        nRecords = doc.m_PtrAry.GetSize() - 1;
    }
    state.counters["records"] = static_cast<double>(nRecords);
    std::remove(path.c_str());
}

void BM_ImportBookmarks50k(benchmark::State& state) {
    Import(state, WriteTemp(MakeBookmarkFile(), "50k"));
}
BENCHMARK(BM_ImportBookmarks50k)->Unit(benchmark::kMillisecond);

// 50,000 folder lines without indentation or end lines: each folder takes all
// later ones, and the import stops at the record limit (201,000).
void BM_ImportRunawayFile(benchmark::State& state) {
    std::string text = "<DL>\n";
    for (int i = 0; i < 50000; ++i)
        text += "<DT><H3 ADD_DATE=\"1\">Folder " + std::to_string(i) + "</H3>\n<DL>\n";
    Import(state, WriteTemp(text, "runaway"));
}
BENCHMARK(BM_ImportRunawayFile)->Unit(benchmark::kMillisecond);

}  // namespace
