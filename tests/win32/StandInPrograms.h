// The stand-in programs built beside the GUI tests: a browser that records
// how it was started, and a browser's DDE window-information service.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/native/TestSupport.h"

// The folder of the running test program, with its trailing backslash.
std::string TestProgramDir();

// browser_standin.exe copied into a folder with a blank; each run appends its
// command line, its argument count and its arguments (one a line) to a log.
class StandInBrowser {
public:
    explicit StandInBrowser(const ScratchDir& dir);
    ~StandInBrowser();
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;

    const std::string& Exe() const { return m_exe; }
    // Waits (bounded) until n runs have written their record.
    bool WaitRuns(int n) const;
    std::string Log() const { return ReadBytes(m_log); }

private:
    std::string m_log;
    std::string m_exe;
    HANDLE m_hDone;
};

// dde_server_standin.exe serving a service in a process of its own until it
// is stopped (or, with "--once", until it has answered once).
class StandInDdeServer {
public:
    // options: "--none", "--once"; the reply is given as bytes.
    StandInDdeServer(const char* pszService, const std::string& reply,
                     const std::vector<std::string>& options = {});
    ~StandInDdeServer();
    StandInDdeServer(const StandInDdeServer&) = delete;
    StandInDdeServer& operator=(const StandInDdeServer&) = delete;

    // The service is registered.
    bool Ready() const { return m_bReady; }
    // Waits (bounded) for the process to end by itself.
    bool WaitExit() const;
    // Ends the process and waits for it.
    void Stop();

private:
    PROCESS_INFORMATION m_pi = {};
    bool m_bReady = false;
};
