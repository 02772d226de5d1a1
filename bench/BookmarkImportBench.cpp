// Bookmark file import: files of 50,000 and 100,000 links in 500 folders,
// read from disk and imported into a new document, each beside cat on the
// same file, in wall time: cat's own work (read in 128 KiB pieces, written
// to /dev/null) and the cat program started and waited for. And a file of
// folders nested far deeper than the records keep.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
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

// What cat does with the file: read it in 128 KiB pieces and write them to
// /dev/null.
void CatRead(benchmark::State& state, const std::string& path) {
    static char buf[128 * 1024];
    const int out = open("/dev/null", O_WRONLY);
    for (auto _ : state) {
        const int in = open(path.c_str(), O_RDONLY);
        ssize_t n;
        while ((n = read(in, buf, sizeof buf)) > 0)
            if (write(out, buf, static_cast<size_t>(n)) != n) state.SkipWithError("write failed");
        close(in);
    }
    close(out);
    std::remove(path.c_str());
}

// cat FILE >/dev/null, started and waited for.
void CatProgram(benchmark::State& state, const std::string& path) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>("cat"), const_cast<char*>(path.c_str()), nullptr};
    for (auto _ : state) {
        pid_t pid;
        int status = 0;
        if (posix_spawnp(&pid, "cat", &actions, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || status != 0)
            state.SkipWithError("cat failed");
    }
    posix_spawn_file_actions_destroy(&actions);
    std::remove(path.c_str());
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

void BM_CatRead50k(benchmark::State& state) {
    CatRead(state, WriteTemp(MakeBookmarkFile(125), "read50k"));
}
BENCHMARK(BM_CatRead50k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatProgram50k(benchmark::State& state) {
    CatProgram(state, WriteTemp(MakeBookmarkFile(125), "cat50k"));
}
BENCHMARK(BM_CatProgram50k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportBookmarks50k(benchmark::State& state) {
    Import(state, WriteTemp(MakeBookmarkFile(125), "50k"));
}
BENCHMARK(BM_ImportBookmarks50k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatRead100k(benchmark::State& state) {
    CatRead(state, WriteTemp(MakeBookmarkFile(250), "read100k"));
}
BENCHMARK(BM_CatRead100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatProgram100k(benchmark::State& state) {
    CatProgram(state, WriteTemp(MakeBookmarkFile(250), "cat100k"));
}
BENCHMARK(BM_CatProgram100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportBookmarks100k(benchmark::State& state) {
    Import(state, WriteTemp(MakeBookmarkFile(250), "100k"));
}
BENCHMARK(BM_ImportBookmarks100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// 50,000 folders, each inside the one before: the depth guard keeps the
// nesting down and the import linear.
void BM_ImportDeepFile(benchmark::State& state) {
    std::string text = "<DL>\n";
    for (int i = 0; i < 50000; ++i)
        text += "<DT><H3 ADD_DATE=\"1\">Folder " + std::to_string(i) + "</H3>\n<DL>\n";
    Import(state, WriteTemp(text, "deep"));
}
BENCHMARK(BM_ImportDeepFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
