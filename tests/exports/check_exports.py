#!/usr/bin/env python3
"""End-to-end checks of the batch tool's exports, read back with the tools a
user would open them with: the CSV through Python's csv module (as a
spreadsheet reads it), the PDF through poppler's pdfinfo, pdftotext and
pdftoppm.

usage: check_exports.py CLI EXAMPLES_DIR WORK_DIR
"""

import csv
import decimal
import os
import re
import shutil
import subprocess
import sys
import unittest

CLI, EXAMPLES, WORK = sys.argv[1:4]
del sys.argv[1:4]

ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen")

# The rounding of each column as the table file writes it: decimals per
# column of a thinning row (the age at the end is left out), and of a row
# of a stand volume table after its site-class column.
YIELD_DECIMALS = [0, 1, 1, 0, 1, 1, 1, 1, 2, 1, 0, 0, 1, 1, 0, 1, 1, 0, 1, 1, 2, 1]
YIELD_WIDTHS = [4, 6, 6, 6, 6, 7, 6, 6, 6, 5, 6, 4, 6, 6, 4, 7, 6, 6, 6, 7, 5, 7, 4]
VOLUME_DECIMALS = [0, 0, 1, 1, 0, 1, 1, 1, 1, 2]
VOLUME_WIDTHS = [4, 4, 6, 6, 6, 6, 7, 6, 6, 6]


def rounded(text, decimals):
    """A CSV figure as the table prints it: 15 significant digits first, then
    half away from zero at the shown decimals, no minus on a zero."""
    value = decimal.Decimal(repr(float(text)))
    value = decimal.Context(prec=15).create_decimal(value)
    q = decimal.Decimal(1).scaleb(-decimals)
    result = value.quantize(q, rounding=decimal.ROUND_HALF_UP)
    out = f"{result:.{decimals}f}"
    return out[1:] if re.fullmatch(r"-0(\.0+)?", out) else out


def fields(line, widths):
    """Splits a row of fixed-width fields (the examples have none wider than
    its field)."""
    out, at = [], 0
    for w in widths:
        out.append(line[at:at + w].strip())
        at += w
    return out


def table_rows(path, volume):
    """The rows of a table file as lists of field texts ('' for the blanks of
    a plain row), in file order."""
    rows = []
    with open(path, encoding="cp932", newline="") as f:
        for line in f.read().split("\r\n"):
            if not re.match(r"^ +\d+ ", line):
                continue
            if volume:
                rows.append(fields(line, VOLUME_WIDTHS))
                continue
            cells = fields(line, YIELD_WIDTHS)
            if line[77:145].strip() == "":
                # A plain row: 68 blanks where the thinning columns are.
                cells = fields(line[:77], YIELD_WIDTHS[:9]) + [""] * 12 + \
                    fields(line[145:], YIELD_WIDTHS[21:])
            rows.append(cells[:-1])  # the age at the end repeats the first
    return rows


def read_csv(path):
    with open(path, "rb") as f:
        raw = f.read()
    if not raw.startswith(b"\xef\xbb\xbf"):
        raise AssertionError("no UTF-8 byte-order mark")
    if b"\r\n" not in raw or raw.replace(b"\r\n", b"").count(b"\n"):
        raise AssertionError("records do not end in CR LF")
    with open(path, encoding="utf-8-sig", newline="") as f:
        return list(csv.reader(f))


def run(*args):
    done = subprocess.run([CLI, *args], cwd=WORK, env=ENV, capture_output=True)
    return done.returncode, done.stdout.decode(), done.stderr.decode()


class Exports(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        shutil.copytree(EXAMPLES, WORK)

    def run_ok(self, *args):
        rc, out, err = run(*args)
        self.assertEqual(rc, 0, err)
        return out.split("\n")

    def assert_csv_matches_table(self, table, csv_path, volume, lead):
        """Every CSV figure, rounded as the table rounds it, is the table's
        figure; the CSV has one record per table row, in the same order."""
        records = read_csv(csv_path)
        rows = table_rows(table, volume)
        self.assertEqual(len(records) - 1, len(rows))
        decimals = VOLUME_DECIMALS if volume else YIELD_DECIMALS
        for record, row in zip(records[1:], rows):
            figures = record[lead:]
            self.assertEqual(len(figures), len(decimals))
            for text, expected, d in zip(figures, row, decimals):
                if expected == "":
                    self.assertEqual(text, "", f"{record} / {row}")
                else:
                    self.assertEqual(rounded(text, d), expected, f"{record} / {row}")
        return records

    def test_yield_csv_carries_every_figure_of_the_table_at_full_precision(self):
        out = self.run_ok("yield", "yield_method1.run", "--csv", "m1.csv")
        records = self.assert_csv_matches_table(os.path.join(WORK, out[0]),
                                                os.path.join(WORK, "m1.csv"), False, 0)
        self.assertEqual(records[0][0], "林齢(年)")
        self.assertEqual(records[0][1], "上層樹高(m)")
        self.assertEqual(records[0][-1], "総収穫量(m3)")
        # Both kinds of rows are there, and the figures are not the table's
        # rounded ones.
        self.assertTrue(any(r[9] == "" for r in records[1:]))
        self.assertTrue(any(r[9] != "" for r in records[1:]))
        self.assertTrue(any(len(r[1].split(".")[-1]) > 2 for r in records[1:]))

    def test_every_year_adds_the_years_between_the_table_rows(self):
        out = self.run_ok("yield", "yield_method4.run", "--csv", "all.csv", "--every-year")
        self.run_ok("show", out[0], "--csv", "listed.csv")
        every = read_csv(os.path.join(WORK, "all.csv"))
        listed = read_csv(os.path.join(WORK, "listed.csv"))
        ages = [int(r[0]) for r in every[1:]]
        self.assertEqual(ages, list(range(1, 101)))
        listed_ages = {int(r[0]) for r in listed[1:]}
        self.assertTrue(listed_ages < set(ages))

    def test_plan_csv_has_a_plan_column_and_five_plans(self):
        out = self.run_ok("plan", "plan_policy.run", "--csv", "plan.csv")
        records = self.assert_csv_matches_table(os.path.join(WORK, out[0]),
                                                os.path.join(WORK, "plan.csv"), False, 1)
        self.assertEqual(records[0][0], "計画(間伐回数)")
        self.assertEqual(sorted({r[0] for r in records[1:]}), ["1", "2", "3", "4", "5"])

    def test_volume_csv_has_a_site_class_column(self):
        out = self.run_ok("volume", "volume_table.run", "--csv", "vol.csv")
        records = self.assert_csv_matches_table(os.path.join(WORK, out[0]),
                                                os.path.join(WORK, "vol.csv"), True, 1)
        self.assertEqual(records[0][:3], ["地位", "齢級", "基準林齢(年)"])
        self.assertEqual([r[0] for r in records[1:]].count("中"), 20)

    def test_show_reads_a_table_back_as_the_table_shows_it(self):
        out = self.run_ok("yield", "yield_method2.run")
        rc, shown, err = run("show", out[0])
        self.assertEqual(rc, 0, err)
        self.assertFalse(shown.startswith("\ufeff"))
        records = list(csv.reader(shown.splitlines()))
        rows = table_rows(os.path.join(WORK, out[0]), False)
        self.assertEqual(len(records) - 1, len(rows))
        for record, row in zip(records[1:], rows):
            for text, expected, d in zip(record, row, YIELD_DECIMALS):
                self.assertEqual(rounded(text, d) if text else "", expected)

    def test_show_refuses_what_is_not_a_table_naming_the_line(self):
        rc, out, err = run("show", "sugi.PAR")
        self.assertEqual(rc, 1)
        self.assertEqual(out, "")
        self.assertIn("[表ファイル読み込みエラー] 表ファイルの形式が違います。これは読めません。\n1行目",
                      err)

    def test_pdf_report_pages_text_and_graphs(self):
        out = self.run_ok("yield", "yield_method4.run", "--pdf", "report.pdf")
        pdf = os.path.join(WORK, "report.pdf")
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        # Title block, one page of table, one page of six graphs.
        self.assertRegex(info, r"Pages:\s+3\n")
        self.assertRegex(info, r"Page size:\s+595(\.\d+)? x 84[12](\.\d+)? pts \(A4\)")
        text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                              text=True).stdout
        self.assertIn("収穫予測表", text)
        self.assertIn("収量比数と間伐率", text)
        words = set(text.split())
        for row in table_rows(os.path.join(WORK, out[0]), False):
            for figure in row:
                if figure:
                    self.assertIn(figure, words, f"{figure} of {row}")
        # The graph page holds drawing, not an empty page.
        gray = subprocess.run(["pdftoppm", "-r", "20", "-gray", "-f", "3", "-l", "3", pdf],
                              capture_output=True).stdout
        header = re.match(rb"P5\s+(\d+)\s+(\d+)\s+255\s", gray)
        pixels = gray[header.end():]
        dark = sum(1 for p in pixels if p < 200)
        self.assertGreater(dark, len(pixels) // 50)

    def test_a_table_longer_than_a_page_repeats_its_heading(self):
        out = self.run_ok("yield", "yield_method1.run")
        with open(os.path.join(WORK, out[0]), encoding="cp932", newline="") as f:
            lines = f.read().split("\r\n")
        rows = [l for l in lines[16:] if re.match(r"^ +\d+ ", l)]
        long_table = lines[:16] + rows * 8 + [lines[16 + len(rows)], ""]
        with open(os.path.join(WORK, "long.150"), "w", encoding="cp932", newline="") as f:
            f.write("\r\n".join(long_table))
        self.run_ok("show", "long.150", "--pdf", "long.pdf")
        pdf = os.path.join(WORK, "long.pdf")
        pages = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                               text=True).stdout.split("\f")
        table_pages = [p for p in pages[1:] if p.strip()]
        self.assertGreaterEqual(len(table_pages), 2)
        for page in table_pages:
            self.assertIn("林分収穫予測表", page)
            self.assertRegex(page, r"年 +m +cm +本")
        self.assertEqual(sum(len(re.findall(r"(?m)^ +\d+ +\d+\.\d", p)) for p in table_pages),
                         len(rows) * 8)

    def test_svg_and_png_images(self):
        out = self.run_ok("yield", "yield_method4.run", "--images", "svg", "--format", "svg")
        self.assertEqual(out[1:7], [f"svg/image{i}.svg" for i in range(6)])
        with open(os.path.join(WORK, "svg", "image1.svg"), encoding="utf-8") as f:
            svg = f.read()
        self.assertIn('viewBox="0 0 560 420"', svg)
        self.assertIn("上層樹高", svg)  # text stays text
        self.assertNotIn("<image", svg)  # and nothing is a bitmap
        out = self.run_ok("yield", "yield_method4.run", "--images", "png", "--format", "png")
        with open(os.path.join(WORK, "png", "image0.png"), "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")


if __name__ == "__main__":
    unittest.main(verbosity=2)
