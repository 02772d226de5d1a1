// Titles of links brought in from other programs: cleaned as captured page
// titles are, and always accepted by UPDATE's checks.
#include <gtest/gtest.h>

#include "convert/LinkTitle.h"
#include "store/ItemEdits.h"
#include "tests/native/TestSupport.h"

namespace {

TEST(LinkTitle, CleanedAndAcceptedAsTheyStand) {
    const struct {
        const char* title;  // as the data carries it (the address when it has none)
        const char* url;
        const char* expected;
    } cases[] = {
        {"Example Domain", "http://example.com/", "Example Domain"},
        // The address as a title: / becomes -, : and ? go.
        {"http://example.com/a?b=1", "http://example.com/a?b=1", "http--example.com-ab=1"},
        {"News: \"Today\" <live> | Site*", "http://n/", "News Today live - Site"},
        {"C:\\path\\page", "file:///C:/path/page", "Cpathpage"},
        // Nothing left of the title: the cleaned address.
        {"???", "mailto:a@b.example", "mailtoa@b.example"},
        // ROOT and the siblings' titles stand in the way.
        {"root", "http://r/", "root -- 1"},
        {"Taken", "http://t/", "Taken -- 2"},
        // Japanese text whose second bytes look like \ or | in Shift-JIS
        // stays whole.
        {"表示｜ソフト", "http://j/", "表示｜ソフト"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        COrdelinkDoc doc;
        AddRecord(doc, 1, 0, "Folder");
        AddRecord(doc, 2, 1, "Taken", 1, "http://x/");
        AddRecord(doc, 3, 1, "Taken -- 1", 1, "http://y/");
        AddRecord(doc, 4, 0, "Taken", 1, "http://elsewhere/");  // another folder
        AddRecord(doc, 9, 1, "New", 1, "http://new/");
        const int nIndex = doc.m_PtrAry.GetUpperBound();
        const CString strTitle = LinkItemTitle(doc, nIndex, Ansi(c.title), Ansi(c.url));
        EXPECT_EQ(strTitle, Ansi(c.expected));
        EXPECT_EQ(CheckNewTitle(doc, nIndex, strTitle), 0u);
    }
}

}  // namespace
