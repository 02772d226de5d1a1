// The command line that starts the browser with one target.
#pragma once

#include "fw/base/CString.h"

// Whether the browser setting is itself a command line (a program with its
// switches) rather than the path of a program: it starts with a double quote,
// or the whole of it names no existing file (bNamesExistingFile, which the
// caller finds out).
bool IsBrowserCommandLine(const CString& strBrowser, bool bNamesExistingFile);

// The command line that starts the browser with strTarget as its one last
// argument, quoted and escaped by the rules Windows programs split their
// command line by. A path: "browser target" (one blank between), the program
// run being exactly strBrowser; a part holding a blank, a tab or a double
// quote is put in quotes, other parts, an empty target included, go in as
// they are. A command line: its program and switches as written, one blank,
// then the target, always in quotes.
CString BuildBrowserCommandLine(const CString& strBrowser, const CString& strTarget,
                                bool bNamesExistingFile);

// Quotes one argument as above (not the program name).
CString QuoteCommandLineArgument(const CString& strArg);
