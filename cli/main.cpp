#include <iostream>

#include "cli/Cli.h"
#include "fw/base/CodePage.h"

int main(int argc, char** argv) {
#ifndef _WIN32
    // Text is UTF-8 here as on the terminal and in file names; documents keep
    // their own code page (--codepage).
    codepage::SetActive(codepage::kUtf8);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cout, std::cerr);
}
