#!/usr/bin/python3
"""Prints "NAME RECORDS" for each dBASE table named on the command line,
as python3-dbf reads it, reading every record."""
import os
import sys

import dbf

for path in sys.argv[1:]:
    table = dbf.Table(path)
    table.open(dbf.READ_ONLY)
    for record in table:
        for name in table.field_names:
            record[name]
    print(os.path.basename(path), len(table))
    table.close()
