#include <gtest/gtest.h>

#include "tests/native/TextCodePages.h"
#include "fw/base/CArchive.h"
#include "fw/base/CArchiveException.h"
#include "tests/native/TestSupport.h"

namespace {

std::string StoreString(const ScratchDir& dir, const CString& s) {
    const std::string path = dir.File("s.bin");
    {
        CFile f;
        EXPECT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&f, CArchive::store);
        ar << s;
        ar.Close();
        f.Close();
    }
    return ReadBytes(path);
}

CString LoadString(const ScratchDir& dir, const std::string& bytes) {
    const std::string path = dir.File("l.bin");
    WriteBytes(path, bytes);
    CFile f;
    EXPECT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&f, CArchive::load);
    CString s;
    ar >> s;
    return s;
}

}  // namespace

TEST(CArchive, StringLengthPrefixes) {
    ScratchDir dir;
    struct {
        int length;
        std::string prefix;
    } cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (auto& c : cases) {
        const CString s(std::string(c.length, 'x'));
        const std::string bytes = StoreString(dir, s);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(LoadString(dir, bytes), s) << c.length;
        // Every prefix of the encoding is a truncated string.
        for (size_t cut : {size_t(0), c.prefix.size() - 1, bytes.size() - 1}) {
            if (cut >= bytes.size()) continue;
            EXPECT_THROW(LoadString(dir, bytes.substr(0, cut)), CArchiveException)
                << c.length << " cut at " << cut;
        }
    }
}

TEST(CArchive, ReadsTheUtf16Form) {
    TextCodePages pages(932, 932);
    ScratchDir dir;
    // FF FE FF marks UTF-16; the length (in 16-bit units) follows by the same rules.
    const std::string ascii = std::string("\xFF\xFE\xFF\x02", 4) + std::string("h\0i\0", 4);
    EXPECT_EQ(LoadString(dir, ascii).str(), "hi");
    // 日本 = U+65E5 U+672C = cp932 93 FA 96 7B
    const std::string japanese = std::string("\xFF\xFE\xFF\x02\xE5\x65\x2C\x67", 8);
    EXPECT_EQ(LoadString(dir, japanese).str(), "\x93\xFA\x96\x7B");
    // A long UTF-16 string uses the 16-bit length.
    std::string longForm = std::string("\xFF\xFE\xFF\xFF\x2C\x01", 6);
    for (int i = 0; i < 300; ++i) longForm += std::string("a\0", 2);
    EXPECT_EQ(LoadString(dir, longForm).str(), std::string(300, 'a'));
    // One unit short.
    EXPECT_THROW(LoadString(dir, ascii.substr(0, ascii.size() - 1)), CArchiveException);
}

TEST(CArchive, HugeLengthFailsBeforeAllocating) {
    ScratchDir dir;
    // 4 GiB - 1 announced, three bytes present.
    const std::string bytes = std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "abc";
    try {
        LoadString(dir, bytes);
        FAIL() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
}

TEST(CArchive, IntegersAreLittleEndian) {
    ScratchDir dir;
    const std::string path = dir.File("i.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&f, CArchive::store);
        ar << int32_t(-2) << uint32_t(0x01020304) << WORD(0xABCD) << BYTE(7);
        ar.Close();
        f.Close();
    }
    EXPECT_EQ(ReadBytes(path), std::string("\xFE\xFF\xFF\xFF\x04\x03\x02\x01\xCD\xAB\x07", 11));
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&f, CArchive::load);
    int32_t a;
    uint32_t b;
    WORD c;
    BYTE d;
    ar >> a >> b >> c >> d;
    EXPECT_EQ(a, -2);
    EXPECT_EQ(b, 0x01020304u);
    EXPECT_EQ(c, 0xABCD);
    EXPECT_EQ(d, 7);
    EXPECT_THROW(ar >> d, CArchiveException);
}
