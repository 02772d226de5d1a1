// What Execute opens at once, asks about first, or never opens.
#include <gtest/gtest.h>

#include "browser/OpenTarget.h"
#include "tests/native/TestSupport.h"

TEST(OpenTarget, WhatOpensAtOnceWhatAsksFirstWhatNever) {
    const OpenTarget Now = OpenTarget::Now, Ask = OpenTarget::Ask, Refused = OpenTarget::Refused;
    const std::pair<const char*, OpenTarget> cases[] = {
        {"http://example.com/a b", Now},
        {"HTTPS://example.com/", Now},
        {"ftp://ftp.example.jp/pub/", Now},
        {"mailto:someone@example.com", Now},
        {"", Now},  // the browser alone, as an empty URL always did
        {"C:\\Docs\\page.HTML", Now},
        {"file:///C:/Docs/manual.pdf", Now},
        {"\\\\host\\share\\run.exe", Ask},
        {"\\\\host\\share\\page.html", Ask},  // another machine
        {"file://host/share/page.html", Ask},
        {"file:///C:/Windows/notepad.exe", Ask},
        {"C:\\Windows\\notepad.exe", Ask},
        {"C:\\Docs\\page.html.exe", Ask},
        {"C:\\Docs.html\\tool", Ask},
        {"javascript:alert(1)", Ask},
        {"ms-settings:privacy", Ask},
        {"www.example.com", Ask},
        {"--browser-subprocess-path=\\\\host\\s\\x.exe", Refused},
        {"-new-window", Refused},
        {"/c calc", Refused},
        {" --load-extension=x", Refused},
        {"\"--x\"", Refused},
        {"\x81\x40--x", Refused},  // an ideographic space (code page 932) first
        {"http://a/\r\nIconFile=x", Refused},
        {"http://a/\x7F", Refused},
    };
    for (const auto& [target, expected] : cases)
        EXPECT_EQ(ClassifyOpenTarget(target), expected) << target;
}

TEST(OpenTarget, ShownTargetStaysOneReadableLine) {
    EXPECT_EQ(ShownTarget("http://a/\r\nIconFile=x\t").str(), "http://a/??IconFile=x?");
    // Cut at a character's end: a double-byte character is never halved.
    const CString strWide = CString(std::string(299, 'x')) + Ansi("日") + "y";
    EXPECT_EQ(ShownTarget(strWide).str(), std::string(299, 'x') + "...");
}
