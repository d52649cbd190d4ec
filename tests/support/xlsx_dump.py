#!/usr/bin/env python3
"""Reads an .xlsx file with openpyxl and prints what the export tests check, as JSON."""
import datetime
import json
import sys
import zipfile

import openpyxl
from openpyxl.utils import get_column_letter


def rgb(cell_or_style):
    fill = cell_or_style.fill
    if fill is None or fill.fill_type != "solid":
        return ""
    return str(fill.fgColor.rgb)[-6:]


def shown(value):
    if value is None:
        return "-"
    if isinstance(value, datetime.datetime):
        return "d:" + value.date().isoformat()
    if isinstance(value, (int, float)):
        return "n:" + ("%g" % value)
    return "s:" + value


book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
header = [c.value for c in sheet[1]]
out = {
    "sheets": len(book.worksheets),
    "header": header,
    "bold": all(c.font.b for c in sheet[1]),
    "headerFills": sorted({rgb(c) for c in sheet[1]}),
    "rows": sheet.max_row,
    "cells": {},
    "formats": {},
    "rowFills": [],
    "narrow": [],
    "columnFills": [],
    # Bits 1 and 2 of the entry's flags: the deflate level the writer asked for (3: fastest).
    "deflateSpeed": (zipfile.ZipFile(sys.argv[1]).getinfo("xl/worksheets/sheet1.xml").flag_bits >> 1) & 3,
}
longest = [len(str(h)) for h in header]
for r, row in enumerate(sheet.iter_rows(min_row=2), start=2):
    fills = {rgb(c) for c in row}
    out["rowFills"].append(fills.pop() if len(fills) == 1 else "MIXED")
    for i, c in enumerate(row):
        out["cells"]["%d|%s" % (r, header[i])] = shown(c.value)
        if r == 2:
            out["formats"][header[i]] = c.number_format
        if isinstance(c.value, str):
            longest[i] = max(longest[i], len(c.value))
for i, name in enumerate(header):
    width = sheet.column_dimensions[get_column_letter(i + 1)].width
    if width is None or width < longest[i]:
        out["narrow"].append(name)
for dim in sheet.column_dimensions.values():
    out["columnFills"].append(rgb(dim))
out["columnFills"] = sorted(set(out["columnFills"]))
print(json.dumps(out, ensure_ascii=False))
