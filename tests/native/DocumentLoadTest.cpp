// Loading parses the whole file from memory: strings at the length-prefix
// boundaries, files that end inside any field, bytes after the last record and
// archives that start inside a file.
#include <gtest/gtest.h>

#include <algorithm>

#include "fw/base/CArchive.h"
#include "fw/base/CArchiveException.h"
#include "store/COrdelinkDoc.h"
#include "tests/native/TestSupport.h"

namespace {

std::string Int32(int32_t n) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<uint32_t>(n) >> (8 * i)));
    return s;
}

// The archive form of a byte string, by the three length rules.
std::string ArchiveString(const std::string& text) {
    const size_t n = text.size();
    if (n < 0xFF) return std::string(1, static_cast<char>(n)) + text;
    if (n < 0xFFFE)
        return std::string("\xFF", 1) + static_cast<char>(n & 0xFF) + static_cast<char>(n >> 8) +
               text;
    return std::string("\xFF\xFF\xFF", 3) + Int32(static_cast<int32_t>(n)) + text;
}

std::string Record(const std::string& title, const std::string& url, const std::string& memo,
                   int nIsURL, int nID, int nParentID) {
    return ArchiveString(title) + ArchiveString(url) + ArchiveString(memo) + Int32(nIsURL) +
           Int32(nID) + Int32(nParentID);
}

}  // namespace

TEST(DocumentLoad, StringsAtTheLengthBoundariesInEveryField) {
    ScratchDir dir;
    const size_t lengths[] = {0, 1, 15, 16, 254, 255, 256, 65533, 65534, 65535, 70000};
    for (size_t n : lengths) {
        const std::string text(n, 'a' + n % 26);
        struct {
            const char* field;
            std::string bytes;
        } cases[] = {
            {"title", Record(text, "u", "m", 1, 2, 0)},
            {"url", Record("t", text, "m", 1, 2, 0)},
            {"memo", Record("t", "u", text, 1, 2, 0)},
        };
        for (auto& c : cases) {
            // A second record after the long one must start where the first ended.
            WriteBytes(dir.File("b.pmk"), Int32(2) + c.bytes + Record("next", "", "", 0, 3, 0));
            COrdelinkDoc doc;
            ASSERT_TRUE(doc.OnOpenDocument(dir.File("b.pmk").c_str())) << n << " " << c.field;
            ASSERT_EQ(doc.m_PtrAry.GetSize(), 2);
            const CUrlItem* p = doc.m_PtrAry[0];
            const std::string& got = c.field[0] == 't'   ? p->m_Title.str()
                                     : c.field[0] == 'u' ? p->m_URL.str()
                                                         : p->m_Memo.str();
            EXPECT_EQ(got, text) << n << " " << c.field;
            EXPECT_EQ(p->m_ID, 2);
            EXPECT_EQ(doc.m_PtrAry[1]->m_Title.str(), "next") << n << " " << c.field;
            EXPECT_EQ(doc.m_PtrAry[1]->m_ID, 3);
            // Saving writes the same bytes back.
            ASSERT_TRUE(doc.OnSaveDocument(dir.File("c.pmk").c_str()));
            EXPECT_EQ(ReadBytes(dir.File("c.pmk")), ReadBytes(dir.File("b.pmk")))
                << n << " " << c.field;
        }
    }
}

// A file read in one piece that stops inside a length prefix, a string, the
// UTF-16 form or an integer: every cut is damage, and the document is empty.
TEST(DocumentLoad, FilesEndingInsideAnyFieldAreDamage) {
    ScratchDir dir;
    const std::string wide = std::string("\xFF\xFE\xFF\x02h\0i\0", 8);
    const std::string longWide = std::string("\xFF\xFE\xFF\xFF\x2C\x01", 6) + [] {
        std::string s;
        for (int i = 0; i < 300; ++i) s += std::string("a\0", 2);
        return s;
    }();
    struct {
        const char* name;
        std::string body;  // the record (the count of 1 is put before it)
    } cases[] = {
        {"short strings", Record("t", "http://x/", "", 1, 1, 0)},
        {"255 bytes", Record(std::string(255, 't'), "", "", 0, 1, 0)},
        {"65534 bytes", Record("", "", std::string(65534, 'm'), 0, 1, 0)},
        {"UTF-16 title",
         wide + ArchiveString("") + ArchiveString("") + Int32(0) + Int32(1) + Int32(0)},
        {"long UTF-16 title",
         longWide + ArchiveString("") + ArchiveString("") + Int32(0) + Int32(1) + Int32(0)},
    };
    const CString want = Ansi("予期しないﾌｧｲﾙ形式です。");
    for (auto& c : cases) {
        const std::string whole = Int32(1) + c.body;
        {
            COrdelinkDoc doc;
            WriteBytes(dir.File("w.pmk"), whole);
            ASSERT_TRUE(doc.OnOpenDocument(dir.File("w.pmk").c_str())) << c.name;
            ASSERT_EQ(doc.m_PtrAry.GetSize(), 1) << c.name;
        }
        // Every cut near the start and the end of each field; all cuts of
        // the short cases.
        for (size_t cut = 1; cut < whole.size(); ++cut) {
            if (whole.size() > 400 && cut > 300 && cut + 300 < whole.size()) continue;
            WriteBytes(dir.File("cut.pmk"), whole.substr(0, cut));
            COrdelinkDoc doc;
            AddRecord(doc, 1, 0, "old");
            MessageRecorder recorder;
            ASSERT_FALSE(doc.OnOpenDocument(dir.File("cut.pmk").c_str())) << c.name << " " << cut;
            ASSERT_EQ(recorder.messages.size(), 1u) << c.name << " " << cut;
            EXPECT_EQ(recorder.messages[0].text, want) << c.name << " " << cut;
            EXPECT_EQ(doc.m_PtrAry.GetSize(), 0) << c.name << " " << cut;
            EXPECT_EQ(doc.m_bEmpty, 1) << c.name << " " << cut;
        }
    }
}

// Bytes after the records the count announces are left unread, whatever they
// hold; repeated and odd IDs load as stored.
TEST(DocumentLoad, WhatTheCountLeavesOutIsIgnoredAndIdsAreKeptAsStored) {
    ScratchDir dir;
    struct {
        const char* name;
        std::string bytes;
        std::vector<int> ids;
    } cases[] = {
        {"a record after the count",
         Int32(1) + Record("a", "", "", 0, 1, 0) + Record("hidden", "", "", 0, 2, 0),
         {1}},
        {"garbage after the count", Int32(1) + Record("a", "", "", 0, 7, 0) + "\xFF\xFF\xFF", {7}},
        {"no records, more bytes", Int32(0) + Record("hidden", "", "", 0, 2, 0), {}},
        {"repeated, negative and huge IDs",
         Int32(4) + Record("a", "", "", 0, 5, 0) + Record("b", "", "", 1, 5, 5) +
             Record("c", "", "", 0, -3, 0) + Record("d", "", "", 0, 0x7FFFFFFF, 0),
         {5, 5, -3, 0x7FFFFFFF}},
    };
    for (auto& c : cases) {
        WriteBytes(dir.File("h.pmk"), c.bytes);
        COrdelinkDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(dir.File("h.pmk").c_str())) << c.name;
        std::vector<int> ids;
        for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) ids.push_back(doc.m_PtrAry[i]->m_ID);
        EXPECT_EQ(ids, c.ids) << c.name;
        EXPECT_EQ(doc.m_bEmpty, c.ids.empty() ? 1 : 0) << c.name;
        for (size_t i = 0; i < c.ids.size(); ++i) {
            const int nFirst =
                static_cast<int>(std::find(c.ids.begin(), c.ids.end(), c.ids[i]) - c.ids.begin());
            EXPECT_EQ(doc.IndexOfID(c.ids[i]), nFirst) << c.name;
        }
    }
    // The second record of a repeated ID takes over when the first goes.
    WriteBytes(dir.File("h.pmk"), cases[3].bytes);
    COrdelinkDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("h.pmk").c_str()));
    EXPECT_EQ(doc.GetFreeID(), 1);
    doc.DeleteItemByID(5);
    EXPECT_EQ(doc.IndexOfID(5), 0);
    EXPECT_EQ(doc.IsURLOfID(5), 1);
}

// An archive made on a file that has been read from starts at its position.
TEST(DocumentLoad, AnArchiveReadsFromTheFilesPosition) {
    ScratchDir dir;
    WriteBytes(dir.File("p.bin"), std::string("skip") + ArchiveString("abc") + Int32(-5));
    CFile f;
    ASSERT_TRUE(f.Open(dir.File("p.bin").c_str(), CFile::modeRead));
    char head[4];
    ASSERT_EQ(f.Read(head, 4), 4u);
    CArchive ar(&f, CArchive::load);
    EXPECT_EQ(ar.GetBytesRemaining(), 8u);
    CString s;
    int32_t n;
    ar >> s >> n;
    EXPECT_EQ(s.str(), "abc");
    EXPECT_EQ(n, -5);
    EXPECT_EQ(ar.GetBytesRemaining(), 0u);
    char c;
    EXPECT_EQ(ar.Read(&c, 1), 0u);
    EXPECT_THROW(ar >> s, CArchiveException);
}
