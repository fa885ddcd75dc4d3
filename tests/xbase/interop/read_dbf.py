#!/usr/bin/python3
"""Prints a dBASE table as python3-dbf reads it, one line a record:
recno, "*" when deleted, then each value (text as hex of its cp1252 bytes,
numbers as Python prints them, dates ISO, logicals T/F, None when blank)."""
import datetime
import sys

import dbf


def show(value):
    if value is None:
        return "None"
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, str):
        return value.encode("cp1252").hex()
    if isinstance(value, datetime.date):
        return value.isoformat()
    return str(value)


table = dbf.Table(sys.argv[1], codepage="cp1252")
table.open(dbf.READ_ONLY)
print("records", len(table))
for record in table:
    mark = "*" if dbf.is_deleted(record) else ""
    print("\t".join([str(dbf.recno(record) + 1) + mark] + [show(v) for v in record]))
table.close()
