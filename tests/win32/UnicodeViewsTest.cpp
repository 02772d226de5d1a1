// Text outside the legacy code page in the running program: the tree, the
// form and the saved file keep every character, and a settings file of an
// older version (code page 932) with Japanese names is read right.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "fw/base/CProfileFile.h"
#include "fw/base/LegacyText.h"
#include "res/resource.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

std::u16string NodeLabelW(HWND hTree, HTREEITEM hItem) {
    wchar_t buf[256] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = buf;
    item.cchTextMax = 256;
    SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return std::u16string(reinterpret_cast<const char16_t*>(buf));
}

std::u16string WindowTextW(HWND hWnd) {
    wchar_t buf[256] = L"";
    GetWindowTextW(hWnd, buf, 256);
    return std::u16string(reinterpret_cast<const char16_t*>(buf));
}

}  // namespace

TEST(UnicodeViews, TheTreeTheFormAndTheFileKeepEveryCharacter) {
    const struct {
        int nID;
        const char* title;
        std::u16string wide;
    } titles[] = {
        {1, u8"한국어 — Korean", u"한국어 — Korean"},
        {2, u8"Café crème 😀", u"Café crème 😀"},
        {3, u8"Ελληνικά", u"Ελληνικά"},
        {4, u8"ソフト表示", u"ソフト表示"},
    };
    ViewFixture f;
    f.Load({{1, 0, titles[0].title},
            {2, 1, titles[1].title, 1, "http://a/"},
            {3, 0, titles[2].title},
            {4, 3, titles[3].title, 1, "http://b/"}});
    for (const auto& t : titles) {
        SCOPED_TRACE(t.nID);
        EXPECT_EQ(NodeLabelW(f.Tree()->m_hWnd, f.Node(t.nID)), t.wide);
        f.Select(t.nID);
        EXPECT_EQ(f.FieldText(IDC_TITLE), A(t.title));
        EXPECT_EQ(WindowTextW(GetDlgItem(f.Form()->m_hWnd, IDC_TITLE)), t.wide);
    }
    const std::string path = f.dir.File("w.pmk");
    ASSERT_TRUE(f.Doc()->OnSaveDocument(path.c_str()));
    const std::string bytes = ReadBytes(path);
    // Korean as UTF-16, Japanese in code page 932 as before.
    EXPECT_NE(bytes.find(std::string("\xFF\xFE\xFF\x0C\x5C\xD5\x6D\xAD\xB4\xC5", 10)),
              std::string::npos);
    EXPECT_NE(bytes.find("\x0A\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6"), std::string::npos);
}

TEST(UnicodeViews, SettingsOfAnOlderVersionWithJapaneseNames) {
    ScratchDir dir;
    const std::string folder = dir.File(A("しおり 表示"));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteBytes(folder + "/" + A("本.pmk"), ReadBytes(TestDataPath("sample.pmk")));
    const std::string path = WinPath(folder + "/" + A("本.pmk"));
    AppHarness h(dir);
    // WriteIni writes code page 932, as an older version did.
    h.WriteIni("[Setting]\r\nBrowserName=" + A("C:\\ブラウザ\\ソフト.exe") +
               "\r\n[Recent File List]\r\nFile1=" + path + "\r\n");
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.Document()->GetPathName().str(), path);
    EXPECT_EQ(WindowTitle(h.Frame()->m_hWnd), A("本.pmk - Ordelink"));
    auto* pTree = dynamic_cast<CTreeVw*>(h.Frame()->m_wndSplitter.GetPane(0, 0));
    ASSERT_NE(pTree, nullptr);
    EXPECT_EQ(pTree->m_BrowserName.str(), A("C:\\ブラウザ\\ソフト.exe"));
}
