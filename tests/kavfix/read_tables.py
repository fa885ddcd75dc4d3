#!/usr/bin/python3
"""Prints "NAME RECORDS" for each dBASE table named on the command line,
as python3-dbf reads it, reading every record."""
import os
import sys

import dbf

for path in sys.argv[1:]:
    # Texts are ISO-8859-1; cp1252 agrees on every character they hold.
    table = dbf.Table(path, codepage="cp1252")
    table.open(dbf.READ_ONLY)
    for record in table:
        for name in table.field_names:
            record[name]
    print(os.path.basename(path), len(table))
    table.close()
