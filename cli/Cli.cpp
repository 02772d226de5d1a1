#include "cli/Cli.h"

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
    "  import-favorites DOC.pmk DIR [--now T]        add a dated folder with a Favorites tree\n"
    "  export-favorites DOC.pmk DIR [--now T]        write DIR/Convert/<date>/...\n"
    "  export-bookmarks DOC.pmk OUT.html [--now T]    write the tree as a browser bookmark file\n"
    "  linkpage DOC.pmk OUT.HTML [--new-window] [--now T]   write the link page\n"
    "  anchor DOC.pmk ID        print the HTML anchor of one URL record\n"
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
