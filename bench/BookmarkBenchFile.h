// The bookmark file of the import benchmarks: 50,000 links (or another
// multiple of 400) in 500 folders, laid out as the browser writes it.
#pragma once

#include <string>

// 500 folders: 20 under the top, each with 4 sub-folders, each of those with
// 5 more (20 + 80 + 400), and nLinksPerFolder links in each of the 400
// innermost ones.
inline std::string MakeBookmarkFile(int nLinksPerFolder = 125) {
    std::string text =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\n"
        "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n\n<DL><p>\n";
    int nLink = 0;
    auto links = [&](const std::string& indent) {
        for (int i = 0; i < nLinksPerFolder; ++i, ++nLink) {
            text += indent + "<DT><A HREF=\"http://www.example.com/path/to/page" +
                    std::to_string(nLink) + ".html\" ADD_DATE=\"912345678\" LAST_VISIT=\"" +
                    "912345679\" LAST_MODIFIED=\"912345680\">Bookmark title number " +
                    std::to_string(nLink) + "</A>\n";
        }
    };
    auto folder = [&](const std::string& indent, const std::string& title) {
        text +=
            indent + "<DT><H3 ADD_DATE=\"912345678\">" + title + "</H3>\n" + indent + "<DL><p>\n";
    };
    for (int a = 0; a < 20; ++a) {
        folder("    ", "Folder " + std::to_string(a));
        for (int b = 0; b < 4; ++b) {
            folder("        ", "Sub " + std::to_string(b));
            for (int c = 0; c < 5; ++c) {
                folder("            ", "Leaf " + std::to_string(c));
                links("                ");
                text += "            </DL><p>\n";
            }
            text += "        </DL><p>\n";
        }
        text += "    </DL><p>\n";
    }
    text += "</DL><p>\n";
    return text;
}
