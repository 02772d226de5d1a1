// File > Import from Browser... in the window: profiles made in the prefix's
// application data folders, the dialog listing them with their counts, the
// imports and their undo, and the way to a file when none is found.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "fw/base/AfxHooks.h"
#include "fw/win/CFileDialog.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/DialogTestSupport.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

std::string ShellFolder(int nFolder) {
    char szPath[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, nFolder, nullptr, SHGFP_TYPE_CURRENT, szPath);
    return szPath;
}

// Folders and files made for one test under the prefix's own folders, taken
// away again (innermost first) with the object.
class PrefixFiles {
public:
    ~PrefixFiles() {
        for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
            if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
    }
    // Makes each missing folder of base\names...; returns the last.
    std::string Dirs(std::string strPath, const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            strPath += "\\" + name;
            if (CreateDirectoryA(strPath.c_str(), nullptr)) m_made.push_back(strPath);
        }
        return strPath;
    }
    std::string File(const std::string& strDir, const char* pszName, const std::string& bytes) {
        const std::string strPath = strDir + "\\" + pszName;
        HANDLE h =
            CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << strPath;
        DWORD cb = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &cb, nullptr);
        CloseHandle(h);
        m_made.push_back(strPath);
        return strPath;
    }

private:
    std::vector<std::string> m_made;
};

std::string Bookmarks(const std::string& strBarChildren) {
    return R"({"checksum":"0","roots":{"bookmark_bar":{"children":[)" + strBarChildren +
           R"(],"id":"1","name":"Bookmarks bar","type":"folder"},)"
           R"("other":{"children":[],"id":"2","name":"Other bookmarks","type":"folder"},)"
           R"("synced":{"children":[],"id":"3","name":"Mobile bookmarks","type":"folder"}},)"
           R"("version":1})";
}
std::string Link(const char* pszName, const char* pszURL) {
    return std::string(R"({"type":"url","name":")") + pszName + R"(","url":")" + pszURL + "\"}";
}

// The records under nID as "+folder(...)" and "-title|url", in table order.
std::string Records(const COrdelinkDoc& doc, int nID) {
    std::string s;
    const CItemTable& t = doc.m_PtrAry;
    for (int i = 0; i < t.GetSize(); ++i) {
        const CUrlItem& r = *t[i];
        if (r.m_ParentID != nID) continue;
        s += r.m_IsURL ? "-" + r.m_Title.str() + "|" + r.m_URL.str() + ";"
                       : "+" + r.m_Title.str() + "(" + Records(doc, r.m_ID) + ");";
    }
    return s;
}

// The list's rows as "browser|profile|count".
std::vector<std::string> Rows(HWND hDlg) {
    HWND hList = GetDlgItem(hDlg, IDC_BROWSER_PROFILES);
    std::vector<std::string> rows;
    for (int r = 0; r < ListView_GetItemCount(hList); ++r) {
        std::string row;
        for (int c = 0; c < 3; ++c) {
            char text[256] = "";
            LVITEMA item = {};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(hList, LVM_GETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
            row += (c ? "|" : "") + std::string(text);
        }
        rows.push_back(row);
    }
    return rows;
}

void SelectRows(HWND hDlg, const std::vector<int>& rows) {
    HWND hList = GetDlgItem(hDlg, IDC_BROWSER_PROFILES);
    ListView_SetItemState(hList, -1, 0, LVIS_SELECTED);
    for (int r : rows) ListView_SetItemState(hList, r, LVIS_SELECTED, LVIS_SELECTED);
}

// Answers the file dialog with one path.
std::string g_strAnswer;
INT_PTR AnswerFileDialog(CFileDialog& dlg) {
    dlg.SetPathName(g_strAnswer.c_str());
    return IDOK;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

// Chrome with two named profiles, Edge with a damaged file, Firefox only
// listed: the rows and counts, then two profiles imported, each one undoable
// step, the last one's folder selected.
TEST(BrowserImportCommand, ListsTheProfilesAndImportsEachAsOneStep) {
    PrefixFiles files;
    const std::string local = ShellFolder(CSIDL_LOCAL_APPDATA);
    const std::string chrome = files.Dirs(local, {"Google", "Chrome", "User Data"});
    files.File(files.Dirs(chrome, {"Default"}), "Bookmarks",
               Bookmarks(Link("日本語", "https://example.jp/?a=1&b=2") + "," +
                         R"({"type":"folder","name":"한국어","children":[)" +
                         Link("🎉", "javascript:alert(1)") + "]}," + Link("third", "http://3/")));
    files.File(files.Dirs(chrome, {"Profile 1"}), "Bookmarks", Bookmarks(Link("w", "http://w/")));
    files.File(
        chrome, "Local State",
        R"({"profile":{"info_cache":{"Default":{"name":"個人"},"Profile 1":{"name":"Work"}}}})");
    files.File(files.Dirs(local, {"Microsoft", "Edge", "User Data", "Default"}), "Bookmarks",
               "{\"roots\":");
    const std::string firefox = files.Dirs(ShellFolder(CSIDL_APPDATA), {"Mozilla", "Firefox"});
    files.File(firefox, "profiles.ini",
               "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\n"
               "Path=Profiles/abc.default-release\r\n");

    ViewFixture f;
    f.Load({{1, 0, "Existing"}});
    const std::string before = Records(*f.Doc(), 0);
    std::vector<std::string> rows;
    std::string hint;
    bool bImportEnabled = false;
    BeepCounter beeps;
    MessageRecorder messages;
    ModalDriver driver({Do([&](HWND hDlg) {
                            rows = Rows(hDlg);
                            hint = TextOf(GetDlgItem(hDlg, IDC_BROWSER_HINT));
                            bImportEnabled = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
                            // The damaged and the Firefox rows are passed over.
                            SelectRows(hDlg, {0, 1, 2, 3});
                        }),
                        PressButton(IDOK)});
    f.Command(ID_IMPORT_BROWSER);
    ASSERT_TRUE(driver.Finished());
    EXPECT_EQ(rows, (std::vector<std::string>{A("Google Chrome|個人|3"), "Google Chrome|Work|1",
                                              A("Microsoft Edge|Default|読めません"),
                                              A("Firefox|default-release|HTML へ書き出し")}));
    EXPECT_EQ(hint, AfxLoadString(IDS_BROWSER_FIREFOX_HINT).str());
    EXPECT_TRUE(bImportEnabled);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(beeps.count(), 2);

    // Two folders after the existing one, in the order chosen.
    const CItemTable& t = f.Doc()->m_PtrAry;
    ASSERT_EQ(t.GetSize(), 1 + 6 + 3);
    const CUrlItem& personal = *t[1];
    const CUrlItem& work = *t[7];
    EXPECT_TRUE(StartsWith(personal.m_Title.str(), A("Google Chrome - 個人 (")));
    EXPECT_TRUE(StartsWith(work.m_Title.str(), "Google Chrome - Work ("));
    EXPECT_EQ(Records(*f.Doc(), personal.m_ID),
              A("+Bookmarks bar(-日本語|https://example.jp/?a=1&b=2;+한국어(-🎉|javascript:alert(1);"
                ");-third|http://3/;);"));
    EXPECT_EQ(f.SelectedID(), static_cast<int>(work.m_ID));
    EXPECT_EQ(f.FieldText(IDC_TITLE), work.m_Title.str());
    EXPECT_TRUE(f.Doc()->IsModified());

    // One undo takes back one profile's import; the next, the other.
    const std::string afterFirst =
        "+Existing();+" + personal.m_Title.str() + "(" + Records(*f.Doc(), personal.m_ID) + ");";
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(Records(*f.Doc(), 0), afterFirst);
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(Records(*f.Doc(), 0), before);
    EXPECT_EQ(f.Shape(), "ROOT(Existing)");
    EXPECT_FALSE(f.Enabled(ID_EDIT_UNDO));
    f.Command(ID_EDIT_REDO);
    EXPECT_EQ(Records(*f.Doc(), 0), afterFirst);
}

// Nothing found: the dialog says so and its default is to open a file,
// which goes in like a profile's; a damaged file is refused with a message
// and changes nothing.
TEST(BrowserImportCommand, NoneFoundOffersToOpenAFile) {
    ScratchDir dir;
    const std::string html = WinPath(dir.File("exported.html"));
    WriteBytes(dir.File("exported.html"),
               "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<DL><p>\r\n"
               "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">A</A>\r\n</DL><p>\r\n");
    WriteBytes(dir.File("Bookmarks"), "{\"roots\":{\"other\":{\"children\":[");
    ViewFixture f;
    f.Load({});
    const CFileDialog::Handler old = CFileDialog::SetHandler(AnswerFileDialog);
    struct Seen {
        std::string note;
        bool bImport = true;
        LRESULT defID = 0;
    };
    Seen seen;
    auto look = [&seen](HWND hDlg) {
        seen.note = TextOf(GetDlgItem(hDlg, IDC_BROWSER_NOTE));
        seen.bImport = IsWindowEnabled(GetDlgItem(hDlg, IDOK));
        seen.defID = LOWORD(SendMessageA(hDlg, DM_GETDEFID, 0, 0));
    };
    {
        g_strAnswer = html;
        ModalDriver driver({Do(look), PressButton(IDOK)});
        f.Command(ID_IMPORT_BROWSER);
        ASSERT_TRUE(driver.Finished());
    }
    EXPECT_EQ(seen.note, AfxLoadString(IDS_BROWSER_NONE_FOUND).str());
    EXPECT_FALSE(seen.bImport);
    EXPECT_EQ(seen.defID, IDC_OPEN_BOOKMARK_FILE);
    const CUrlItem* pFolder = f.Record(f.SelectedID());
    ASSERT_NE(pFolder, nullptr);
    EXPECT_TRUE(StartsWith(pFolder->m_Title.str(), "exported.html (")) << pFolder->m_Title.str();
    EXPECT_EQ(f.Shape(), "ROOT(" + pFolder->m_Title.str() + "(A))");

    const std::string shape = f.Shape();
    MessageRecorder messages;
    {
        g_strAnswer = WinPath(dir.File("Bookmarks"));
        ModalDriver driver({PressButton(IDC_OPEN_BOOKMARK_FILE)});
        f.Command(ID_IMPORT_BROWSER);
        ASSERT_TRUE(driver.Finished());
    }
    CFileDialog::SetHandler(old);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.str(),
              AfxFormatString1(AfxLoadString(IDP_BROWSER_FILE_DAMAGED), g_strAnswer.c_str()).str());
    EXPECT_EQ(f.Shape(), shape);
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 2);
}
