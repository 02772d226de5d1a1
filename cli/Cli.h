// ordelink-cli: the console companion. Each verb works on the same store code
// as the program; output text is UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit codes.
enum CliExit { kCliOk = 0, kCliFailures = 1, kCliUnreadable = 2, kCliUsage = 64 };

// Runs one command line (without the program name).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
