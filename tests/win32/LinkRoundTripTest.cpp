// Links from browsers into the tree, and the tree out to them: the drop
// target driven in-process with data objects that carry the formats (and
// byte layouts) browsers put on a drag, the clipboard paste, and File >
// Export Bookmark File....
#include <gtest/gtest.h>
#include <shlobj.h>

#include <map>

#include "fw/base/LegacyText.h"
#include "fw/win/CFileDialog.h"
#include "res/resource.h"
#include "tests/win32/ViewTestSupport.h"
#include "views/CTreeDropTarget.h"

namespace {

// A data object holding each format as global memory.
class TestDataObject : public IDataObject {
public:
    void Set(UINT cf, const std::string& bytes) { m_data[static_cast<CLIPFORMAT>(cf)] = bytes; }
    void Set(const char* pszFormat, const std::string& bytes) {
        Set(RegisterClipboardFormatA(pszFormat), bytes);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_nRefs; }  // on the stack
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override {
        auto it = m_data.find(pFormat->cfFormat);
        if (it == m_data.end() || !(pFormat->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, it->second.size());
        memcpy(GlobalLock(h), it->second.data(), it->second.size());
        GlobalUnlock(h);
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = h;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override {
        return m_data.count(pFormat->cfFormat) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override {
        pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    std::map<CLIPFORMAT, std::string> m_data;
    ULONG m_nRefs = 1;
};

std::string Wide(const char* utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring w(n, L'\0');  // with the terminating NUL
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], n);
    return std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
}

// CF_HTML with the header's byte offsets, as browsers write it.
std::string CfHtml(const std::string& fragment) {
    const std::string pre = "<html><body>\r\n<!--StartFragment-->";
    const std::string post = "<!--EndFragment-->\r\n</body></html>";
    const size_t nHeader = 105;
    char header[128];
    snprintf(header, sizeof header,
             "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\nStartFragment:%010zu\r\n"
             "EndFragment:%010zu\r\n",
             nHeader, nHeader + pre.size() + fragment.size() + post.size(), nHeader + pre.size(),
             nHeader + pre.size() + fragment.size());
    return std::string(header) + pre + fragment + post;
}

// FILEGROUPDESCRIPTORW with one file.
std::string DescriptorW(const char* nameUtf8) {
    FILEGROUPDESCRIPTORW fgd = {};
    fgd.cItems = 1;
    fgd.fgd[0].dwFlags = FD_LINKUI;
    MultiByteToWideChar(CP_UTF8, 0, nameUtf8, -1, fgd.fgd[0].cFileName, MAX_PATH);
    return std::string(reinterpret_cast<const char*>(&fgd), sizeof fgd);
}
// FILEGROUPDESCRIPTORA, its name in the legacy code page as other programs write it.
std::string DescriptorA(const char* nameUtf8) {
    FILEGROUPDESCRIPTORA fgd = {};
    fgd.cItems = 1;
    std::string name;
    legacy::ToLegacy(A(nameUtf8), name);
    lstrcpynA(fgd.fgd[0].cFileName, name.c_str(), MAX_PATH);
    return std::string(reinterpret_cast<const char*>(&fgd), sizeof fgd);
}

// The screen point in the middle of a node's label.
POINTL PointOn(CTreeVw* pTree, HTREEITEM hNode) {
    RECT rc = {};
    TreeView_GetItemRect(pTree->m_hWnd, hNode, &rc, TRUE);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(pTree->m_hWnd, &pt);
    return {pt.x, pt.y};
}

const std::vector<Rec> kDoc = {
    {1, 0, "Folder"}, {2, 0, "Link", 1, "http://link/"}, {3, 1, "Inside", 1, "http://inside/"}};

struct DropResult {
    DWORD dwEnter, dwOver, dwDrop;
};

DropResult DropOn(IDropTarget* pTarget, IDataObject* pData, POINTL pt) {
    DropResult r;
    r.dwEnter = r.dwOver = r.dwDrop = DROPEFFECT_COPY | DROPEFFECT_LINK | DROPEFFECT_MOVE;
    pTarget->DragEnter(pData, MK_LBUTTON, pt, &r.dwEnter);
    pTarget->DragOver(MK_LBUTTON, pt, &r.dwOver);
    pTarget->Drop(pData, 0, pt, &r.dwDrop);
    return r;
}

}  // namespace

TEST(LinkDrop, EachBrowserFormatOnAFolder) {
    OleInitialize(nullptr);
    struct Case {
        const char* name;
        void (*fill)(TestDataObject& d);
        const char* title;
        const char* url;
    };
    const Case cases[] = {
        {"address-bar icon (descriptor W, URL, CF_HTML)",
         [](TestDataObject& d) {
             d.Set("FileGroupDescriptorW", DescriptorW("天気予報 - Example.url"));
             d.Set("FileContents", "[InternetShortcut]\r\nURL=https://weather.example/\r\n");
             d.Set("UniformResourceLocatorW", Wide("https://weather.example/"));
             d.Set("UniformResourceLocator", std::string("https://weather.example/\0", 25));
             d.Set("HTML Format", CfHtml("<a href=\"https://weather.example/\">x</a>"));
         },
         "天気予報 - Example", "https://weather.example/"},
        {"link in a page (URL and CF_HTML)",
         [](TestDataObject& d) {
             d.Set("UniformResourceLocator", std::string("http://a.example/p?q=1&r=2\0", 27));
             d.Set("HTML Format", CfHtml("<a href=\"http://a.example/p?q=1&amp;r=2\">記事 &amp; "
                                         "<b>見出し</b></a>"));
             d.Set(CF_UNICODETEXT, Wide("http://a.example/p?q=1&r=2"));
         },
         "記事 & 見出し", "http://a.example/p?q=1&r=2"},
        {".url file from a folder (descriptor A and its contents)",
         [](TestDataObject& d) {
             d.Set("FileGroupDescriptor", DescriptorA("ミラー.URL"));
             d.Set("FileContents", "[InternetShortcut]\r\nURL=ftp://ftp.example.jp/\r\n");
         },
         "ミラー", "ftp://ftp.example.jp/"},
        {"selected address text",
         [](TestDataObject& d) { d.Set(CF_TEXT, std::string("  http://text.example/\r\n\0", 26)); },
         "http--text.example-", "http://text.example/"},
    };
    for (const Case& c : cases) {
        ViewFixture f;
        f.Load(kDoc);
        TestDataObject data;
        c.fill(data);
        CTreeVw* pTree = f.Tree();
        const DropResult r = DropOn(pTree->m_pDropTarget, &data, PointOn(pTree, f.Node(1)));
        EXPECT_EQ(r.dwEnter, DWORD(DROPEFFECT_COPY)) << c.name;
        EXPECT_EQ(r.dwDrop, DWORD(DROPEFFECT_COPY)) << c.name;
        // Under the folder, in its place among the siblings, selected, in
        // the form, and the document changed.
        const int nID = f.SelectedID();
        const CUrlItem* pRec = f.Record(nID);
        ASSERT_NE(pRec, nullptr) << c.name;
        EXPECT_EQ(pRec->m_ParentID, 1) << c.name;
        EXPECT_EQ(pRec->m_IsURL, 1) << c.name;
        EXPECT_EQ(pRec->m_Title.str(), A(c.title)) << c.name;
        EXPECT_EQ(pRec->m_URL.str(), A(c.url)) << c.name;
        EXPECT_EQ(f.FieldText(IDC_URL), A(c.url)) << c.name;
        EXPECT_TRUE(f.Doc()->IsModified()) << c.name;
        const std::string inside = A("Inside"), title = A(c.title);
        // In the label order the tree keeps (the locale's, case ignored).
        const std::u16string wTitle = legacy::ToUtf16(title), wInside = legacy::ToUtf16(inside);
        const bool bFirst =
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE,
                           reinterpret_cast<const wchar_t*>(wTitle.c_str()), -1,
                           reinterpret_cast<const wchar_t*>(wInside.c_str()), -1) == CSTR_LESS_THAN;
        const std::string expected = bFirst ? "ROOT(Folder(" + title + ",Inside),Link)"
                                            : "ROOT(Folder(Inside," + title + "),Link)";
    }
}

// The tree's own drag rules: not onto a URL item, not outside the nodes;
// and text that is no address is refused anywhere.
TEST(LinkDrop, RefusedDrops) {
    OleInitialize(nullptr);
    ViewFixture f;
    f.Load(kDoc);
    CTreeVw* pTree = f.Tree();
    TestDataObject link;
    link.Set("UniformResourceLocator", std::string("http://x.example/\0", 18));
    TestDataObject words;
    words.Set(CF_TEXT, std::string("just some words\0", 16));
    words.Set(CF_UNICODETEXT, Wide("just some words"));
    RECT rc;
    GetClientRect(pTree->m_hWnd, &rc);
    POINT below = {rc.right / 2, rc.bottom - 2};
    ClientToScreen(pTree->m_hWnd, &below);
    struct Case {
        const char* name;
        IDataObject* pData;
        POINTL pt;
    };
    const Case cases[] = {
        {"onto a URL item", &link, PointOn(pTree, f.Node(2))},
        {"outside any node", &link, {below.x, below.y}},
        {"text that is no address", &words, PointOn(pTree, f.Node(1))},
    };
    const std::string before = f.Shape();
    for (const Case& c : cases) {
        BeepCounter beeps;
        const DropResult r = DropOn(pTree->m_pDropTarget, c.pData, c.pt);
        EXPECT_EQ(r.dwOver, DWORD(DROPEFFECT_NONE)) << c.name;
        EXPECT_EQ(r.dwDrop, DWORD(DROPEFFECT_NONE)) << c.name;
        EXPECT_EQ(beeps.count(), 1) << c.name;
        EXPECT_EQ(f.Shape(), before) << c.name;
        EXPECT_FALSE(f.Doc()->IsModified()) << c.name;
    }
    // On the ROOT it is taken.
    DropOn(pTree->m_pDropTarget, &link, PointOn(pTree, f.Node(0)));
    EXPECT_EQ(f.Record(f.SelectedID())->m_ParentID, 0);
}

namespace {

void PutOnClipboard(HWND hWnd, const std::vector<std::pair<UINT, std::string>>& formats) {
    ASSERT_TRUE(OpenClipboard(hWnd));
    EmptyClipboard();
    for (const auto& [cf, bytes] : formats) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        SetClipboardData(cf, h);
    }
    CloseClipboard();
}

}  // namespace

TEST(LinkPaste, TextAndHtmlFromTheClipboard) {
    OleInitialize(nullptr);
    const UINT cfHtml = RegisterClipboardFormatA("HTML Format");
    struct Case {
        const char* name;
        std::vector<std::pair<UINT, std::string>> formats;
        int nSelect;  // the folder selected
        const char* title;
        const char* url;
    };
    const Case cases[] = {
        {"copied address (CF_TEXT)",
         {{CF_TEXT, std::string("http://p.example/\0", 18)}},
         1,
         "http--p.example-",
         "http://p.example/"},
        {"copied link (CF_HTML and text)",
         {{cfHtml, CfHtml("<a href=\"http://q.example/\">ページ</a>")},
          {CF_TEXT, A("ページ") + std::string(1, '\0')}},
         0,
         "ページ",
         "http://q.example/"},
    };
    for (const Case& c : cases) {
        ViewFixture f;
        f.Load(kDoc);
        PutOnClipboard(f.Tree()->m_hWnd, c.formats);
        f.Select(c.nSelect);
        EXPECT_TRUE(f.Enabled(ID_EDIT_PASTE)) << c.name;
        f.Command(ID_EDIT_PASTE);
        const CUrlItem* pRec = f.Record(f.SelectedID());
        ASSERT_NE(pRec, nullptr) << c.name;
        EXPECT_EQ(pRec->m_ParentID, c.nSelect) << c.name;
        EXPECT_EQ(pRec->m_Title.str(), A(c.title)) << c.name;
        EXPECT_EQ(pRec->m_URL.str(), A(c.url)) << c.name;
        EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 4) << c.name;
        // One undoable step: undo takes the link away whole, redo brings it back.
        f.Command(ID_EDIT_UNDO);
        EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 3) << c.name;
        EXPECT_FALSE(f.Doc()->IsModified()) << c.name;
        f.Command(ID_EDIT_REDO);
        ASSERT_EQ(f.Doc()->m_PtrAry.GetSize(), 4) << c.name;
        EXPECT_EQ(f.Doc()->m_PtrAry[3]->m_URL.str(), A(c.url)) << c.name;
    }

    // A URL item selected: as Add URL, Paste is off. Text that is no
    // address adds nothing and beeps.
    ViewFixture f;
    f.Load(kDoc);
    PutOnClipboard(f.Tree()->m_hWnd, {{CF_TEXT, std::string("hello\0", 6)}});
    f.Select(2);
    EXPECT_FALSE(f.Enabled(ID_EDIT_PASTE));
    f.Select(1);
    BeepCounter beeps;
    f.Command(ID_EDIT_PASTE);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 3);
}

namespace {

std::string g_strExportPath;
INT_PTR AnswerExport(CFileDialog& dlg) {
    EXPECT_FALSE(dlg.IsOpenDialog());
    if (g_strExportPath.empty()) return IDCANCEL;
    dlg.SetPathName(g_strExportPath.c_str());
    return IDOK;
}

}  // namespace

TEST(BookmarkExportCommand, WholeTreeOrSelectedFolder) {
    ViewFixture f;
    f.Load(kDoc);
    CFileDialog::Handler old = CFileDialog::SetHandler(AnswerExport);
    g_strExportPath = f.dir.File("out.html");
    EXPECT_TRUE(f.Enabled(ID_EXPORT_BOOKMARK_FILE));

    f.Select(2);  // a URL item: the whole tree
    f.Command(ID_EXPORT_BOOKMARK_FILE);
    // The status bar tells what was written where.
    EXPECT_EQ(f.Status(), A("2 件のリンクを書き出しました： ") + g_strExportPath);
    std::string text = ReadBytes(g_strExportPath);
    EXPECT_NE(text.find(">Folder</H3>"), std::string::npos);
    EXPECT_NE(text.find("<A HREF=\"http://link/\""), std::string::npos);
    EXPECT_NE(text.find("<A HREF=\"http://inside/\""), std::string::npos);

    f.Select(1);  // a folder: its subtree
    f.Command(ID_EXPORT_BOOKMARK_FILE);
    EXPECT_EQ(f.Status(), A("1 件のリンクを書き出しました： ") + g_strExportPath);
    text = ReadBytes(g_strExportPath);
    EXPECT_NE(text.find(">Folder</H3>"), std::string::npos);
    EXPECT_EQ(text.find("http://link/"), std::string::npos);
    EXPECT_NE(text.find("http://inside/"), std::string::npos);

    // A file that cannot be made: the message names it.
    MessageRecorder messages;
    g_strExportPath = f.dir.File("missing\\out.html");
    f.Command(ID_EXPORT_BOOKMARK_FILE);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.Find(g_strExportPath.c_str()), -1);
    CFileDialog::SetHandler(old);
    g_strExportPath.clear();
}

namespace {

// CF_HDROP as a folder window puts it on a drag: DROPFILES, then the paths.
std::string FileList(const std::string& path) {
    DROPFILES df = {};
    df.pFiles = sizeof df;
    std::string bytes(reinterpret_cast<const char*>(&df), sizeof df);
    return bytes + path + std::string(2, '\0');
}

}  // namespace

// Files from a folder: a .url file is a link; any other file still opens as
// a document, as files dropped on the window always have.
TEST(LinkDrop, FilesFromAFolder) {
    OleInitialize(nullptr);
    ViewFixture f;
    f.Load(kDoc);
    CTreeVw* pTree = f.Tree();
    const std::string shortcut = f.dir.File(A("ミラー site.url"));
    WriteBytes(shortcut, "[InternetShortcut]\r\nURL=ftp://ftp.example.jp/pub/\r\n");
    TestDataObject files;
    files.Set(CF_HDROP, FileList(shortcut));
    DropResult r = DropOn(pTree->m_pDropTarget, &files, PointOn(pTree, f.Node(1)));
    EXPECT_EQ(r.dwDrop, DWORD(DROPEFFECT_COPY));
    const CUrlItem* pRec = f.Record(f.SelectedID());
    ASSERT_NE(pRec, nullptr);
    EXPECT_EQ(pRec->m_Title.str(), A("ミラー site"));
    EXPECT_EQ(pRec->m_URL.str(), "ftp://ftp.example.jp/pub/");
    EXPECT_EQ(pRec->m_ParentID, 1);

    f.Doc()->SetModifiedFlag(FALSE);
    TestDataObject document;
    document.Set(CF_HDROP, FileList(TestDataPath("sample.pmk")));
    r = DropOn(pTree->m_pDropTarget, &document, PointOn(pTree, f.Node(2)));
    EXPECT_EQ(r.dwEnter, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(f.Doc()->m_PtrAry.GetSize(), 7);  // the sample document, opened
}

// What a web page's drag handler or the clipboard may carry in the place of
// an address: a switch, a share, a file list whose offset points anywhere.
// Nothing is added; an address that is none is named; nothing reads past
// the data.
TEST(LinkDrop, DataThatIsNoAddressIsRefusedAndNamed) {
    OleInitialize(nullptr);
    ViewFixture f;
    f.Load(kDoc);
    CTreeVw* pTree = f.Tree();
    DROPFILES df = {};
    df.pFiles = 0x7FFFFFF0;  // far past the block
    const std::string wild = std::string(reinterpret_cast<const char*>(&df), sizeof df) +
                             std::string("C:\\a.url\0\0", 10);
    const struct {
        const char* name;
        const char* format;  // nullptr: CF_HDROP
        std::string bytes;
        const char* refused;  // nullptr: no message, a beep alone
    } cases[] = {
        {"a switch", "UniformResourceLocator", std::string("--load-extension=C:\\x\0", 22),
         "--load-extension=C:\\x"},
        {"a share in an anchor", "HTML Format", CfHtml("<a href=\"\\\\host\\s\\run.exe\">Run</a>"),
         "\\\\host\\s\\run.exe"},
        {"a file list whose offset points past it", nullptr, wild, nullptr},
    };
    const std::string before = f.Shape();
    for (const auto& c : cases) {
        TestDataObject data;
        if (c.format)
            data.Set(c.format, c.bytes);
        else
            data.Set(CF_HDROP, c.bytes);
        BeepCounter beeps;
        MessageRecorder messages;
        const DropResult r = DropOn(pTree->m_pDropTarget, &data, PointOn(pTree, f.Node(1)));
        EXPECT_EQ(r.dwDrop, DWORD(DROPEFFECT_NONE)) << c.name;
        EXPECT_EQ(beeps.count(), 1) << c.name;
        if (c.refused) {
            ASSERT_EQ(messages.messages.size(), 1u) << c.name;
            EXPECT_EQ(messages.messages[0].text,
                      AfxFormatString1(AfxLoadString(IDP_LINK_REFUSED), c.refused))
                << c.name;
        } else {
            EXPECT_TRUE(messages.messages.empty()) << c.name;
        }
        EXPECT_EQ(f.Shape(), before) << c.name;
        EXPECT_FALSE(f.Doc()->IsModified()) << c.name;
    }

    // Pasted, the same.
    PutOnClipboard(pTree->m_hWnd, {{RegisterClipboardFormatA("UniformResourceLocator"),
                                    std::string("-new-window\0", 12)}});
    f.Select(1);
    MessageRecorder messages;
    f.Command(ID_EDIT_PASTE);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              AfxFormatString1(AfxLoadString(IDP_LINK_REFUSED), "-new-window"));
    EXPECT_EQ(f.Shape(), before);
}
