// The command line that starts the browser with one target.
#pragma once

#include "fw/base/CString.h"

// Builds "browser target" (one blank between) so that the program run is
// exactly strBrowser and it receives exactly one argument, strTarget: a part
// holding a blank, a tab or a double quote is put in quotes, with backslashes
// and quotes escaped by the rules Windows programs split their command line
// by. Other parts, an empty target included, go in as they are.
CString BuildBrowserCommandLine(const CString& strBrowser, const CString& strTarget);

// Quotes one argument as above (not the program name).
CString QuoteCommandLineArgument(const CString& strArg);
