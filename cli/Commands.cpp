#include "cli/Commands.h"

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = {
        {"dump", 1, RunDump},
        {"check", 1, RunCheck},
        {"import-bookmarks", 2, RunImportBookmarks},
        {"import-browser", 2, RunImportBrowser},
        {"import-favorites", 2, RunImportFavorites},
        {"export-favorites", 2, RunExportFavorites},
        {"export-bookmarks", 2, RunExportBookmarks},
        {"linkpage", 2, RunLinkPage},
        {"anchor", 2, RunAnchor},
        {"check-links", 1, RunCheckLinks},
        {"duplicates", 1, RunDuplicates},
    };
    return commands;
}
