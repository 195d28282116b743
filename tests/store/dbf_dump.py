#!/usr/bin/python3
"""Dumps a dBASE table with an independent reader (dbfread) in a plain text form that the
engine's tests compare: one line per field, values escaped so that each stays on one line."""
import sys

from dbfread import DBF


def text(value):
    if value is None:
        return "None"
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, float) and value.is_integer():
        value = int(value)
    if hasattr(value, "isoformat"):
        return value.isoformat()
    s = str(value)
    return s.encode("unicode_escape").decode("ascii")


def main():
    table = DBF(sys.argv[1], encoding="cp1252", char_decode_errors="strict",
                ignore_missing_memofile=False)
    print("fields " + ",".join("%s:%s:%d:%d" % (f.name, f.type, f.length, f.decimal_count)
                               for f in table.fields))
    print("count %d deleted %d" % (len(table), len(table.deleted)))
    for number, record in enumerate(table, 1):
        print("record %d" % number)
        for name, value in record.items():
            print("%s=%s" % (name, text(value)))


main()
