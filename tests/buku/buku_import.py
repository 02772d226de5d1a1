#!/usr/bin/env python3
"""An independent importer reads our bookmark file export.

Exports DOC.pmk with ordelink-cli, imports the file into buku (a database of
its own under a scratch HOME) and compares buku's records with the
document's URL records: the same addresses with the same titles.
Run: buku_import.py ORDELINK_CLI DOC.pmk   (exit 77 when buku is missing)
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile


def main():
    cli, doc = sys.argv[1], sys.argv[2]
    buku = shutil.which("buku")
    if not buku:
        print("buku is not installed (scripts/setup-machine installs it)")
        return 77
    with tempfile.TemporaryDirectory(prefix="ordelink-buku-") as scratch:
        out = os.path.join(scratch, "bookmarks.html")
        subprocess.run([cli, "export-bookmarks", doc, out, "--now", "2024-01-02 03:04:05"],
                       check=True)
        env = dict(os.environ, HOME=scratch, XDG_DATA_HOME=os.path.join(scratch, "data"),
                   PYTHONWARNINGS="ignore")
        # --tacit answers buku's questions on import itself: no date tag, the
        # parent folder as a tag, tags appended to existing records.
        subprocess.run([buku, "--nostdin", "--nc", "--tacit", "-i", out], env=env,
                       check=True, stdin=subprocess.DEVNULL)
        listing = subprocess.run([buku, "--nostdin", "--nc", "-p", "--json"], env=env,
                                 check=True, capture_output=True, text=True).stdout
        records = json.loads(subprocess.run([cli, "dump", doc, "--json"], check=True,
                                            capture_output=True, text=True).stdout)["records"]
    marks = json.loads(listing)
    print("buku's listing of the imported file:")
    print(json.dumps(marks, ensure_ascii=False, indent=1))
    got = sorted((r["uri"], r["title"]) for r in marks)
    want = sorted((r["url"], r["title"]) for r in records if r["isURL"])
    if got != want:
        print("buku imported", got, "\nexpected", want)
        return 1
    print("%d URL records, same addresses and titles" % len(got))
    return 0


if __name__ == "__main__":
    sys.exit(main())
