#include "cli/Commands.h"

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = {
        {"dump", 1, RunDump},
        {"check", 1, RunCheck},
    };
    return commands;
}
