#include "browser/BrowserCommandLine.h"

#include "fw/base/CodePage.h"

namespace {

bool NeedsQuotes(const CString& s) {
    return s.FindOneOf(" \t\"") >= 0;
}

// Puts an argument in quotes, whatever it holds.
CString QuoteArgument(const CString& strArg) {
    // Backslashes are literal unless they precede a quote: then each is
    // doubled and the quote escaped; those before the closing quote double too.
    // Each backslash is copied as met; the doubling adds the same number again.
    const std::string& in = strArg.str();
    std::string out = "\"";
    size_t nBackslashes = 0;
    for (size_t i = 0; i < in.size();) {
        const size_t n = codepage::CharLength(&in[i], in.size() - i);
        if (n == 1 && in[i] == '\\') {
            ++nBackslashes;
        } else if (n == 1 && in[i] == '"') {
            out.append(nBackslashes + 1, '\\');
            nBackslashes = 0;
            out += '"';
            ++i;
            continue;
        } else {
            nBackslashes = 0;
        }
        out.append(in, i, n);
        i += n;
    }
    out.append(nBackslashes, '\\');
    out += '"';
    return CString(std::move(out));
}

}  // namespace

CString QuoteCommandLineArgument(const CString& strArg) {
    return NeedsQuotes(strArg) ? QuoteArgument(strArg) : strArg;
}

bool IsBrowserCommandLine(const CString& strBrowser, bool bNamesExistingFile) {
    return (!strBrowser.IsEmpty() && strBrowser[0] == '"') || !bNamesExistingFile;
}

CString BuildBrowserCommandLine(const CString& strBrowser, const CString& strTarget,
                                bool bNamesExistingFile) {
    if (IsBrowserCommandLine(strBrowser, bNamesExistingFile))
        return strBrowser + " " + QuoteArgument(strTarget);
    // A path cannot hold a double quote, and the program name is split by
    // quotes alone, so quoting it whole is exact.
    CString cmd = NeedsQuotes(strBrowser) ? "\"" + strBrowser + "\"" : strBrowser;
    return cmd + " " + QuoteCommandLineArgument(strTarget);
}
