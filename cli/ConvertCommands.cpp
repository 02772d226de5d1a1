// The import and export verbs: the conversion code of the program run on a
// document file, which is saved the way the program saves it.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "convert/BookmarkExport.h"
#include "convert/BookmarkImport.h"
#include "convert/ClipboardLink.h"
#include "convert/DiskDir.h"
#include "convert/FavoritesExport.h"
#include "convert/FavoritesImport.h"
#include "convert/ImportFolder.h"
#include "convert/LinkPage.h"
#include "convert/ProgramStrings.h"
#include "fw/base/AfxHooks.h"
#include "fw/base/FilePath.h"
#include "fw/base/Platform.h"
#include "res/resource.h"

namespace {

// Collects the message boxes shown while it lives, to print them.
class MessageCollector {
public:
    MessageCollector() : m_pPrevious(s_pActive), m_oldHandler(AfxSetMessageBoxHandler(Collect)) {
        s_pActive = this;
    }
    ~MessageCollector() {
        s_pActive = m_pPrevious;
        AfxSetMessageBoxHandler(m_oldHandler);
    }
    MessageCollector(const MessageCollector&) = delete;
    MessageCollector& operator=(const MessageCollector&) = delete;

    void Print(std::ostream& err) const {
        for (const CString& m : m_messages) err << ToUtf8(m) << "\n";
    }

private:
    static int Collect(const CString& strText, UINT) {
        if (s_pActive) s_pActive->m_messages.push_back(strText);
        return AFX_IDOK;
    }

    static MessageCollector* s_pActive;
    MessageCollector* m_pPrevious;
    AfxMessageBoxHandler m_oldHandler;
    std::vector<CString> m_messages;
};

MessageCollector* MessageCollector::s_pActive = nullptr;

// The time stamps come from --now "YYYY-MM-DD HH:MM:SS" when given.
bool GetTime(const CliOptions& opt, CTime& time, std::ostream& err) {
    if (opt.strNow.empty()) {
        time = CTime::GetCurrentTime();
        return true;
    }
    int y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(opt.strNow.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s,
                    &tail) != 6 ||
        mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59 || y < 1970) {
        err << "ordelink-cli: --now wants \"YYYY-MM-DD HH:MM:SS\", not " << opt.strNow << "\n";
        return false;
    }
    time = CTime(y, mo, d, h, mi, s);
    return true;
}

// Opens the document, or starts a new one when the file does not exist.
bool OpenOrCreate(COrdelinkDoc& doc, const std::string& strPath, std::ostream& err) {
    if (platform::FileExists(strPath)) return LoadDocument(doc, strPath, err);
    doc.OnNewDocument();
    return true;
}

bool Save(COrdelinkDoc& doc, const std::string& strPath, std::ostream& err) {
    MessageCollector messages;
    if (doc.OnSaveDocument(strPath.c_str())) return true;
    messages.Print(err);
    return false;
}

void PrintFailure(UINT nID, std::ostream& err) {
    err << ProgramStringUtf8(nID) << "\n";
}

void PrintAdded(const COrdelinkDoc& doc, int nFolderIndex, std::ostream& out) {
    const CUrlItem* pFolder = doc.m_PtrAry[nFolderIndex];
    out << "added \"" << ToUtf8(pFolder->m_Title) << "\" (ID " << static_cast<int>(pFolder->m_ID)
        << ") with " << doc.m_PtrAry.GetSize() - nFolderIndex - 1 << " records\n";
}

}  // namespace

int RunImportBookmarks(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    const std::string& strDoc = opt.positional[0];
    const std::string& strFile = opt.positional[1];
    CTime time;
    if (!GetTime(opt, time, err)) return kCliUsage;
    COrdelinkDoc doc;
    if (!OpenOrCreate(doc, strDoc, err)) return kCliUnreadable;
    CBookmarkFile file;
    if (!file.Load(strFile.c_str())) {
        err << kBookmarkOpenError << "\n";
        PrintFailure(IDP_IMPORT_BOOKMARK_FAILED, err);
        return kCliUnreadable;
    }
    const int nFolder = AddImportFolder(doc, ImportFolderTitle(ImportKind::Bookmark, time));
    doc.SetModifiedFlag(TRUE);
    const int nResult =
        ImportBookmarkTree(doc, file, nullptr, doc.m_PtrAry[nFolder]->m_ID, nullptr);
    if (!Save(doc, strDoc, err)) return kCliUnreadable;
    PrintAdded(doc, nFolder, out);
    if (!nResult) {
        PrintFailure(IDP_IMPORT_BOOKMARK_FAILED, err);
        return kCliFailures;
    }
    return kCliOk;
}

int RunImportFavorites(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    const std::string& strDoc = opt.positional[0];
    const std::string& strDir = opt.positional[1];
    CTime time;
    if (!GetTime(opt, time, err)) return kCliUsage;
    COrdelinkDoc doc;
    if (!OpenOrCreate(doc, strDoc, err)) return kCliUnreadable;
    std::vector<diskdir::Entry> entries;
    if (!diskdir::List(strDir, entries)) {
        err << strDir << ": cannot list the directory\n";
        PrintFailure(IDP_IMPORT_FAV_FAILED, err);
        return kCliUnreadable;
    }
    const int nFolder = AddImportFolder(doc, ImportFolderTitle(ImportKind::Favorites, time));
    doc.SetModifiedFlag(TRUE);
    const int nResult =
        ImportFavoritesFolder(doc, strDir, nullptr, doc.m_PtrAry[nFolder]->m_ID, nullptr);
    if (!Save(doc, strDoc, err)) return kCliUnreadable;
    PrintAdded(doc, nFolder, out);
    if (!nResult) {
        PrintFailure(IDP_IMPORT_FAV_FAILED, err);
        return kCliFailures;
    }
    return kCliOk;
}

int RunExportFavorites(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    CTime time;
    if (!GetTime(opt, time, err)) return kCliUsage;
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    if (doc.m_bEmpty) {
        err << opt.positional[0] << ": the document holds no records\n";
        return kCliUnreadable;
    }
    std::string strDateDir;
    const ExportResult result =
        ExportFavorites(opt.positional[1], CDocumentTree(doc), time, &strDateDir);
    if (result == ExportResult::NotStarted) {
        PrintFailure(IDP_EXPORT_FAV_FAILED, err);
        return kCliUnreadable;
    }
    out << "wrote " << strDateDir << "\n";
    if (result == ExportResult::Incomplete) {
        PrintFailure(IDP_EXPORT_FAV_FAILED, err);
        return kCliFailures;
    }
    return kCliOk;
}

int RunLinkPage(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    const std::string& strDoc = opt.positional[0];
    LinkPageOptions options;
    if (!GetTime(opt, options.created, err)) return kCliUsage;
    COrdelinkDoc doc;
    if (!LoadDocument(doc, strDoc, err)) return kCliUnreadable;
    options.strDocTitle = diskdir::NameFromDisk(filepath::FileName(CString(strDoc)).str());
    options.bPlainLinks = !opt.bNewWindow;
    MessageCollector messages;
    const LinkPageResult result = WriteLinkPage(doc, opt.positional[1].c_str(), options);
    messages.Print(err);
    if (result == LinkPageResult::OpenFailed) return kCliUnreadable;
    if (result == LinkPageResult::WriteFailed) return kCliFailures;
    out << "wrote " << opt.positional[1] << "\n";
    return kCliOk;
}

int RunAnchor(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    const std::string& strID = opt.positional[1];
    char* pEnd = nullptr;
    const long nID = std::strtol(strID.c_str(), &pEnd, 10);
    if (strID.empty() || *pEnd != '\0' || nID < INT32_MIN || nID > INT32_MAX) {
        err << "ordelink-cli: not an ID: " << strID << "\n";
        return kCliUsage;
    }
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    const CUrlItem* pItem = doc.m_PtrAry.FindID(static_cast<int>(nID));
    if (!pItem || !pItem->m_IsURL) {
        err << "ordelink-cli: ID " << nID << " is not a URL record\n";
        return kCliUnreadable;
    }
    out << ToUtf8(MakeClipboardLink(*pItem)) << "\n";
    return kCliOk;
}

int RunExportBookmarks(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    CTime time;
    if (!GetTime(opt, time, err)) return kCliUsage;
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    BookmarkExportOptions options;
    options.nAddDate = static_cast<int64_t>(time.GetTime());
    const std::string& strOut = opt.positional[1];
    switch (ExportBookmarkFile(doc.m_PtrAry, strOut.c_str(), options)) {
        case BookmarkExportResult::Done:
            out << "wrote " << strOut << "\n";
            return kCliOk;
        case BookmarkExportResult::WriteFailed:
            err << strOut << ": the file could not be written completely\n";
            return kCliFailures;
        default:
            err << strOut << ": the file could not be created\n";
            return kCliUnreadable;
    }
}
