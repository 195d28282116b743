#!/usr/bin/python3
"""Writes an appointment table of another structure with an independent writer (python3-dbf),
as an older program left it: argv[1] the table file to write (its memo file gets the same stem
and ".DBT"), argv[2] a field list in python3-dbf's form ("TDATE D; TTIME C(5); ..."), then one
argument per record: "NAME=value|NAME=value|..." with dates as dd.mm.yyyy, logicals T/F, "\\r"
and "\\n" in texts, and "*" as the whole argument's first character for a deleted record."""
import datetime
import os
import sys

import dbf


def value(table, name, text):
    kind = table.field_info(name.lower()).field_type
    if kind == dbf.FieldType.DATE:
        day, month, year = (int(p) for p in text.split("."))
        return datetime.date(year, month, day)
    if kind == dbf.FieldType.LOGICAL:
        return text == "T"
    if kind == dbf.FieldType.NUMERIC:
        return int(text)
    return text.replace("\\r", "\r").replace("\\n", "\n")


def main():
    target = sys.argv[1]
    stem = os.path.join(os.path.dirname(target), "~pywrite")
    table = dbf.Table(stem + ".dbf", sys.argv[2], dbf_type="db3", codepage="cp1252")
    table.open(mode=dbf.READ_WRITE)
    deleted = []
    for number, record in enumerate(sys.argv[3:]):
        if record.startswith("*"):
            deleted.append(number)
            record = record[1:]
        fields = {}
        for item in filter(None, record.split("|")):
            name, text = item.split("=", 1)
            fields[name.lower()] = value(table, name, text)
        table.append(fields)
    for number in deleted:
        with table[number] as record:
            dbf.delete(record)
    table.close()
    os.replace(stem + ".dbf", target)
    memo = os.path.splitext(target)[0] + ".DBT"
    if os.path.exists(stem + ".dbt"):
        os.replace(stem + ".dbt", memo)


main()
