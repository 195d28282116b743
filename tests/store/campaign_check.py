#!/usr/bin/python3
"""Reads the table every kill of the crash campaign left (one folder each, with the expected
live records in expected.txt) with an independent reader, dbfread: every record and memo must
be readable and the live records must be the expected ones."""
import os
import sys

from dbfread import DBF


def escaped(s):
    return s.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")


def check(folder):
    table = DBF(os.path.join(folder, "ZORVANE.TER"), encoding="cp1252",
                char_decode_errors="strict", ignore_missing_memofile=False)
    found = []
    for record in table:
        date = record["DATE"].strftime("%Y%m%d") if record["DATE"] else ""
        found.append("%s\t%s\t%s" % (escaped(record["TEXT"] or ""), date, record["TTIME"]))
    deleted = sum(1 for _ in table.deleted)
    found.append("deleted %d" % deleted)
    with open(os.path.join(folder, "expected.txt"), encoding="utf-8") as f:
        expected = f.read().split("\n")[:-1]
    if found != expected:
        for i, (a, b) in enumerate(zip(found, expected)):
            if a != b:
                return "line %d: dbfread %r, program %r" % (i + 1, a[:80], b[:80])
        return "dbfread %d lines, program %d" % (len(found), len(expected))
    return None


def main():
    root = sys.argv[1]
    folders = sorted(os.listdir(root), key=int)
    failures = 0
    for name in folders:
        try:
            problem = check(os.path.join(root, name))
        except Exception as e:  # any reader failure is a finding
            problem = "%s: %s" % (type(e).__name__, e)
        if problem:
            failures += 1
            print("kill %s: %s" % (name, problem))
    print("dbfread read %d tables, %d with problems" % (len(folders), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
