#!/usr/bin/python3
"""Prints the structure of each dBASE table named on the command line as
python3-dbf reads it: "FILE <name> <record length>", then one line per
field "NAME TYPE WIDTH DECIMALS"."""
import os
import sys

import dbf

for path in sys.argv[1:]:
    table = dbf.Table(path)
    table.open(dbf.READ_ONLY)
    print("FILE", os.path.basename(path), table.record_length)
    for name in table.field_names:
        kind, width, decimals = table.field_info(name)[:3]
        print(name.upper(), chr(kind), width, decimals)
    table.close()
