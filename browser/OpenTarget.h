// What Execute may open, and how: an item's URL comes from bookmark files,
// drops, shortcuts and browsers' replies, so it may name a program, a share
// on another machine, or be written to pass as a browser's switch.
#pragma once

#include "fw/base/CString.h"

enum class OpenTarget {
    Now,      // a web or mail address, or a local document: opened at once
    Ask,      // anything else (a program, a network path, another scheme):
              // opened only when the user agrees to the message naming it
    Refused,  // never opened: it would read as a switch, or holds control
              // characters
};

// Web addresses are http, https and ftp; mail is mailto. A local document
// is a path on a drive ("C:\..." or "file:///C:/...") ending in .htm, .html,
// .xhtml, .shtml, .mht, .mhtml, .pdf or .txt. A target is refused unless it
// starts with an ASCII letter, a digit or a backslash (no "-", "/", blank or
// other character a browser would pass over before a switch), or when it
// holds a byte below 0x20 or 0x7F. An empty URL starts the browser alone,
// as it always has.
OpenTarget ClassifyOpenTarget(const CString& strTarget);

// The target as a message shows it: control characters as "?", and cut after
// 300 bytes (at a character's end) with "..." so that a huge one stays
// readable.
CString ShownTarget(const CString& strTarget);
