#!/usr/bin/python3
"""Reads a dBASE table with memo file through an independent reader (dbfread) and prints it
line by line for the application's tests: "fields NAME:T:W:D,...", "count N deleted M", then per
live record "record N" and one "NAME=value" line per field. Values are UTF-8; backslash, CR and
LF are written as \\\\, \\r and \\n; dates as dd.mm.yyyy; logicals T/F; empty values as nothing."""
import sys

from dbfread import DBF


def text(value):
    if value is None:
        return ""
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, float) and value.is_integer():
        value = int(value)
    if hasattr(value, "strftime"):
        return value.strftime("%d.%m.%Y")
    return str(value).replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")


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
