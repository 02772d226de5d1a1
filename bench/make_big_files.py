#!/usr/bin/env python3
"""Writes large inputs for timing the command-line program by hand.

  make_big_files.py document RECORDS OUT.pmk   # 100 folders, the rest URL items
  make_big_files.py bookmarks LINKS OUT.htm    # 500 folders of links, as a browser writes

The document holds about 60 bytes a record (100,000 records: about 6 MB),
titles and URLs long enough to live outside the string object; the bookmark
file has the shape of bench/BookmarkImportBench.cpp (LINKS spread over 400
innermost folders, about 180 bytes a link).
"""
import struct
import sys


def archive_string(data):
    n = len(data)
    if n < 0xFF:
        prefix = bytes([n])
    elif n < 0xFFFE:
        prefix = b"\xff" + struct.pack("<H", n)
    else:
        prefix = b"\xff\xff\xff" + struct.pack("<I", n)
    return prefix + data


def document(records):
    parts = [struct.pack("<i", records)]
    empty = archive_string(b"")
    for rid in range(1, records + 1):
        is_url = 1 if rid > 100 else 0
        parent = 0 if rid <= 100 else 1 + rid % 100
        title = b"Bookmark title %d" % rid
        url = b"http://example.com/%d" % rid if is_url else b""
        parts.append(archive_string(title) + archive_string(url) + empty)
        parts.append(struct.pack("<iii", is_url, rid, parent))
    return b"".join(parts)


def bookmarks(links):
    out = [
        b"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
        b'<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=Shift_JIS">\n'
        b"<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n\n<DL><p>\n"
    ]
    per_leaf = -(-links // 400)
    n = 0

    def folder(indent, title):
        out.append(b'%s<DT><H3 ADD_DATE="912345678">%s</H3>\n%s<DL><p>\n' % (indent, title, indent))

    for a in range(20):
        folder(b" " * 4, b"Folder %d" % a)
        for b in range(4):
            folder(b" " * 8, b"Sub %d" % b)
            for c in range(5):
                folder(b" " * 12, b"Leaf %d" % c)
                for _ in range(per_leaf):
                    if n == links:
                        break
                    out.append(
                        b'%s<DT><A HREF="http://www.example.com/path/to/page%d.html" '
                        b'ADD_DATE="912345678" LAST_VISIT="912345679" '
                        b'LAST_MODIFIED="912345680">Bookmark title number %d</A>\n'
                        % (b" " * 16, n, n)
                    )
                    n += 1
                out.append(b" " * 12 + b"</DL><p>\n")
            out.append(b" " * 8 + b"</DL><p>\n")
        out.append(b" " * 4 + b"</DL><p>\n")
    out.append(b"</DL><p>\n")
    return b"".join(out)


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("document", "bookmarks"):
        sys.exit(__doc__)
    count = int(sys.argv[2])
    data = document(count) if sys.argv[1] == "document" else bookmarks(count)
    with open(sys.argv[3], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
