#!/usr/bin/env python3
"""Writes sample.pmk, the small document the README and tests use."""
import os
import struct


def archive_string(text):
    data = text.encode("cp932")
    n = len(data)
    if n < 0xFF:
        prefix = bytes([n])
    elif n < 0xFFFE:
        prefix = b"\xff" + struct.pack("<H", n)
    else:
        prefix = b"\xff\xff\xff" + struct.pack("<I", n)
    return prefix + data


RECORDS = [
    # title, url, memo, is_url, id, parent
    ("検索", "", "", 0, 1, 0),
    ("ニュース", "", "毎朝読むもの", 0, 2, 0),
    ("Example", "http://www.example.com/", "最初の一件\r\n二行目", 1, 3, 1),
    ("表計算の使い方", "http://www.example.org/help/sheet.html", "", 1, 4, 2),
    ("Weather", "http://weather.example.net/tokyo", "", 1, 5, 2),
    ("ソフト", "", "", 0, 6, 2),
    ("Mirror", "ftp://ftp.example.jp/pub/", "", 1, 7, 6),
]


def main():
    out = struct.pack("<i", len(RECORDS))
    for title, url, memo, is_url, rid, parent in RECORDS:
        out += archive_string(title) + archive_string(url) + archive_string(memo)
        out += struct.pack("<iii", is_url, rid, parent)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample.pmk")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
