#include "cli/Cli.h"

#include <algorithm>
#include <cstdlib>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "fw/base/CodePage.h"

namespace {

const char kUsage[] =
    "usage: ordelink-cli [--codepage N] VERB ...\n"
    "  dump FILE.pmk [--json]   print every record in table order\n"
    "  check FILE.pmk           report damage (exit 0 clean, 1 damaged, 2 unreadable)\n"
    "  import-bookmarks DOC.pmk FILE.htm [--now T]   add a dated folder with the bookmark file\n"
    "  import-browser DOC.pmk FILE [--now T]         add a dated folder with a browser's\n"
    "                           Bookmarks file (or a bookmark HTML file)\n"
    "  import-favorites DOC.pmk DIR [--now T]        add a dated folder with a Favorites tree\n"
    "  export-favorites DOC.pmk DIR [--now T]        write DIR/Convert/<date>/...\n"
    "  export-bookmarks DOC.pmk OUT.html [--now T]    write the tree as a browser bookmark file\n"
    "  linkpage DOC.pmk OUT.HTML [--new-window] [--now T]   write the link page\n"
    "  anchor DOC.pmk ID        print the HTML anchor of one URL record\n"
    "  check-links DOC.pmk [--folder ID] [--jobs N] [--timeout SECONDS] [--json]\n"
    "                           ask every web address (exit 1 when one is broken or failed)\n"
    "  duplicates DOC.pmk [--json]   groups of records with the same address\n"
    "  (T is \"YYYY-MM-DD HH:MM:SS\"; exit 0 done, 1 done with failures, 2 nothing done)\n";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CliOptions opt;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            opt.bJson = true;
        } else if (a == "--new-window") {
            opt.bNewWindow = true;
        } else if ((a == "--codepage" || a == "--now") && i + 1 < args.size()) {
            if (a == "--now") {
                opt.strNow = args[++i];
            } else {
                int nCodePage = std::atoi(args[++i].c_str());
                if (nCodePage <= 0) {
                    err << "ordelink-cli: bad code page " << args[i] << "\n";
                    return kCliUsage;
                }
                codepage::SetLegacy(nCodePage);
            }
        } else if ((a == "--folder" || a == "--jobs" || a == "--timeout") && i + 1 < args.size()) {
            const std::string& v = args[++i];
            char* pEnd = nullptr;
            const double d = std::strtod(v.c_str(), &pEnd);
            const bool bNumber = !v.empty() && pEnd && *pEnd == '\0';
            const bool bWhole = bNumber && d == static_cast<double>(static_cast<long long>(d));
            if (a == "--folder" && bWhole && d >= 0 && d <= 2147483647.0) {
                opt.nFolderID = static_cast<int>(d);
            } else if (a == "--jobs" && bWhole && d >= 1 && d <= 64) {
                opt.nJobs = static_cast<int>(d);
            } else if (a == "--timeout" && bNumber && d > 0 && d <= 3600) {
                opt.nTimeoutMs = std::max(1, static_cast<int>(d * 1000));
            } else {
                err << "ordelink-cli: bad value for " << a << ": " << v << "\n";
                return kCliUsage;
            }
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            err << "ordelink-cli: unknown option " << a << "\n" << kUsage;
            return kCliUsage;
        } else {
            opt.positional.push_back(a);
        }
    }
    if (opt.positional.empty()) {
        err << kUsage;
        return kCliUsage;
    }
    const std::string verb = opt.positional.front();
    opt.positional.erase(opt.positional.begin());
    for (const CliCommand& c : CliCommands()) {
        if (verb != c.pszName) continue;
        if (opt.positional.size() != c.nArgs) {
            err << kUsage;
            return kCliUsage;
        }
        return c.run(opt, out, err);
    }
    err << "ordelink-cli: unknown verb " << verb << "\n" << kUsage;
    return kCliUsage;
}
