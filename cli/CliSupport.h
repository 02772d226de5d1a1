// Helpers shared by the CLI verbs.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "fw/base/CString.h"
#include "store/COrdelinkDoc.h"

// Options common to every verb.
struct CliOptions {
    std::vector<std::string> positional;
    bool bJson = false;
    bool bNewWindow = false;
    std::string strNow;  // "YYYY-MM-DD HH:MM:SS" for reproducible time stamps
    // check-links: the folder to check (0: everything), parallel requests,
    // the time one request may take.
    int nFolderID = 0;
    int nJobs = 8;
    int nTimeoutMs = 15000;
};

// Text in the active code page as UTF-8; bytes that do not convert become U+FFFD.
std::string ToUtf8(const CString& str);

// Opens a document as the program would. On failure writes the program's
// message to err and returns false.
bool LoadDocument(COrdelinkDoc& doc, const std::string& strPath, std::ostream& err);
