#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/Cli.h"
#include "fw/base/CodePage.h"
#include "fw/base/Platform.h"
#include "store/COrdelinkDoc.h"
#include "tests/native/TestSupport.h"

namespace {

struct CliResult {
    int code;
    std::string out, err;
};

CliResult RunCliArgs(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// Writes a document of (id, parent, isURL) records.
void WriteDoc(const std::string& path, const std::vector<std::array<int, 3>>& records) {
    COrdelinkDoc doc;
    for (auto& r : records) AddRecord(doc, r[0], r[1], ("t" + std::to_string(r[0])).c_str(), r[2]);
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
}

}  // namespace

TEST(Cli, DumpPrintsEveryRecordAsUtf8) {
    CliResult r = RunCliArgs({"dump", TestDataPath("sample.pmk")});
    EXPECT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) got.push_back(line);
    ASSERT_EQ(got.size(), 7u);
    EXPECT_EQ(got[0], "0\t1\t0\tfolder\t検索\t\t");
    EXPECT_EQ(got[2], "2\t3\t1\turl\tExample\thttp://www.example.com/\t最初の一件\\r\\n二行目");
    EXPECT_EQ(got[3], "3\t4\t2\turl\t表計算の使い方\thttp://www.example.org/help/sheet.html\t");
}

TEST(Cli, DumpJson) {
    CliResult r = RunCliArgs({"dump", "--json", TestDataPath("sample.pmk")});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["count"], 7);
    EXPECT_EQ(j["empty"], false);
    EXPECT_EQ(j["records"][1]["title"], "ニュース");
    EXPECT_EQ(j["records"][1]["memo"], "毎朝読むもの");
    EXPECT_EQ(j["records"][6]["parent"], 6);
}

// The JSON is written record by record; it must be the text the JSON library
// prints for the same document, whatever the strings hold.
TEST(Cli, DumpJsonIsTheLibrarysText) {
    ScratchDir dir;
    struct {
        const char* name;
        std::vector<std::string> titles;
    } cases[] = {
        {"no records", {}},
        {"plain", {"a", ""}},
        {"quotes and backslashes", {"say \"hi\" \\ bye", "\\\\\""}},
        {"control characters", {std::string("\x01\x08\t\n\x0B\x0C\r\x1F\x7F", 9), "a\nb"}},
        {"a NUL byte", {std::string("a\0b", 3)}},
        {"Shift-JIS with a 5C trail byte", {"\x95\x5C\x8C\x76", "\x83\x41\x5C"}},
        {"bytes the code page cannot convert", {"\x80\xA0\xFD\xFE\xFF", "\x81"}},
        {"half-width katakana", {"\xC3\xBD\xC4"}},
    };
    for (auto& c : cases) {
        COrdelinkDoc doc;
        int nID = 1;
        for (const std::string& t : c.titles) {
            AddRecord(doc, nID, nID - 1, t.c_str(), nID % 2, t.c_str(), t.c_str());
            doc.m_PtrAry[nID - 1]->m_Title = CString(t);  // with any NUL byte
            ++nID;
        }
        ASSERT_TRUE(doc.OnSaveDocument(dir.File("j.pmk").c_str())) << c.name;
        CliResult r = RunCliArgs({"dump", "--json", dir.File("j.pmk")});
        ASSERT_EQ(r.code, 0) << c.name << r.err;

        nlohmann::json records = nlohmann::json::array();
        for (int i = 0; i < doc.m_PtrAry.GetSize(); ++i) {
            const CUrlItem* p = doc.m_PtrAry[i];
            auto utf8 = [](const CString& s) {
                std::string out;
                if (!platform::CodePageToUtf8(s.str(), codepage::Active(), out)) return s.str();
                return out;
            };
            records.push_back({{"index", i},
                               {"id", static_cast<int>(p->m_ID)},
                               {"parent", p->m_ParentID},
                               {"isURL", p->m_IsURL},
                               {"title", utf8(p->m_Title)},
                               {"url", utf8(p->m_URL)},
                               {"memo", utf8(p->m_Memo)}});
        }
        nlohmann::json want = {
            {"count", doc.m_PtrAry.GetSize()}, {"empty", doc.m_bEmpty != 0}, {"records", records}};
        EXPECT_EQ(r.out, want.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n")
            << c.name;
    }
}

TEST(Cli, CheckFindsEveryKindOfDamage) {
    ScratchDir dir;
    struct {
        const char* name;
        std::vector<std::array<int, 3>> records;  // id, parent, isURL
        int code;
        std::string out;
    } cases[] = {
        {"clean", {{1, 0, 0}, {2, 1, 1}, {3, 1, 0}}, 0, "3 records, no damage found\n"},
        {"zero id", {{0, 0, 0}}, 1, "record 0 (ID 0): ID below 1\n"},
        {"repeat", {{1, 0, 0}, {1, 0, 1}}, 1, "record 1 (ID 1): repeats the ID of record 0\n"},
        {"missing parent",
         {{1, 0, 0}, {2, 9, 1}},
         1,
         "record 1 (ID 2): parent 9 does not exist\nrecord 1 (ID 2): not reachable from the "
         "ROOT\n"},
        {"url parent", {{1, 0, 1}, {2, 1, 1}}, 1, "record 1 (ID 2): parent 1 is a URL record\n"},
        {"self parent",
         {{4, 4, 0}},
         1,
         "record 0 (ID 4): parent loop 4 -> 4\nrecord 0 (ID 4): not reachable from the ROOT\n"},
        {"loop",
         {{1, 0, 0}, {3, 2, 0}, {2, 3, 0}, {5, 2, 1}},
         1,
         "record 1 (ID 3): not reachable from the ROOT\n"
         "record 2 (ID 2): parent loop 2 -> 3 -> 2\n"
         "record 2 (ID 2): not reachable from the ROOT\n"
         "record 3 (ID 5): not reachable from the ROOT\n"},
    };
    for (auto& c : cases) {
        const std::string path = dir.File("c.pmk");
        WriteDoc(path, c.records);
        CliResult r = RunCliArgs({"check", path});
        EXPECT_EQ(r.code, c.code) << c.name;
        EXPECT_EQ(r.out, c.out) << c.name;
    }
}

TEST(Cli, UnreadableDocumentsExitWithTheProgramsMessage) {
    ScratchDir dir;
    WriteBytes(dir.File("cut.pmk"), std::string("\x01\x00\x00\x00\x05"
                                                "ab",
                                                7));
    for (const char* verb : {"dump", "check"}) {
        CliResult r = RunCliArgs({verb, dir.File("cut.pmk")});
        EXPECT_EQ(r.code, 2) << verb;
        EXPECT_EQ(r.err, "予期しないﾌｧｲﾙ形式です。\n") << verb;
        r = RunCliArgs({verb, dir.File("none.pmk")});
        EXPECT_EQ(r.code, 2) << verb;
        EXPECT_EQ(r.err, dir.File("none.pmk") + " が見つかりません。\n") << verb;
    }
    EXPECT_EQ(RunCliArgs({"frobnicate", "x"}).code, kCliUsage);
    EXPECT_EQ(RunCliArgs({"dump"}).code, kCliUsage);
}
