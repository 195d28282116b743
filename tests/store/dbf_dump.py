#!/usr/bin/python3
"""Dumps a dBASE table with memo file through an independent reader (dbfread) for the tests:
"fields NAME:T:W:D,...", "count N deleted M", then per live record "record N" and one
"NAME=value" line per field; logicals T/F, values escaped so that each stays on one line.

  dbf_dump.py TABLE             the engine's form: dates ISO, empty values "None", text with
                                Python's unicode escapes (ASCII only)
  dbf_dump.py --display TABLE   the program's form: dates dd.mm.yyyy, empty values as nothing,
                                text UTF-8 with backslash, CR and LF written as \\\\, \\r, \\n"""
import sys

from dbfread import DBF


def engine_text(value):
    if value is None:
        return "None"
    if hasattr(value, "isoformat"):
        return value.isoformat()
    return str(value).encode("unicode_escape").decode("ascii")


def display_text(value):
    if value is None:
        return ""
    if hasattr(value, "strftime"):
        return value.strftime("%d.%m.%Y")
    return str(value).replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")


def value_text(value, text):
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, float) and value.is_integer():
        value = int(value)
    return text(value)


def main():
    args = sys.argv[1:]
    text = display_text if args[:1] == ["--display"] else engine_text
    table = DBF(args[-1], encoding="cp1252", char_decode_errors="strict",
                ignore_missing_memofile=False)
    print("fields " + ",".join("%s:%s:%d:%d" % (f.name, f.type, f.length, f.decimal_count)
                               for f in table.fields))
    print("count %d deleted %d" % (len(table), len(table.deleted)))
    for number, record in enumerate(table, 1):
        print("record %d" % number)
        for name, value in record.items():
            print("%s=%s" % (name, value_text(value, text)))


main()
