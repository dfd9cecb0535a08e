#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The renderer's two kinds of table in a real spreadsheet: LibreOffice Calc,
headless, with its own fresh profile, opens the decimal-comma table with the
German language and ";" as the separator, and the plain table with English
and ",", and every cell of each must be a number equal to the plain table's.
Both tables must also hold the same numbers to the last digit, read here.
Usage: spreadsheet-reads-csv.py RENDER_TOOL. Exit status 77 (skipped) where
LibreOffice is not installed."""
import pathlib
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SKIPPED = 77
OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
# LibreOffice's CSV import: separator, text delimiter, character set (76:
# UTF-8), first line, column types, language (1031 German, 1033 English).
IMPORTS = {"comma.csv": "CSV:59,34,76,1,,1031", "plain.csv": "CSV:44,34,76,1,,1033"}


def numbers(path, separator, decimal_point, faults):
    """The header and each row's numbers (None for an empty cell); a cell
    that is no number of this kind is a fault."""
    lines = path.read_text(encoding="utf-8").splitlines()
    rows = []
    for line in lines[1:]:
        cells = []
        for field in line.split(separator):
            try:
                if decimal_point == "," and "." in field:
                    raise ValueError
                cells.append(float(field.replace(decimal_point, ".")) if field else None)
            except ValueError:
                faults.append(f"{path.name}: {field!r} is no number")
                cells.append(None)
        rows.append(cells)
    return lines[0].split(separator), rows


def spreadsheet_cells(fods):
    """Each row's cells as (value type, value or text)."""
    rows = []
    for row in ET.parse(fods).getroot().iter(f"{{{TABLE}}}table-row"):
        cells = []
        for cell in row.iter(f"{{{TABLE}}}table-cell"):
            kind = cell.get(f"{{{OFFICE}}}value-type")
            value = (cell.get(f"{{{OFFICE}}}value") if kind == "float"
                     else "".join(cell.itertext()).strip())
            cells += [(kind, value)] * int(cell.get(f"{{{TABLE}}}number-columns-repeated", "1"))
        rows.append(cells)
    return rows


def check_spreadsheet(fods, header, rows):
    faults = []
    sheet = spreadsheet_cells(fods)
    shown_header = [text for _, text in sheet[0][:len(header)]]
    if shown_header != header:
        faults.append(f"{fods.name}: header {shown_header}")
    for number, (expected, cells) in enumerate(zip(rows, sheet[1:]), start=2):
        for column, (value, (kind, shown)) in enumerate(zip(expected, cells), start=1):
            if value is None:
                good = kind is None
            else:
                # Calc writes its numbers with at most 15 significant digits
                # and 20 decimals.
                off = abs(float(shown) - value) if kind == "float" else None
                good = off is not None and off <= 1e-14 * abs(value) + 1e-20
            if not good:
                faults.append(f"{fods.name}: row {number}, column {column}: {kind} {shown!r}, "
                              f"not {value!r}")
    if len(sheet) < len(rows) + 1:
        faults.append(f"{fods.name}: {len(sheet) - 1} rows, not {len(rows)}")
    return faults


def main():
    office = shutil.which("soffice") or shutil.which("libreoffice")
    if not office:
        print("skipped: LibreOffice (soffice) is not installed; "
              "Debian: apt-get install --no-install-recommends libreoffice-calc-nogui")
        return SKIPPED
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        # The driven line starts at -0; the far probe is 0 until the wave
        # arrives, then tiny numbers with an exponent.
        subprocess.run([sys.argv[1], "--example", "7", "--iterations", "300", "--probe", "1,36",
                        "--probe", "36,36", "--probe", "70,70", "--quiet",
                        "--csv", str(folder / "plain.csv"),
                        "--csv-decimal-comma", str(folder / "comma.csv")], check=True)
        faults = []
        header, plain = numbers(folder / "plain.csv", ",", ".", faults)
        comma_header, comma = numbers(folder / "comma.csv", ";", ",", faults)
        if (comma_header, comma) != (header, plain):
            faults.append("the two tables do not hold the same numbers")
        if len(plain) != 300:
            faults.append(f"{len(plain)} rows, not 300")
        for name, infilter in IMPORTS.items():
            subprocess.run([office, f"-env:UserInstallation={(folder / 'profile').as_uri()}",
                            "--headless", f"--infilter={infilter}", "--convert-to", "fods",
                            "--outdir", str(folder / "sheets"), str(folder / name)],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=240)
            faults += check_spreadsheet(folder / "sheets" / name.replace(".csv", ".fods"),
                                        header, plain)
    by_file = {}
    for fault in faults:
        by_file.setdefault(fault.split(":")[0], []).append(fault)
    for name, found in by_file.items():
        print("\n".join(found[:5]))
        if len(found) > 5:
            print(f"{name}: … and {len(found) - 5} more")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
