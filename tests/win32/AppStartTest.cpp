// Start-up: which document opens first, the fall-backs when it cannot be
// opened, the recent-file list, the save prompt, and the settings loader.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "app/BrowserDetect.h"
#include "fw/win/CRecentFileList.h"
#include "fw/win/CSingleDocTemplate.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/GuiTestSupport.h"
#include "views/CTreeVw.h"

namespace {

std::string Sample() {
    return ReadBytes(TestDataPath("sample.pmk"));
}

std::string Ini(const std::string& recentFiles) {
    return "[Recent File List]\r\n" + recentFiles;
}

TEST(AppStart, WithoutAFileTheMostRecentDocumentIsReopened) {
    ScratchDir dir;
    WriteBytes(dir.File("books.pmk"), Sample());
    const std::string path = WinPath(dir.File("books.pmk"));
    AppHarness h(dir);
    h.WriteIni(Ini("File1=" + path + "\r\n"));
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.Document()->GetPathName(), path);
    EXPECT_GT(h.Document()->m_PtrAry.GetSize(), 0);
    EXPECT_EQ(WindowTitle(h.Frame()->m_hWnd), "books.pmk - Ordelink");
}

// The program's own save writes the same bytes as the portable store that
// made the sample: the file's integers stay 32-bit in the 64-bit build.
TEST(AppStart, SavingAnOpenedDocumentWritesItsBytesUnchanged) {
    ScratchDir dir;
    WriteBytes(dir.File("books.pmk"), Sample());
    AppHarness h(dir);
    ASSERT_TRUE(h.Start({WinPath(dir.File("books.pmk"))}));
    const std::string copy = WinPath(dir.File("copy.pmk"));
    ASSERT_TRUE(h.Document()->OnSaveDocument(copy.c_str()));
    EXPECT_EQ(ReadBytes(dir.File("copy.pmk")), Sample());
}

TEST(AppStart, TheNoRecentFileMarkerMeansANewDocument) {
    ScratchDir dir;
    AppHarness h(dir);
    h.WriteIni(Ini("File1=Brennholt\r\n"));
    MessageRecorder messages;
    ASSERT_TRUE(h.Start());
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(h.Document()->GetPathName().IsEmpty());
    EXPECT_EQ(h.Document()->GetTitle(), Ansi("無題"));
}

// A document that cannot be opened at start-up: the reason is shown, then
// the program goes on with an empty untitled document.
TEST(AppStart, ADocumentThatCannotBeOpenedFallsBackToANewOne) {
    ScratchDir dir;
    WriteBytes(dir.File("other.pmk"), Sample());
    std::string truncated = Sample();
    truncated.resize(truncated.size() - 5);
    WriteBytes(dir.File("cut.pmk"), truncated);
    const std::string missing = WinPath(dir.File("gone.pmk"));
    const std::string cut = WinPath(dir.File("cut.pmk"));
    const std::string other = WinPath(dir.File("other.pmk"));

    const struct {
        const char* name;
        std::string recent;             // File1, File2
        std::vector<std::string> args;  // the command line
        std::string message;            // UTF-8
        std::vector<std::string> recentAfter;
    } cases[] = {
        {"missing File1",
         "File1=" + missing + "\r\nFile2=" + other + "\r\n",
         {},
         "gone.pmk が見つかりません。",
         {other}},
        {"truncated File1",
         "File1=" + cut + "\r\nFile2=" + other + "\r\n",
         {},
         "予期しないﾌｧｲﾙ形式です。",
         {other}},
        // The file named on the command line failed; the recent list keeps
        // its first entry, which names another file.
        {"missing argument",
         "File1=" + other + "\r\n",
         {missing},
         "gone.pmk が見つかりません。",
         {other}},
        {"truncated argument",
         "File1=" + other + "\r\n",
         {cut},
         "予期しないﾌｧｲﾙ形式です。",
         {other}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppHarness h(dir);
        h.WriteIni(Ini(c.recent));
        MessageRecorder messages;
        ASSERT_TRUE(h.Start(c.args));
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_NE(messages.messages[0].text.str().find(Ansi(c.message.c_str()).str()),
                  std::string::npos)
            << messages.messages[0].text.str();
        ASSERT_NE(h.Frame(), nullptr);
        EXPECT_TRUE(h.Document()->GetPathName().IsEmpty());
        EXPECT_EQ(h.Document()->m_PtrAry.GetSize(), 0);
        EXPECT_FALSE(h.Document()->IsModified());
        EXPECT_EQ(WindowTitle(h.Frame()->m_hWnd), Ansi("無題 - Ordelink").str());
        h.Close();
        EXPECT_EQ(h.ReadIniString("Recent File List", "File1"), c.recentAfter[0]);
        EXPECT_EQ(h.ReadIniString("Recent File List", "File2"), "<none>");
    }
}

TEST(AppStart, ATruncatedDocumentOpenedLaterLeavesAnEmptyUntitledOne) {
    ScratchDir dir;
    WriteBytes(dir.File("good.pmk"), Sample());
    std::string truncated = Sample();
    truncated.resize(truncated.size() / 2);
    WriteBytes(dir.File("cut.pmk"), truncated);
    AppHarness h(dir);
    ASSERT_TRUE(h.Start({WinPath(dir.File("good.pmk"))}));
    HWND hFrame = h.Frame()->m_hWnd;
    MessageRecorder messages;
    EXPECT_EQ(h.app.OpenDocumentFile(WinPath(dir.File("cut.pmk")).c_str()), nullptr);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, Ansi("予期しないﾌｧｲﾙ形式です。"));
    // Same window, the records are gone and the title says so.
    EXPECT_EQ(h.Frame()->m_hWnd, hFrame);
    EXPECT_EQ(h.Document()->m_PtrAry.GetSize(), 0);
    EXPECT_EQ(WindowTitle(hFrame), Ansi("無題 - Ordelink").str());

    // A file that cannot even be opened leaves the current document alone.
    ASSERT_TRUE(h.app.OpenDocumentFile(WinPath(dir.File("good.pmk")).c_str()));
    const int nRecords = h.Document()->m_PtrAry.GetSize();
    EXPECT_EQ(h.app.OpenDocumentFile(WinPath(dir.File("none.pmk")).c_str()), nullptr);
    EXPECT_EQ(h.Document()->m_PtrAry.GetSize(), nRecords);
    EXPECT_EQ(WindowTitle(hFrame), "good.pmk - Ordelink");
}

TEST(AppStart, ClosingAModifiedDocumentAsksToSaveIt) {
    ScratchDir dir;
    WriteBytes(dir.File("books.pmk"), Sample());
    const struct {
        int answer;
        bool closed;
        bool saved;
    } cases[] = {{IDCANCEL, false, false}, {IDNO, true, false}, {IDYES, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        AppHarness h(dir);
        ASSERT_TRUE(h.Start({WinPath(dir.File("books.pmk"))}));
        HWND hFrame = h.Frame()->m_hWnd;
        h.Document()->m_PtrAry.RemoveAll();
        h.Document()->SetModifiedFlag(TRUE);
        {
            MessageRecorder messages(c.answer);
            SendMessageA(hFrame, WM_CLOSE, 0, 0);
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].text, Ansi("books.pmk への変更を保存しますか？"));
        }
        EXPECT_EQ(IsWindow(hFrame) == FALSE, c.closed);
        EXPECT_EQ(ReadBytes(dir.File("books.pmk")) == std::string(4, '\0'), c.saved);
        if (c.saved) WriteBytes(dir.File("books.pmk"), Sample());
    }
}

TEST(AppStart, OpenedFilesLeadTheRecentFileList) {
    ScratchDir dir;
    WriteBytes(dir.File("a.pmk"), Sample());
    WriteBytes(dir.File("b.pmk"), Sample());
    AppHarness h(dir);
    ASSERT_TRUE(h.Start({WinPath(dir.File("a.pmk"))}));
    ASSERT_TRUE(h.app.OpenDocumentFile(WinPath(dir.File("b.pmk")).c_str()));
    ASSERT_TRUE(h.app.OpenDocumentFile(WinPath(dir.File("A.PMK")).c_str()));
    h.Close();
    EXPECT_STRCASEEQ(h.ReadIniString("Recent File List", "File1").c_str(),
                     WinPath(dir.File("a.pmk")).c_str());
    EXPECT_EQ(h.ReadIniString("Recent File List", "File2"), WinPath(dir.File("b.pmk")));
    EXPECT_EQ(h.ReadIniString("Recent File List", "File3"), "<none>");
}

TEST(RecentFileList, MenuNamesAreShortenedAtCharacterBoundaries) {
    const struct {
        const char* path;  // UTF-8
        const char* shown;
    } cases[] = {
        {"C:\\data\\books.pmk", "C:\\data\\books.pmk"},
        {"C:\\one\\two\\three\\four\\books.pmk", "C:\\...\\three\\four\\books.pmk"},
        {"C:\\a-very-long-folder\\another-long-one\\books.pmk", "C:\\...\\books.pmk"},
        {"C:\\x\\a-file-name-longer-than-thirty.pmk", "a-file-name-longer-than-thirty.pmk"},
        // 表 ends in the byte of a backslash; it is no separator, so the
        // long folder goes as a whole.
        {"C:\\表表表表表表表表表\\表\\books.pmk", "C:\\...\\表\\books.pmk"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CRecentFileList::AbbreviateName(Ansi(c.path), 30), Ansi(c.shown)) << c.path;
}

// Detected browser or the stored one: which browser counts as Internet
// Explorer and where BrowserAny comes from.
struct Detection {
    INT_PTR result;
    const char* path;
};
Detection g_detection;
INT_PTR FakeFindExecutable(const char*, const char*, CString& strResult) {
    strResult = g_detection.path;
    return g_detection.result;
}

TEST(Settings, BrowserDetectionDecidesTheBrowserSettings) {
    const struct {
        Detection detected;
        const char* message;
        const char* browser;
        int isIE;
        int browserAny;
    } cases[] = {
        {{42, "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
         nullptr,
         "C:\\Program Files\\Internet Explorer\\iexplore.exe",
         1,
         0},
        {{42, "C:\\PROGRA~1\\IE\\IEXPLORE.EXE"}, nullptr, "C:\\PROGRA~1\\IE\\IEXPLORE.EXE", 0, 1},
        {{42, "C:\\Netscape\\netscape.exe"}, nullptr, "C:\\Netscape\\netscape.exe", 0, 1},
        // A pointer-sized success whose low 32 bits alone would read as an error.
        {{static_cast<INT_PTR>(0x100000010LL), "C:\\Browsers\\other.exe"},
         nullptr,
         "C:\\Browsers\\other.exe",
         0,
         1},
        {{SE_ERR_NOASSOC, ""}, nullptr, "C:\\Browsers\\stored.exe", 1, 0},
        {{2, ""}, "ERROR_FILE_NOT_FOUND", "C:\\Browsers\\stored.exe", 1, 0},
        {{3, ""}, "ERROR_PATH_NOT_FOUND", "C:\\Browsers\\stored.exe", 1, 0},
        {{11, ""}, "ERROR_BAD_FORMAT", "C:\\Browsers\\stored.exe", 1, 0},
        {{0, ""}, "メモリ不足", "C:\\Browsers\\stored.exe", 1, 0},
    };
    ScratchDir dir;
    AppHarness h(dir);
    h.WriteIni("[Setting]\r\nBrowserName=C:\\Browsers\\stored.exe\r\nBrowserAny=0\r\n");
    ASSERT_TRUE(h.Start());
    auto* pTree = dynamic_cast<CTreeVw*>(h.Frame()->m_wndSplitter.GetPane(0, 0));
    ASSERT_NE(pTree, nullptr);
    FindExecutableFn old = SetFindExecutableForTest(FakeFindExecutable);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.detected.path);
        g_detection = c.detected;
        MessageRecorder messages;
        pTree->LoadSaveSettings(TRUE);
        if (c.message) {
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].text, Ansi(c.message));
        } else {
            EXPECT_TRUE(messages.messages.empty());
        }
        EXPECT_EQ(pTree->m_BrowserName, c.browser);
        EXPECT_EQ(pTree->m_bBrowserIsIE, c.isIE);
        EXPECT_EQ(pTree->m_BrowserAny, c.browserAny);
    }
    SetFindExecutableForTest(old);
}

// A temporary folder whose path takes more bytes than the first buffer holds
// (double-byte names: fewer characters than MAX_PATH, more bytes) reaches
// the lookup whole, not as whatever the buffer held.
std::string g_lookupFile, g_lookupDir;
INT_PTR RecordingFindExecutable(const char* pszFile, const char* pszDir, CString& strResult) {
    g_lookupFile = pszFile;
    g_lookupDir = pszDir;
    strResult = "C:\\Browsers\\found.exe";
    return 42;
}

TEST(Settings, ALongTemporaryFolderReachesTheBrowserLookupWhole) {
    std::string folder = "C:\\";
    while (folder.size() <= MAX_PATH) folder += Ansi("一時フォルダの長い名前です\\").str();
    ASSERT_LT(folder.size(), 300u);
    ASSERT_GT(folder.size(), static_cast<size_t>(MAX_PATH));
    char szOldTmp[MAX_PATH] = "";
    const bool bHadTmp = GetEnvironmentVariableA("TMP", szOldTmp, MAX_PATH) > 0;
    SetEnvironmentVariableA("TMP", folder.c_str());
    FindExecutableFn old = SetFindExecutableForTest(RecordingFindExecutable);
    CString strPath;
    MessageRecorder messages;
    const BOOL bFound = FindBrowser(strPath);
    SetFindExecutableForTest(old);
    SetEnvironmentVariableA("TMP", bHadTmp ? szOldTmp : nullptr);
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_TRUE(bFound);
    EXPECT_EQ(strPath, "C:\\Browsers\\found.exe");
    EXPECT_EQ(g_lookupDir, folder);
    EXPECT_EQ(g_lookupFile, folder + "Ordelink.htm");
}

TEST(Settings, DefaultsThenSavedValuesRoundTrip) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    auto* pTree = dynamic_cast<CTreeVw*>(h.Frame()->m_wndSplitter.GetPane(0, 0));
    EXPECT_EQ(pTree->m_Build, "0.00");
    EXPECT_EQ(pTree->m_AppAny, 1);
    EXPECT_EQ(pTree->m_TitleEmpty, 0);
    EXPECT_EQ(pTree->m_ToolBarType, 1);
    EXPECT_EQ(pTree->m_HtmlDirTemp, 1);
    EXPECT_EQ(pTree->m_LinkTarget, 1);
    pTree->m_TitleEmpty = 1;
    pTree->m_ToolBarType = 0;
    pTree->LoadSaveSettings(FALSE);
    pTree->m_TitleEmpty = 0;
    pTree->LoadSaveSettings(TRUE);
    EXPECT_EQ(pTree->m_Build, "1.30");
    EXPECT_EQ(pTree->m_TitleEmpty, 1);
    EXPECT_EQ(pTree->m_ToolBarType, 0);
    EXPECT_EQ(h.ReadIniString("Setting", "BrowserName"), "<none>");
}

}  // namespace

namespace {

TEST(AppStart, FileDialogsOfferTheDocumentTypeThenAllFiles) {
    ScratchDir dir;
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    CString strDefExt;
    const std::string filter = CWinApp::FileDialogFilter(h.app.GetDocTemplate(), strDefExt);
    const std::string expected = std::string("Ordelink Files (*.pmk)\0*.PMK\0", 29) +
                                 Ansi("すべてのﾌｧｲﾙ (*.*)").str() + std::string("\0*.*\0\0", 6);
    EXPECT_EQ(filter, expected);
    EXPECT_EQ(strDefExt, "PMK");
}

// A file dropped on the window is opened like File > Open.
TEST(AppStart, AFileDroppedOnTheWindowIsOpened) {
    ScratchDir dir;
    WriteBytes(dir.File("dropped.pmk"), ReadBytes(TestDataPath("sample.pmk")));
    AppHarness h(dir);
    ASSERT_TRUE(h.Start());
    const std::string path = WinPath(dir.File("dropped.pmk"));
    // The shell's drop block: a DROPFILES header, then the names, each
    // NUL-ended, and one NUL more.
    const size_t cb = sizeof(DROPFILES) + path.size() + 2;
    HGLOBAL hDrop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    auto* pDrop = static_cast<DROPFILES*>(GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES), path.c_str(), path.size());
    GlobalUnlock(hDrop);
    h.Frame()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop));
    EXPECT_EQ(h.Document()->GetPathName(), path);
    EXPECT_EQ(WindowTitle(h.Frame()->m_hWnd), "dropped.pmk - Ordelink");
}

}  // namespace
