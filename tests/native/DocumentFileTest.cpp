#include <gtest/gtest.h>

#include <filesystem>

#include "tests/native/TextCodePages.h"
#include "store/COrdelinkDoc.h"
#include "tests/native/TestSupport.h"

namespace {

// A folder titled A (ID 1) holding a URL item B (ID 2, about:blank).
const std::string kExample(
    "\x02\x00\x00\x00"
    "\x01\x41\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00"
    "\x01\x42\x0B"
    "about:blank"
    "\x00\x01\x00\x00\x00\x02\x00\x00\x00\x01\x00\x00\x00",
    47);

std::string Describe(const COrdelinkDoc& doc) {
    std::string s;
    for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) {
        const CUrlItem* p = doc.m_PtrAry[i];
        s += p->m_Title.str() + "|" + p->m_URL.str() + "|" + p->m_Memo.str() + "|" +
             std::to_string(p->m_IsURL) + "|" + std::to_string(p->m_ID) + "|" +
             std::to_string(p->m_ParentID) + "\n";
    }
    return s;
}

}  // namespace

TEST(DocumentFile, TheExampleInBothDirections) {
    ScratchDir dir;
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "A");
    AddRecord(doc, 2, 1, "B", 1, "about:blank");
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.pmk").c_str()));
    EXPECT_EQ(ReadBytes(dir.File("a.pmk")), kExample);
    EXPECT_FALSE(doc.IsModified());

    WriteBytes(dir.File("b.pmk"), kExample);
    COrdelinkDoc loaded;
    loaded.m_nCurIndex = 1;
    ASSERT_TRUE(loaded.OnOpenDocument(dir.File("b.pmk").c_str()));
    EXPECT_EQ(Describe(loaded), "A|||0|1|0\nB|about:blank||1|2|1\n");
    EXPECT_EQ(loaded.m_bEmpty, 0);
    EXPECT_EQ(loaded.m_nCurIndex, -1);
    EXPECT_FALSE(loaded.IsModified());
}

TEST(DocumentFile, EmptyDocumentsAndFiles) {
    ScratchDir dir;
    COrdelinkDoc doc;
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("e.pmk").c_str()));
    EXPECT_EQ(ReadBytes(dir.File("e.pmk")), std::string(4, '\0'));

    COrdelinkDoc loaded;
    AddRecord(loaded, 1, 0, "old");
    ASSERT_TRUE(loaded.OnOpenDocument(dir.File("e.pmk").c_str()));
    EXPECT_EQ(loaded.m_PtrAry.GetSize(), 0);
    EXPECT_EQ(loaded.m_bEmpty, 1);

    // A zero-length file opens as an empty document too.
    WriteBytes(dir.File("zero.pmk"), "");
    AddRecord(loaded, 1, 0, "old");
    MessageRecorder recorder;
    ASSERT_TRUE(loaded.OnOpenDocument(dir.File("zero.pmk").c_str()));
    EXPECT_EQ(loaded.m_PtrAry.GetSize(), 0);
    EXPECT_EQ(loaded.m_bEmpty, 1);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(DocumentFile, SaveAndReloadKeepIdsParentsOrderAndBytes) {
    TextCodePages pages(932, 932);
    ScratchDir dir;
    COrdelinkDoc doc;
    // Children before parents, IDs out of order, Shift-JIS text with a 5C
    // trail byte, memo line breaks, a long title.
    AddRecord(doc, 9, 4, "\x95\x5C\x8C\x76\x8E\x5A", 1, "http://example.com/a b", "line1\r\nline2");
    AddRecord(doc, 4, 0, "Folder");
    AddRecord(doc, 2, 4, std::string(300, 'T').c_str(), 0, "", std::string(70000, 'm').c_str());
    AddRecord(doc, 7, 2, "", 1);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("r.pmk").c_str()));
    const std::string first = ReadBytes(dir.File("r.pmk"));
    COrdelinkDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(dir.File("r.pmk").c_str()));
    EXPECT_EQ(Describe(loaded), Describe(doc));
    ASSERT_TRUE(loaded.OnSaveDocument(dir.File("r2.pmk").c_str()));
    EXPECT_EQ(ReadBytes(dir.File("r2.pmk")), first);
}

TEST(DocumentFile, EveryTruncationIsAnUnexpectedFormatAndLeavesAnEmptyDocument) {
    ScratchDir dir;
    const std::string sample = ReadBytes(TestDataPath("sample.pmk"));
    ASSERT_GT(sample.size(), 100u);
    const CString want = Ansi("予期しないﾌｧｲﾙ形式です。");
    for (size_t cut = 1; cut < sample.size(); ++cut) {
        WriteBytes(dir.File("cut.pmk"), sample.substr(0, cut));
        COrdelinkDoc doc;
        AddRecord(doc, 1, 0, "old");
        MessageRecorder recorder;
        ASSERT_FALSE(doc.OnOpenDocument(dir.File("cut.pmk").c_str())) << cut;
        ASSERT_EQ(recorder.messages.size(), 1u) << cut;
        EXPECT_EQ(recorder.messages[0].text, want) << cut;
        EXPECT_EQ(doc.m_PtrAry.GetSize(), 0) << cut;
        EXPECT_EQ(doc.m_bEmpty, 1) << cut;
        EXPECT_TRUE(doc.IsModified()) << cut;  // the caller starts a new document
    }
}

TEST(DocumentFile, DamagedCountsAndLengthsAreRejected) {
    ScratchDir dir;
    const CString want = Ansi("予期しないﾌｧｲﾙ形式です。");
    const std::string cases[] = {
        std::string("\xFF\xFF\xFF\x7F", 4),                          // 2^31-1 records, no data
        std::string("\xFF\xFF\xFF\xFF", 4),                          // a negative count
        std::string("\x02\x00\x00\x00", 4) + std::string(20, '\0'),  // room for one record
        std::string("\x01\x00\x00\x00\xFF\xFF\xFF\xF0\xFF\xFF\xFF", 11) + std::string(12, '\0'),
    };
    for (const std::string& bytes : cases) {
        WriteBytes(dir.File("bad.pmk"), bytes);
        COrdelinkDoc doc;
        MessageRecorder recorder;
        EXPECT_FALSE(doc.OnOpenDocument(dir.File("bad.pmk").c_str()));
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, want);
        EXPECT_EQ(doc.m_PtrAry.GetSize(), 0);
    }
}

TEST(DocumentFile, OpeningAMissingFileLeavesTheDocumentUntouched) {
    ScratchDir dir;
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "keep");
    MessageRecorder recorder;
    const std::string missing = dir.File("missing.pmk");
    EXPECT_FALSE(doc.OnOpenDocument(missing.c_str()));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, CString(missing) + Ansi(" が見つかりません。"));
    EXPECT_EQ(doc.m_PtrAry.GetSize(), 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST(DocumentFile, SavingReplacesTheTargetAndLeavesNoTemporaryFile) {
    ScratchDir dir;
    WriteBytes(dir.File("doc.pmk"), "old contents");
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "A");
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("doc.pmk").c_str()));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"doc.pmk"});
    EXPECT_EQ(ReadBytes(dir.File("doc.pmk")).size(), 4u + 3 + 12 + 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST(DocumentFile, FailedSaveToAMissingFolderKeepsTheModifiedFlag) {
    ScratchDir dir;
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "A");
    doc.SetModifiedFlag();
    MessageRecorder recorder;
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("no/such/doc.pmk").c_str()));
    EXPECT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(dir.List().empty());
}

TEST(DocumentFile, ReadOnlyTargetIsNotReplaced) {
    ScratchDir dir;
    const std::string path = dir.File("ro.pmk");
    WriteBytes(path, kExample);
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    COrdelinkDoc doc;
    AddRecord(doc, 1, 0, "new");
    MessageRecorder recorder;
    EXPECT_FALSE(doc.OnSaveDocument(path.c_str()));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, CString(path) + Ansi(" にｱｸｾｽできません。"));
    EXPECT_EQ(ReadBytes(path), kExample);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"ro.pmk"});
}
