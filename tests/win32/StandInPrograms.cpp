#include "tests/win32/StandInPrograms.h"

#include <cstdio>

#include "tests/win32/GuiTestSupport.h"

namespace {
const char kDoneSemaphore[] = "OrdelinkStandInBrowserDone";

std::string Hex(const std::string& bytes) {
    std::string out;
    char buf[3];
    for (unsigned char ch : bytes) {
        std::snprintf(buf, sizeof(buf), "%02X", ch);
        out += buf;
    }
    return out;
}

// Waits (bounded) for one of the handles while handling this thread's
// messages: the stand-in's DDE library talks to the test's windows as it
// registers and ends. WAIT_OBJECT_0 + i for handle i, WAIT_TIMEOUT otherwise.
DWORD WaitPumping(const HANDLE* handles, DWORD nCount, DWORD dwMilliseconds) {
    const DWORD dwEnd = GetTickCount() + dwMilliseconds;
    for (;;) {
        const DWORD dwNow = GetTickCount();
        const DWORD dwLeft = static_cast<int>(dwEnd - dwNow) > 0 ? dwEnd - dwNow : 0;
        const DWORD r = MsgWaitForMultipleObjects(nCount, handles, FALSE, dwLeft, QS_ALLINPUT);
        if (r < WAIT_OBJECT_0 + nCount) return r;
        if (r != WAIT_OBJECT_0 + nCount) return WAIT_TIMEOUT;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}
}  // namespace

std::string TestProgramDir() {
    char szExe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string exe = szExe;
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

StandInBrowser::StandInBrowser(const ScratchDir& dir) : m_log(WinPath(dir.File("standin.log"))) {
    // A folder with a blank, as browsers' folders have.
    const std::string folder = WinPath(dir.File("Program Files"));
    CreateDirectoryA(folder.c_str(), nullptr);
    m_exe = folder + "\\browser standin.exe";
    CopyFileA((TestProgramDir() + "browser_standin.exe").c_str(), m_exe.c_str(), FALSE);
    m_hDone = CreateSemaphoreA(nullptr, 0, 100, kDoneSemaphore);
    SetEnvironmentVariableA("ORD_STANDIN_LOG", m_log.c_str());
    SetEnvironmentVariableA("ORD_STANDIN_DONE", kDoneSemaphore);
}

StandInBrowser::~StandInBrowser() {
    SetEnvironmentVariableA("ORD_STANDIN_LOG", nullptr);
    SetEnvironmentVariableA("ORD_STANDIN_DONE", nullptr);
    CloseHandle(m_hDone);
}

bool StandInBrowser::WaitRuns(int n) const {
    for (int i = 0; i < n; ++i)
        if (WaitForSingleObject(m_hDone, 60000) != WAIT_OBJECT_0) return false;
    return true;
}

StandInDdeServer::StandInDdeServer(const char* pszService, const std::string& reply,
                                   const std::vector<std::string>& options) {
    static int s_nServers = 0;
    const std::string ready = "OrdelinkDdeReady" + std::to_string(GetCurrentProcessId()) + "_" +
                              std::to_string(++s_nServers);
    HANDLE hReady = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
    // The reply goes as hexadecimal, so its bytes pass the command line as
    // they are, whatever the code page makes of them.
    std::string cmd = "\"" + TestProgramDir() + "dde_server_standin.exe\" --service " + pszService +
                      " --ready " + ready + " --reply-hex " + (reply.empty() ? "00" : Hex(reply));
    for (const std::string& option : options) cmd += " " + option;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &m_pi)) {
        HANDLE handles[] = {hReady, m_pi.hProcess};
        m_bReady = WaitPumping(handles, 2, 60000) == WAIT_OBJECT_0;
    }
    CloseHandle(hReady);
}

StandInDdeServer::~StandInDdeServer() {
    Stop();
}

bool StandInDdeServer::WaitExit() const {
    return m_pi.hProcess && WaitPumping(&m_pi.hProcess, 1, 60000) == WAIT_OBJECT_0;
}

void StandInDdeServer::Stop() {
    if (!m_pi.hProcess) return;
    PostThreadMessageA(m_pi.dwThreadId, WM_QUIT, 0, 0);
    if (WaitPumping(&m_pi.hProcess, 1, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, 10000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
    m_pi = {};
}
