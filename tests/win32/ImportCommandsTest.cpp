// The import and export commands in the window: the Favorites folder found
// through the registry, the bookmark file through the open dialog, every
// prompt, message and beep, the tree they leave and the files they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "convert/BookmarkImport.h"
#include "convert/DiskDir.h"
#include "convert/FavoritesExport.h"
#include "convert/ImportFolder.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/CTime.h"
#include "fw/win/CFileDialog.h"
#include "res/resource.h"
#include "store/COrdelinkDoc.h"
#include "tests/win32/ViewTestSupport.h"

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Sets the registry's Favorites value for the life of the object (nullptr
// removes it) and puts back what was there.
class FavoritesValue {
public:
    explicit FavoritesValue(const char* pszPath) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &m_hKey, nullptr);
        char buf[1024] = "";
        DWORD cb = sizeof(buf);
        m_bHad = RegQueryValueExA(m_hKey, "Favorites", nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(buf), &cb) == ERROR_SUCCESS;
        m_old = buf;
        Set(pszPath);
    }
    ~FavoritesValue() {
        Set(m_bHad ? m_old.c_str() : nullptr);
        RegCloseKey(m_hKey);
    }
    FavoritesValue(const FavoritesValue&) = delete;
    FavoritesValue& operator=(const FavoritesValue&) = delete;

private:
    void Set(const char* pszPath) {
        if (pszPath)
            RegSetValueExA(m_hKey, "Favorites", 0, REG_SZ, reinterpret_cast<const BYTE*>(pszPath),
                           static_cast<DWORD>(strlen(pszPath) + 1));
        else
            RegDeleteValueA(m_hKey, "Favorites");
    }
    HKEY m_hKey = nullptr;
    bool m_bHad = false;
    std::string m_old;
};

// Answers the file dialog with a path (empty: Cancel) and keeps what it was
// shown with.
struct DialogScript {
    explicit DialogScript(std::string strPath) : path(std::move(strPath)) {}
    std::string path;
    int nShown = 0;
    CString filter, defExt, fileName;
    DWORD flags = 0;
    BOOL bOpen = FALSE;
};
DialogScript* g_pDialog = nullptr;

INT_PTR AnswerDialog(CFileDialog& dlg) {
    DialogScript& d = *g_pDialog;
    ++d.nShown;
    d.filter = dlg.GetFilter();
    d.defExt = dlg.GetDefExt();
    d.fileName = dlg.GetFileName();
    d.flags = dlg.GetFlags();
    d.bOpen = dlg.IsOpenDialog();
    if (d.path.empty()) return IDCANCEL;
    dlg.SetPathName(d.path.c_str());
    return IDOK;
}

class DialogAnswer {
public:
    explicit DialogAnswer(DialogScript& d) : m_old(CFileDialog::SetHandler(AnswerDialog)) {
        g_pDialog = &d;
    }
    ~DialogAnswer() {
        CFileDialog::SetHandler(m_old);
        g_pDialog = nullptr;
    }

private:
    CFileDialog::Handler m_old;
};

// Counts the wait cursor's beginnings and ends.
int g_nWaitBegin = 0, g_nWaitEnd = 0;
void CountWait(bool bBegin) {
    ++(bBegin ? g_nWaitBegin : g_nWaitEnd);
}
class WaitCounter {
public:
    WaitCounter() : m_old(AfxSetWaitCursorHandler(CountWait)) { g_nWaitBegin = g_nWaitEnd = 0; }
    ~WaitCounter() { AfxSetWaitCursorHandler(m_old); }
    int begun() const { return g_nWaitBegin; }
    int ended() const { return g_nWaitEnd; }

private:
    AfxWaitCursorHandler m_old;
};

std::string Text(UINT nID) {
    return AfxLoadString(nID).str();
}

std::vector<std::string> Texts(const MessageRecorder& m) {
    std::vector<std::string> texts;
    for (const auto& msg : m.messages) texts.push_back(msg.text.str());
    return texts;
}

// Windows-side file helpers: names are in the ANSI code page.
void MakeDir(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
}
void WriteFileA(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD cb = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &cb, nullptr);
    CloseHandle(h);
}
std::string ReadFileA(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD cb = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &cb, nullptr);
    CloseHandle(h);
    return bytes;
}
std::string Corpus(const std::string& name) {
    return ReadBytes(std::string(ORD_CORPUS_DIR) + "/" + name);
}

// Every file below dir as relative path -> bytes; directories end in '\'.
void Snapshot(const std::string& dir, const std::string& rel,
              std::map<std::string, std::string>& out) {
    std::vector<diskdir::Entry> entries;
    diskdir::List(dir, entries);
    for (const auto& e : entries) {
        const std::string path = dir + "\\" + e.strName;
        if (e.bDirectory) {
            out[rel + e.strName + "\\"] = "";
            Snapshot(path, rel + e.strName + "\\", out);
        } else {
            out[rel + e.strName] = ReadFileA(path);
        }
    }
}
std::vector<std::string> Names(const std::string& dir) {
    std::vector<diskdir::Entry> entries;
    diskdir::List(dir, entries);
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.strName);
    std::sort(names.begin(), names.end());
    return names;
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

std::string Unmarked(std::string shape) {
    shape.erase(std::remove(shape.begin(), shape.end(), '+'), shape.end());
    return shape;
}

// The title of the dated folder made between the two times.
bool IsDatedTitle(const CString& title, ImportKind kind, const CTime& from, const CTime& to) {
    for (time_t t = from.GetTime(); t <= to.GetTime(); ++t)
        if (title == ImportFolderTitle(kind, CTime(t))) return true;
    return false;
}

// A Favorites folder of the test's own in the prefix, named in the registry.
struct FavoritesFixture {
    ViewFixture f;
    std::string favorites = WinPath(f.dir.File("Favorites"));
    FavoritesValue value{favorites.c_str()};
    FavoritesFixture() { MakeDir(favorites); }
};

void FillFavorites(const std::string& fav) {
    const std::string japanese = fav + "\\" + A("日本語フォルダ");
    for (const std::string& d :
         {fav + "\\News", fav + "\\News\\Tech", fav + "\\Zeta", japanese,
          fav + "\\" + A("チャンネル"), fav + "\\News\\" + A("ソフトウェアの更新")})
        MakeDir(d);
    WriteFileA(fav + "\\minimal-crlf.url", Corpus("url/minimal-crlf.url"));
    WriteFileA(fav + "\\lf-no-final-newline.URL", Corpus("url/lf-no-final-newline.url"));
    WriteFileA(fav + "\\alpha.Url", "[InternetShortcut]\r\nURL=http://alpha/\r\n");
    WriteFileA(fav + "\\desktop.ini", "[.ShellClassInfo]\r\n");
    WriteFileA(fav + "\\News\\Tech\\propstore.url",
               Corpus("url/propstore-first-hotkey-iconfile.url"));
    WriteFileA(japanese + "\\" + A("本社ポータルサイト.url"),
               Corpus("url/ie-default-baseurl-japanese-filename.url"));
    WriteFileA(fav + "\\" + A("チャンネル") + "\\hidden.url", "URL=http://hidden/\r\n");
    WriteFileA(fav + "\\News\\" + A("ソフトウェアの更新") + "\\upd.url", "URL=http://upd/\r\n");
}

TEST(FavoritesCommands, ImportBuildsTheTreeAndExportWritesWhatThePortableWriterDoes) {
    FavoritesFixture fx;
    ViewFixture& f = fx.f;
    FillFavorites(fx.favorites);
    f.Load({{1, 0, "Existing"}});
    // The program's own reading of the registry.
    ASSERT_EQ(f.Tree()->m_FavoritesPath.str(), fx.favorites);

    BeepCounter beeps;
    WaitCounter wait;
    const CTime before = CTime::GetCurrentTime();
    {
        MessageRecorder messages(AFX_IDYES);
        f.Command(ID_CONVERT_FAV_TO_FILE);
        ASSERT_EQ(Texts(messages), std::vector<std::string>{Text(IDP_IMPORT_FAV_ASK)});
        EXPECT_EQ(messages.messages[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    }
    const CTime after = CTime::GetCurrentTime();
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_GT(wait.begun(), 0);
    EXPECT_EQ(wait.begun(), wait.ended());
    EXPECT_TRUE(f.Doc()->IsModified());

    // The dated folder under the ROOT, selected and open one level; the
    // folders inside closed; siblings sorted.
    const int nFolder = f.SelectedID();
    const CUrlItem* pFolder = f.Record(nFolder);
    ASSERT_NE(pFolder, nullptr);
    EXPECT_EQ(pFolder->m_ParentID, 0);
    EXPECT_TRUE(IsDatedTitle(pFolder->m_Title, ImportKind::Favorites, before, after));
    const std::string title = pFolder->m_Title.str();
    EXPECT_EQ(f.Shape(), "ROOT(Existing," + title +
                             A("(alpha,lf-no-final-newline,minimal-crlf,"
                               "News(Tech(propstore)+)+,Zeta,"
                               "日本語フォルダ(本社ポータルサイト)+))"));
    // The records, each directory's shortcuts before its folders.
    std::string records = Records(*f.Doc(), nFolder);
    const std::string expected[] = {
        "-alpha|http://alpha/;",
        "-lf-no-final-newline|https://github.com/hiro111suzu/hidehist/blob/main/readme.md;",
        "-minimal-crlf|http://assimp.sourceforge.net;",
        "+News(+Tech(-propstore|http://dev.uoquint.ru/projects;););",
        "+Zeta();",
        A("+日本語フォルダ(-本社ポータルサイト|http://wwwinfo6.tokyo.alps.intra/~web/"
          "index_JP.html;);"),
    };
    for (const std::string& part : expected) {
        EXPECT_NE(records.find(part), std::string::npos) << part;
        if (records.find(part) != std::string::npos) records.erase(records.find(part), part.size());
    }
    EXPECT_EQ(records, "");

    // Export: the same files the portable writer makes for the document.
    f.Doc()->SetModifiedFlag(FALSE);
    const CTime exportTime = CTime::GetCurrentTime();
    {
        MessageRecorder messages(AFX_IDYES);
        f.Command(ID_CONVERT_FILE_TO_FAV);
        ASSERT_EQ(Texts(messages), std::vector<std::string>{Text(IDP_EXPORT_FAV_ASK)});
        EXPECT_EQ(messages.messages[0].type,
                  static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    }
    EXPECT_EQ(beeps.count(), 2);
    EXPECT_FALSE(f.Doc()->IsModified());
    const std::vector<std::string> dates = Names(fx.favorites + "\\Convert");
    ASSERT_EQ(dates.size(), 1u);
    bool bTimeFits = false;
    for (time_t t = exportTime.GetTime(); t <= CTime::GetCurrentTime().GetTime(); ++t)
        bTimeFits =
            bTimeFits || dates[0] == CTime(t).Format(Ansi("%y年%m月%d日 %H時%M分%S秒")).str();
    EXPECT_TRUE(bTimeFits) << dates[0];

    const std::string portable = WinPath(f.dir.File("portable"));
    MakeDir(portable);
    std::string strDateDir;
    ASSERT_EQ(
        ExportFavorites(portable, CDocumentTree(*f.Doc()), CTime(2024, 1, 1, 0, 0, 0), &strDateDir),
        ExportResult::Done);
    std::map<std::string, std::string> window, reference;
    Snapshot(fx.favorites + "\\Convert\\" + dates[0], "", window);
    Snapshot(strDateDir, "", reference);
    EXPECT_EQ(window, reference);
    EXPECT_EQ(window[title + "\\minimal-crlf.URL"],
              "[InternetShortcut]\r\nURL=http://assimp.sourceforge.net\r\n");
    EXPECT_EQ(window.count("Existing\\"), 1u);

    // The import is one step to undo; redone, its folders come back as they
    // were shown, the inner ones closed.
    const std::string imported = f.Shape();
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Shape(), "ROOT(Existing)");
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 1);
    f.Command(ID_EDIT_REDO);
    EXPECT_EQ(f.Shape(), imported);
    EXPECT_EQ(f.SelectedID(), nFolder);
}

TEST(FavoritesCommands, NoAnswerOrCancelChangesNothing) {
    const struct {
        const char* name;
        UINT nCommand;
        int bIE;
        int nAnswer;
        const char* dialogPath;  // "": Cancel
        int nDialogs;
    } cases[] = {
        {"import, No", ID_CONVERT_FAV_TO_FILE, 1, AFX_IDNO, "", 0},
        {"import for another browser, No", ID_CONVERT_FAV_TO_FILE, 0, AFX_IDNO, "", 0},
        {"import for another browser, Cancel", ID_CONVERT_FAV_TO_FILE, 0, AFX_IDYES, "", 1},
        {"read bookmark, No", ID_READ_BOOKMARK, 1, AFX_IDNO, "", 0},
        {"read bookmark, Cancel", ID_READ_BOOKMARK, 1, AFX_IDYES, "", 1},
        {"export, No", ID_CONVERT_FILE_TO_FAV, 1, AFX_IDNO, "", 0},
    };
    FavoritesFixture fx;
    FillFavorites(fx.favorites);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fx.f.Load({{1, 0, "Existing"}, {2, 1, "Page", 1, "http://p/"}});
        fx.f.Tree()->m_bBrowserIsIE = c.bIE;
        const std::string shape = fx.f.Shape();
        DialogScript dialog{c.dialogPath};
        DialogAnswer answer(dialog);
        BeepCounter beeps;
        MessageRecorder messages(c.nAnswer);
        fx.f.Command(c.nCommand);
        EXPECT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(dialog.nShown, c.nDialogs);
        EXPECT_EQ(fx.f.Doc()->m_PtrAry.GetSize(), 2);
        EXPECT_FALSE(fx.f.Doc()->IsModified());
        EXPECT_EQ(fx.f.Shape(), shape);
        EXPECT_EQ(beeps.count(), 0);
        EXPECT_EQ(Names(fx.favorites + "\\Convert"), std::vector<std::string>{});
    }
}

TEST(FavoritesCommands, NoFavoritesFolderIsAFailureNotAFolderNamedByTheMarker) {
    // "ERR" and "NO" stand in the path when the registry has no folder;
    // folders of those names in the current directory are not walked or
    // written to, nor is a folder that does not exist.
    for (const char* marker : {"ERR", "NO"}) {
        MakeDir(marker);
        WriteFileA(std::string(marker) + "\\decoy.url", "URL=http://decoy/\r\n");
    }
    ScratchDir missing;
    const std::string gone = WinPath(missing.File("gone"));
    const struct {
        const char* name;
        const char* value;  // nullptr: no value
        const char* path;   // what the view reads
    } cases[] = {
        {"no value", nullptr, "NO"},
        {"the marker text itself", "ERR", "ERR"},
        {"a folder that does not exist", gone.c_str(), gone.c_str()},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FavoritesValue value(c.value);
        f.Load({{1, 0, "Folder"}, {2, 1, "Page", 1, "http://p/"}});
        EXPECT_EQ(f.Tree()->m_FavoritesPath.str(), c.path);
        BeepCounter beeps;
        {
            MessageRecorder messages(AFX_IDYES);
            f.Command(ID_CONVERT_FAV_TO_FILE);
            EXPECT_EQ(Texts(messages), (std::vector<std::string>{Text(IDP_IMPORT_FAV_ASK),
                                                                 Text(IDP_IMPORT_FAV_FAILED)}));
        }
        // The dated folder stays, empty, and the document is modified.
        EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 3);
        EXPECT_EQ(Records(*f.Doc(), f.SelectedID()), "");
        EXPECT_TRUE(f.Doc()->IsModified());
        EXPECT_EQ(beeps.count(), 1);

        f.Doc()->SetModifiedFlag(FALSE);
        {
            MessageRecorder messages(AFX_IDYES);
            f.Command(ID_CONVERT_FILE_TO_FAV);
            EXPECT_EQ(Texts(messages), (std::vector<std::string>{Text(IDP_EXPORT_FAV_ASK),
                                                                 Text(IDP_EXPORT_FAV_FAILED)}));
        }
        EXPECT_EQ(beeps.count(), 1);  // nothing written, no beep
        EXPECT_FALSE(f.Doc()->IsModified());
    }
    for (const char* marker : {"ERR", "NO"}) {
        EXPECT_EQ(Names(marker), std::vector<std::string>{"decoy.url"}) << marker;
        DeleteFileA((std::string(marker) + "\\decoy.url").c_str());
        RemoveDirectoryA(marker);
    }
}

TEST(FavoritesCommands, ExportWritesTheNamesWindowsAllows) {
    FavoritesFixture fx;
    ViewFixture& f = fx.f;
    const char* titles[] = {"News.", "Blank ", ".", "CON", "a:b"};
    std::vector<Rec> records;
    int nID = 1;
    for (const char* t : titles) {
        records.push_back({nID++, 0, t, 1, "http://url/"});
        records.push_back({nID++, 0, t, 0});
    }
    records.push_back({nID, 0, "Plain", 0});
    f.Load(records);
    BeepCounter beeps;
    MessageRecorder messages(AFX_IDYES);
    f.Command(ID_CONVERT_FILE_TO_FAV);
    EXPECT_EQ(Texts(messages),
              (std::vector<std::string>{Text(IDP_EXPORT_FAV_ASK), Text(IDP_EXPORT_FAV_FAILED)}));
    EXPECT_EQ(beeps.count(), 1);
    const std::vector<std::string> dates = Names(fx.favorites + "\\Convert");
    ASSERT_EQ(dates.size(), 1u);
    const std::string dir = fx.favorites + "\\Convert\\" + dates[0];
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"..URL", "Blank .URL", "News..URL", "Plain"}));
    EXPECT_EQ(ReadFileA(dir + "\\News..URL"), "[InternetShortcut]\r\nURL=http://url/\r\n");
}

// ---- Bookmark file

TEST(BookmarkCommands, ReadBookmarkThroughTheOpenDialog) {
    ViewFixture f;
    f.Load({{1, 0, "Existing"}});
    DialogScript dialog{std::string(ORD_CORPUS_DIR) + "/bookmarks/netscape47-2001-toolbar-hr.html"};
    DialogAnswer answer(dialog);
    BeepCounter beeps;
    WaitCounter wait;
    const CTime before = CTime::GetCurrentTime();
    MessageRecorder messages(AFX_IDYES);
    f.Command(ID_READ_BOOKMARK);
    const CTime after = CTime::GetCurrentTime();

    EXPECT_EQ(Texts(messages), std::vector<std::string>{Text(IDP_IMPORT_BOOKMARK_ASK)});
    EXPECT_EQ(messages.messages[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(dialog.nShown, 1);
    EXPECT_TRUE(dialog.bOpen);
    EXPECT_EQ(dialog.filter, "HTM Files (*.HTM)|*.HTM|All  Files (*.*)|*.*||");
    EXPECT_EQ(dialog.defExt, "HTM");
    EXPECT_EQ(dialog.fileName, "bookmark.htm");
    EXPECT_EQ(dialog.flags, static_cast<DWORD>(OFN_HIDEREADONLY));
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_GT(wait.begun(), 0);
    EXPECT_EQ(wait.begun(), wait.ended());
    EXPECT_TRUE(f.Doc()->IsModified());

    const int nFolder = f.SelectedID();
    EXPECT_TRUE(IsDatedTitle(f.Record(nFolder)->m_Title, ImportKind::Bookmark, before, after));
    // The records are those of the portable reader; the tree shows exactly
    // them, sorted, with only the dated folder opened.
    COrdelinkDoc reference;
    CBookmarkFile file;
    ASSERT_TRUE(file.Load(dialog.path.c_str()));
    const int nRefFolder = AddImportFolder(reference, "x");
    ImportBookmarkTree(reference, file, nullptr, reference.m_PtrAry[nRefFolder]->m_ID);
    EXPECT_EQ(Records(*f.Doc(), nFolder), Records(reference, reference.m_PtrAry[nRefFolder]->m_ID));
    EXPECT_GT(f.Doc()->m_PtrAry.GetSize(), 100);
    EXPECT_TRUE(TreeView_GetItemState(f.Tree()->m_hWnd, f.Node(nFolder), TVIS_EXPANDED) &
                TVIS_EXPANDED);
    const std::string shape = Unmarked(f.Shape());
    f.Tree()->BuildTree();
    EXPECT_EQ(Unmarked(f.Shape()), shape);
}

// The dated folder and everything read into it go with one undo and come
// back with one redo.
TEST(BookmarkCommands, AnImportIsOneStepToUndoAndRedo) {
    ViewFixture f;
    f.Load({{1, 0, "Existing", 0, "", "kept"}, {2, 1, "Page", 1, "http://x/"}});
    const std::string shape = f.Shape();
    const std::string before = Records(*f.Doc(), 0);
    DialogScript dialog{std::string(ORD_CORPUS_DIR) + "/bookmarks/netscape47-2001-toolbar-hr.html"};
    DialogAnswer answer(dialog);
    BeepCounter beeps;
    MessageRecorder messages(AFX_IDYES);
    f.Command(ID_READ_BOOKMARK);
    const int nSize = f.Doc()->m_PtrAry.GetSize();
    ASSERT_GT(nSize, 100);
    const std::string imported = Records(*f.Doc(), 0);

    ASSERT_TRUE(f.Enabled(ID_EDIT_UNDO));
    f.Command(ID_EDIT_UNDO);
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 2);
    EXPECT_EQ(Records(*f.Doc(), 0), before);
    EXPECT_EQ(f.Shape(), shape);
    EXPECT_EQ(f.SelectedID(), 0);
    EXPECT_FALSE(f.Doc()->IsModified());
    EXPECT_FALSE(f.Enabled(ID_EDIT_UNDO));

    f.Command(ID_EDIT_REDO);
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), nSize);
    EXPECT_EQ(Records(*f.Doc(), 0), imported);
    EXPECT_TRUE(f.Doc()->IsModified());
    // The tree shows the records again, as a rebuild does.
    const std::string redone = Unmarked(f.Shape());
    f.Tree()->BuildTree();
    EXPECT_EQ(Unmarked(f.Shape()), redone);
}

TEST(BookmarkCommands, AnotherBrowsersImportTakesTheBookmarkFile) {
    ScratchDir dir;
    const std::string path = WinPath(dir.File("bookmark.htm"));
    WriteFileA(path,
               "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<DL><p>\r\n"
               "    <DT><A HREF=\"http://b/\" ADD_DATE=\"1\">beta</A>\r\n"
               "    <DT><H3 ADD_DATE=\"1\">Folder</H3>\r\n    <DL><p>\r\n"
               "        <DT><A HREF=\"http://in/\" ADD_DATE=\"1\">inside</A>\r\n"
               "    </DL><p>\r\n"
               "    <DT><A HREF=\"http://a/\" ADD_DATE=\"1\">Alpha</A>\r\n</DL><p>\r\n");
    ViewFixture f;
    f.Load({});
    f.Tree()->m_bBrowserIsIE = 0;
    DialogScript dialog{path};
    DialogAnswer answer(dialog);
    BeepCounter beeps;
    const CTime before = CTime::GetCurrentTime();
    MessageRecorder messages(AFX_IDYES);
    f.Command(ID_CONVERT_FAV_TO_FILE);
    EXPECT_EQ(Texts(messages), std::vector<std::string>{Text(IDP_IMPORT_BOOKMARK_ASK)});
    EXPECT_EQ(dialog.filter, "HTML Files (*.HTM)|*.HTM|All  Files (*.*)|*.*||");
    EXPECT_EQ(dialog.fileName, "bookmark.htm");
    EXPECT_EQ(beeps.count(), 1);
    const CUrlItem* pFolder = f.Record(f.SelectedID());
    ASSERT_NE(pFolder, nullptr);
    EXPECT_TRUE(
        IsDatedTitle(pFolder->m_Title, ImportKind::Bookmark, before, CTime::GetCurrentTime()));
    // Into an empty document: the ROOT first, then the dated folder.
    EXPECT_EQ(f.Shape(), "ROOT(" + pFolder->m_Title.str() + "(Alpha,beta,Folder(inside)+))");
    EXPECT_EQ(Records(*f.Doc(), pFolder->m_ID),
              "-beta|http://b/;-Alpha|http://a/;+Folder(-inside|http://in/;);");
}

TEST(BookmarkCommands, UnreadableAndTooDeepFiles) {
    ScratchDir dir;
    // Folders nested deeper than the records keep: all are imported, the
    // deepest ones flat, and the import says it failed.
    std::string deep = "<DL><p>\n";
    const int nFolders = kBookmarkMaxDepth + 10;
    for (int i = 0; i < nFolders; ++i)
        deep += "<DT><H3 ADD_DATE=\"1\">F" + std::to_string(i) + "</H3>\n<DL><p>\n";
    WriteFileA(WinPath(dir.File("deep.htm")), deep);
    const struct {
        const char* name;
        std::string path;
        std::vector<std::string> messages;
        int nRecords;  // made under the dated folder
    } cases[] = {
        {"cannot be opened",
         WinPath(dir.File("missing.htm")),
         {Text(IDP_IMPORT_BOOKMARK_ASK), kBookmarkOpenError, Text(IDP_IMPORT_BOOKMARK_FAILED)},
         0},
        {"too deep",
         WinPath(dir.File("deep.htm")),
         {Text(IDP_IMPORT_BOOKMARK_ASK), Text(IDP_IMPORT_BOOKMARK_FAILED)},
         nFolders},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.Load({{1, 0, "Existing"}});
        DialogScript dialog{c.path};
        DialogAnswer answer(dialog);
        BeepCounter beeps;
        WaitCounter wait;
        MessageRecorder messages(AFX_IDYES);
        f.Command(ID_READ_BOOKMARK);
        EXPECT_EQ(Texts(messages), c.messages);
        EXPECT_EQ(beeps.count(), 1);
        EXPECT_EQ(wait.begun(), wait.ended());
        EXPECT_TRUE(f.Doc()->IsModified());
        // What was made stays, in the table and in the tree.
        EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 2 + c.nRecords);
        EXPECT_EQ(static_cast<int>(TreeView_GetCount(f.Tree()->m_hWnd)), 3 + c.nRecords);
        EXPECT_EQ(f.Record(f.SelectedID())->m_ParentID, 0);
    }
}

}  // namespace
