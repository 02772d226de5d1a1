// The browser command line, split by the system's own rules.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "browser/BrowserCommandLine.h"

namespace {

std::wstring Wide(const std::string& s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::vector<std::wstring> Split(const std::string& line) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(Wide(line).c_str(), &argc);
    std::vector<std::wstring> args(argv, argv + argc);
    LocalFree(argv);
    return args;
}

}  // namespace

TEST(BrowserCommandLine, TheBrowserReceivesExactlyTheTarget) {
    const std::string browser = "C:\\Program Files\\Web Browser\\browser.exe";
    const std::string targets[] = {
        "http://example.com/",
        "http://example.com/a b?q=1&r=\"2\"",
        "x\" --new-profile \"y",
        "C:\\Temp Dir\\page.html",
        "C:\\Temp Dir\\",
        "\\\\server\\share\\a\\\\\"b",
        "\x95\x5C\" \x95\x5C",  // 表" 表: the trail byte 5C is no backslash
        "\t",
    };
    for (const std::string& target : targets) {
        std::string line = BuildBrowserCommandLine(browser.c_str(), target.c_str(), true).str();
        EXPECT_EQ(Split(line), (std::vector<std::wstring>{Wide(browser), Wide(target)})) << line;
        // A setting with its own quotes and a switch: the target comes last.
        const std::string setting = "\"" + browser + "\" --new-window";
        line = BuildBrowserCommandLine(setting.c_str(), target.c_str(), false).str();
        EXPECT_EQ(Split(line),
                  (std::vector<std::wstring>{Wide(browser), L"--new-window", Wide(target)}))
            << line;
    }
}
