#!/usr/bin/python3
"""Writes a dBASE III table with memo file using an independent writer (python3-dbf):
the records the engine's interchange test expects to read back."""
import datetime
import sys

import dbf

table = dbf.Table(sys.argv[1], "NAME C(20); AMOUNT N(7,2); COUNT N(3,0); DAY D; FLAG L; NOTE M",
                  dbf_type="db3", codepage="cp1252")
table.open(mode=dbf.READ_WRITE)
table.append(("Müller & Söhne", 3.5, 42, datetime.date(2024, 3, 15), True,
              "Zeile 1\r\nZeile 2 mit Umlauten: äöüß €"))
table.append(("gelöscht", -12.25, 7, datetime.date(1999, 12, 31), False, "weg"))
table.append(("leer", 0, 0, None, False, ""))
table.append(("lang", 1234.5, 999, datetime.date(2000, 2, 29), True, "x" * 1500))
with table[1] as record:
    dbf.delete(record)
table.close()
