// Bookmark file import: a 50,000-link file with 500 folders, read from disk
// and imported into a new document; and a file of folders without end lines,
// which the record limit stops.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "convert/BookmarkImport.h"
#include "convert/ImportFolder.h"
#include "fw/base/AfxHooks.h"

namespace {

// 500 folders: 20 under the top, each with 4 sub-folders, each of those with
// 5 more (20 + 80 + 400), and 125 links in each of the 400 innermost ones.
std::string MakeBookmarkFile() {
    std::string text =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\n"
        "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n\n<DL><p>\n";
    int nLink = 0;
    auto links = [&](const std::string& indent) {
        for (int i = 0; i < 125; ++i, ++nLink) {
            text += indent + "<DT><A HREF=\"http://www.example.com/path/to/page" +
                    std::to_string(nLink) + ".html\" ADD_DATE=\"912345678\" LAST_VISIT=\"" +
                    "912345679\" LAST_MODIFIED=\"912345680\">Bookmark title number " +
                    std::to_string(nLink) + "</A>\n";
        }
    };
    auto folder = [&](const std::string& indent, const std::string& title) {
        text +=
            indent + "<DT><H3 ADD_DATE=\"912345678\">" + title + "</H3>\n" + indent + "<DL><p>\n";
    };
    for (int a = 0; a < 20; ++a) {
        folder("    ", "Folder " + std::to_string(a));
        for (int b = 0; b < 4; ++b) {
            folder("        ", "Sub " + std::to_string(b));
            for (int c = 0; c < 5; ++c) {
                folder("            ", "Leaf " + std::to_string(c));
                links("                ");
                text += "            </DL><p>\n";
            }
            text += "        </DL><p>\n";
        }
        text += "    </DL><p>\n";
    }
    text += "</DL><p>\n";
    return text;
}

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
        ImportBookmarkLevel(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID, 1);
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
