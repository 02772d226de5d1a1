// Stands in for the browser in the tests: appends the command line it was
// given, then the arguments as the C runtime splits them, to the file named
// by ORD_STANDIN_LOG, and releases the semaphore named by ORD_STANDIN_DONE.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    char szLog[MAX_PATH] = "";
    char szDone[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("ORD_STANDIN_LOG", szLog, MAX_PATH)) return 2;
    if (FILE* f = std::fopen(szLog, "ab")) {
        std::fprintf(f, "%s\n%d\n", GetCommandLineA(), argc - 1);
        for (int i = 1; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
        std::fclose(f);
    }
    if (GetEnvironmentVariableA("ORD_STANDIN_DONE", szDone, MAX_PATH)) {
        if (HANDLE h = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, szDone)) {
            ReleaseSemaphore(h, 1, nullptr);
            CloseHandle(h);
        }
    }
    return 0;
}
