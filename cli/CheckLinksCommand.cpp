// check-links and duplicates: the link checker and the duplicate finder over
// a document, which they only read.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "check/CLinkChecker.h"
#include "check/LinkSelection.h"
#include "cli/Cli.h"
#include "cli/Commands.h"

namespace {

bool StderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

std::string Json(const std::string& s) {
    return nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Tabs and line breaks would split a line of the text form.
std::string OneField(const std::string& s) {
    std::string out;
    for (char c : s) out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    return out;
}

// The document's links, or an error message when the folder is unknown.
bool SelectLinks(const COrdelinkDoc& doc, int nFolderID, std::vector<LinkToCheck>& links,
                 std::ostream& err) {
    if (nFolderID != 0 && doc.IndexOfID(nFolderID) < 0) {
        err << "ordelink-cli: no record with ID " << nFolderID << "\n";
        return false;
    }
    links = CollectLinks(doc.m_PtrAry, nFolderID, [](const CString& s) { return ToUtf8(s); });
    return true;
}

}  // namespace

int RunCheckLinks(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    std::vector<LinkToCheck> links;
    if (!SelectLinks(doc, opt.nFolderID, links, err)) return kCliUnreadable;

    std::unique_ptr<CHttpClient> pClient = MakeSystemHttpClient();
    LinkCheckOptions options;
    options.nJobs = opt.nJobs;
    options.nTimeoutMs = opt.nTimeoutMs;
    CLinkChecker checker(*pClient, options);
    CLinkChecker::Progress progress;
    const bool bProgress = &err == &std::cerr && StderrIsTerminal();
    if (bProgress) {
        progress = [&err](size_t nDone, size_t nTotal, const std::string& url) {
            std::string line = std::to_string(nDone) + "/" + std::to_string(nTotal) + " " + url;
            line = OneField(line).substr(0, 79);
            err << "\r" << line << std::string(79 - line.size(), ' ') << std::flush;
        };
    }
    const std::vector<LinkResult> results = checker.Check(links, progress);
    if (bProgress) err << "\r" << std::string(79, ' ') << "\r" << std::flush;

    bool bTrouble = false;
    for (const LinkResult& r : results)
        bTrouble |= r.status == LinkStatus::Broken || r.status == LinkStatus::Failed;
    if (opt.bJson) {
        std::string text = "{\"checked\": " + std::to_string(results.size()) + ", \"results\": [";
        for (size_t i = 0; i < results.size(); ++i) {
            const LinkResult& r = results[i];
            text += i ? ", {\"id\": " : "{\"id\": ";
            text += std::to_string(r.nID) + ", \"url\": " + Json(r.url) + ", \"status\": \"" +
                    LinkStatusName(r.status) + "\"";
            if (r.nCode) text += ", \"code\": " + std::to_string(r.nCode);
            if (!r.location.empty()) text += ", \"location\": " + Json(r.location);
            if (!r.error.empty()) text += ", \"error\": " + Json(r.error);
            text += "}";
        }
        text += "]}\n";
        out << text;
    } else {
        for (const LinkResult& r : results) {
            const CUrlItem* pItem = doc.m_PtrAry.FindID(r.nID);
            const std::string title = pItem ? ToUtf8(pItem->m_Title) : std::string();
            out << LinkStatusName(r.status) << '\t' << (r.nCode ? std::to_string(r.nCode) : "")
                << '\t' << OneField(title) << '\t' << OneField(r.url) << '\t'
                << OneField(r.location.empty() ? r.error : r.location) << "\n";
        }
    }
    return bTrouble ? kCliFailures : kCliOk;
}

int RunDuplicates(const CliOptions& opt, std::ostream& out, std::ostream& err) {
    COrdelinkDoc doc;
    if (!LoadDocument(doc, opt.positional[0], err)) return kCliUnreadable;
    std::vector<LinkToCheck> links;
    if (!SelectLinks(doc, 0, links, err)) return kCliUnreadable;
    const std::vector<std::vector<int>> groups = FindDuplicateGroups(links);
    if (opt.bJson) {
        std::string text = "{\"groups\": [";
        for (size_t g = 0; g < groups.size(); ++g) {
            text += g ? ", [" : "[";
            for (size_t k = 0; k < groups[g].size(); ++k)
                text += (k ? ", " : "") + std::to_string(groups[g][k]);
            text += "]";
        }
        text += "]}\n";
        out << text;
        return kCliOk;
    }
    for (const std::vector<int>& group : groups) {
        for (int nID : group) {
            const CUrlItem* pItem = doc.m_PtrAry.FindID(nID);
            out << nID << '\t' << OneField(ToUtf8(pItem->m_Title)) << '\t'
                << OneField(ToUtf8(pItem->m_URL)) << "\n";
        }
        out << "\n";
    }
    return kCliOk;
}
