// Links that come in from other programs by the clipboard or a drag: the
// data formats browsers offer, read into one title and address. Portable:
// the Windows side only takes the formats' bytes out of the data object.
#pragma once

#include <string>

#include "fw/base/CString.h"

// The fragment of a CF_HTML ("HTML Format") block: the bytes between the
// header's StartFragment and EndFragment offsets, or between the
// <!--StartFragment--> and <!--EndFragment--> comments when the offsets are
// missing or out of range; false when the data is not CF_HTML.
bool CfHtmlFragment(const std::string& data, std::string& fragment);

// The first <a href="..."> of an HTML text with its href (character
// references decoded) and its text (tags left out, references decoded,
// runs of blanks as one blank, trimmed); false when there is none.
bool FindHtmlAnchor(const std::string& html, std::string& href, std::string& text);

// Text that is a single address and nothing else (blanks and line breaks
// around it aside): a scheme of letters, digits, "+", "-" or "." followed by
// "://" and at least one more character, or a "mailto:" address; no blanks
// inside. Returns the address.
bool UrlInText(const std::string& text, std::string& url);

// The name of the first file in a FileGroupDescriptor (bWide: the "W" form
// with UTF-16 names), in UTF-8; false when the data is too short or holds
// no files.
bool FileGroupDescriptorName(const std::string& data, bool bWide, std::string& nameUtf8);

// The first path of a CF_HDROP block (DROPFILES, then the names, each ending
// in NUL, the list in one more), in the active code page. False unless the
// block holds the whole list: its offset inside the block and its end
// before the block's end, so nothing reads past it afterwards.
bool FirstDroppedFile(const std::string& block, std::string& path);

// An Internet-shortcut file name without its ".url" extension (any case).
std::string ShortcutTitle(const std::string& name);

// What a data object or the clipboard carries, each format as its raw bytes
// (empty when absent). Text formats may end in NUL bytes.
struct LinkFormats {
    std::string urlA;         // "UniformResourceLocator": code-page text
    std::string urlW;         // "UniformResourceLocatorW": UTF-16LE
    std::string descriptorA;  // "FileGroupDescriptor"
    std::string descriptorW;  // "FileGroupDescriptorW"
    std::string contents;     // "FileContents" of the first file (a .url file)
    std::string html;         // "HTML Format" (UTF-8)
    std::string textW;        // CF_UNICODETEXT: UTF-16LE
    std::string textA;        // CF_TEXT: code-page text
};

// The link the formats describe, title and address in the code page
// nCodePage (codepage::Active() when 0). The address comes from, in this
// order: the URL formats, a dragged .url file's contents, a CF_HTML
// anchor, text that is an address. The title is the page's where the data
// has one (a .url file's name, a CF_HTML anchor's text), else the address.
// Tabs and line breaks are taken out of the address. False when no format
// holds an address, or when what the first one holds is no address (no
// scheme, or control characters): *pstrRefused then receives it.
bool LinkFromFormats(const LinkFormats& formats, CString& strTitle, CString& strURL,
                     int nCodePage = 0, CString* pstrRefused = nullptr);
