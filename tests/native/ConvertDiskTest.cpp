// The conversion code against what only a native system can stage: links
// that loop, huge sparse files, full disks, FIFOs, names on disk in UTF-8,
// and the heap a deep walk takes.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's allocator statistics and hooks (its runtime has
// them whatever headers the compiler ships).
extern "C" {
size_t __sanitizer_get_current_allocated_bytes();
int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                              void (*)(const volatile void*));
}
#endif

#include "convert/FavoritesExport.h"
#include "convert/FavoritesImport.h"
#include "convert/ImportFolder.h"
#include "convert/LinkPage.h"
#include "convert/ProgramStrings.h"
#include "convert/UrlFile.h"
#include "res/resource.h"
#include "tests/native/ConvertTestSupport.h"
#include "tests/native/FileSizeLimit.h"

namespace fs = std::filesystem;

TEST(ConvertDisk, LinksBackToAnAncestorBecomeEmptyFolders) {
    ScratchDir dir;
    const fs::path root = dir.Path();
    fs::create_directories(root / "A" / "B");
    WriteUrlFile((root / "A" / "B" / "b.url").string(), "http://b/");
    fs::create_directory_symlink(root / "A", root / "A" / "B" / "up");
    fs::create_directory_symlink(root, root / "A" / "top");
    // A link to a directory off the current path is followed.
    fs::create_directories(root / "C");
    WriteUrlFile((root / "C" / "c.url").string(), "http://c/");
    fs::create_directory_symlink(root / "C", root / "A" / "toC");

    COrdelinkDoc doc;
    const int nFolder = AddImportFolder(doc, "F");
    EXPECT_EQ(ImportFavoritesFolder(doc, dir.Path(), nullptr, doc.m_PtrAry[nFolder]->m_ID), 1);
    EXPECT_EQ(Outline(doc, 1, true),
              "+ A\n"
              "  + B\n"
              "    + up\n"
              "    - b | http://b/\n"
              "  + toC\n"
              "    - c | http://c/\n"
              "  + top\n"
              "+ C\n"
              "  - c | http://c/\n");
}

TEST(ConvertDisk, HugeShortcutFilesAreReadInPieces) {
    ScratchDir dir;
    const std::string path = dir.File("huge.url");
    // 3 GB, nearly all of it a hole: reading it whole would need 3 GB.
    WriteBytes(path, "[InternetShortcut]\r\nURL=http://a/\r\n");
    ASSERT_EQ(truncate(path.c_str(), 3LL << 30), 0);
    EXPECT_EQ(ReadUrlFile(path), "http://a/");
    WriteBytes(path, "[InternetShortcut]\r\n");
    ASSERT_EQ(truncate(path.c_str(), 3LL << 30), 0);
    EXPECT_EQ(ReadUrlFile(path), kMissedConversionURL);
}

TEST(ConvertDisk, WriteErrorsAreFailures) {
    COrdelinkDoc doc;
    for (int i = 1; i <= 400; ++i) AddRecord(doc, i, 0, "link title", 1, "http://example.com/");
    {
        MessageRecorder recorder;
        EXPECT_EQ(WriteLinkPage(doc, "/dev/full", LinkPageOptions()), LinkPageResult::WriteFailed);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, ProgramString(IDP_LINK_HTML_FAILED));
    }
    {
        // A small page fails only when it is flushed at the close.
        COrdelinkDoc small;
        AddRecord(small, 1, 0, "t", 1, "http://u/");
        MessageRecorder recorder;
        EXPECT_EQ(WriteLinkPage(small, "/dev/full", LinkPageOptions()),
                  LinkPageResult::WriteFailed);
    }

    ScratchDir dir;
    COrdelinkDoc two;
    AddRecord(two, 1, 0, "short", 1, "u");
    AddRecord(two, 2, 0, "long", 1, "http://a.long.address.example.com/");
    FileSizeLimit limit(40);
    EXPECT_EQ(ExportFolder(dir.Path(), CDocumentTree(two), nullptr), 0);
    EXPECT_EQ(ReadBytes(dir.File("short.URL")), "[InternetShortcut]\r\nURL=u\r\n");
}

TEST(ConvertDisk, NamesOnDiskAreUtf8) {
    ScratchDir dir;
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, Ansi("日本語"), 0);
    AddRecord(doc, 2, 1, Ansi("表示"), 1, "http://x/");
    EXPECT_EQ(ExportFolder(dir.Path(), CDocumentTree(doc), nullptr), 1);
    EXPECT_EQ(ReadBytes(dir.Path() + "/日本語/表示.URL"),
              "[InternetShortcut]\r\nURL=http://x/\r\n");

    COrdelinkDoc back;
    AddImportFolder(back, "F");
    EXPECT_EQ(ImportFavoritesFolder(back, dir.Path(), nullptr, 1), 1);
    EXPECT_EQ(back.m_PtrAry[1]->m_Title, Ansi("日本語"));
    EXPECT_EQ(back.m_PtrAry[2]->m_Title, Ansi("表示"));
}

// A FIFO named like a shortcut: opened for reading, it would wait for a
// writer. A writer is started all the same, so that a reader that waits
// gets an answer and the test shows what it read.
TEST(ConvertDisk, ShortcutsAreReadFromRegularFilesOnly) {
    ScratchDir dir;
    const std::string path = dir.File("pipe.url");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::thread writer([&path] {
        const int fd = open(path.c_str(), O_WRONLY);
        if (fd < 0) return;
        const char text[] = "[InternetShortcut]\r\nURL=http://pipe/\r\n";
        EXPECT_GT(write(fd, text, sizeof text - 1), 0);
        close(fd);
    });
    EXPECT_EQ(ReadUrlFile(path), kMissedConversionURL);
    // Lets the writer go if nobody read: the end it waits for, opened once.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    writer.join();
    if (fd >= 0) close(fd);
    fs::create_directory(dir.File("dir.url"));
    EXPECT_EQ(ReadUrlFile(dir.File("dir.url")), kMissedConversionURL);
}

#if defined(__SANITIZE_ADDRESS__)
namespace {

std::atomic<size_t> g_nHeapPeak{0};

void NoteHeap(const volatile void*, size_t) {
    const size_t n = __sanitizer_get_current_allocated_bytes();
    size_t nPeak = g_nHeapPeak.load();
    while (n > nPeak && !g_nHeapPeak.compare_exchange_weak(nPeak, n)) {
    }
}
void NoteFree(const volatile void*) {}

// The most heap in use while f runs, beyond what was in use before it.
template <class F>
size_t HeapPeakDuring(F f) {
    static const bool bHooked = __sanitizer_install_malloc_and_free_hooks(NoteHeap, NoteFree) != 0;
    EXPECT_TRUE(bHooked);
    const size_t nBefore = __sanitizer_get_current_allocated_bytes();
    g_nHeapPeak = nBefore;
    f();
    return g_nHeapPeak - nBefore;
}

}  // namespace

// A chain of folders 4,000 deep: each level adds a few bytes to the path and
// the heading, which must be grown and cut, not copied for every level.
TEST(ConvertDisk, DeepChainsTakeMemoryInProportionToTheirDepth) {
    const int nDepth = 4000;
    COrdelinkDoc doc;
    for (int i = 1; i <= nDepth; ++i) AddRecord(doc, i, i - 1, "folder", 0);
    AddRecord(doc, nDepth + 1, nDepth, "link", 1, "http://deep/");
    const CDocumentTree tree(doc);
    // No directory can be made there, yet the walk goes down the whole chain.
    const size_t nExport =
        HeapPeakDuring([&] { EXPECT_EQ(ExportFolder("/nonexistent/dir", tree, tree.Root()), 0); });
    const size_t nPage = HeapPeakDuring([&] {
        EXPECT_EQ(WriteLinkPage(doc, "/dev/null", LinkPageOptions()), LinkPageResult::Done);
    });
    // A copy per level would take some 60 MB and 90 MB.
    EXPECT_LT(nExport, size_t(8) << 20);
    EXPECT_LT(nPage, size_t(8) << 20);
}
#endif
