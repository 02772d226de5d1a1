// The table of CLI verbs.
#pragma once

#include <ostream>
#include <vector>

#include "cli/CliSupport.h"

struct CliCommand {
    const char* pszName;
    size_t nArgs;  // positional arguments after the verb
    int (*run)(const CliOptions& opt, std::ostream& out, std::ostream& err);
};

const std::vector<CliCommand>& CliCommands();

int RunDump(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunCheck(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunImportBookmarks(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunImportBrowser(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunImportFavorites(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunExportFavorites(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunExportBookmarks(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunLinkPage(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunAnchor(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunCheckLinks(const CliOptions& opt, std::ostream& out, std::ostream& err);
int RunDuplicates(const CliOptions& opt, std::ostream& out, std::ostream& err);
