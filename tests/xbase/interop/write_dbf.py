#!/usr/bin/python3
"""Writes a dBASE III table with python3-dbf: every field type, Latin-1
text (cp1252 bytes 0xA0-0xFF), multi-block memos, a deleted record."""
import datetime
import sys

import dbf

table = dbf.Table(sys.argv[1], "NOME C(12); QTD N(6,0); VL N(12,2); DT D; OK L; OBS M",
                  dbf_type="db3", codepage="cp1252")
table.open(dbf.READ_WRITE)
table.append(("Jos\u00e9 \u00c1vila", -42, 1234.5, datetime.date(2024, 2, 29), True,
              "primeira linha\r\nsegunda \u00e7\u00e3o"))
table.append(("", 0, -0.07, None, False, "x" * 1500))
table.append(("apagado", 7, 0, datetime.date(1999, 12, 31), None, ""))
dbf.delete(table[2])
table.close()
