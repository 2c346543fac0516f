#!/usr/bin/env python3
"""Writes examples/blank-form.pdf: a synthetic blank declaration form for the
sample examples/ocrdat.prn, and examples/blank-form.png, its scan at 300 dpi
(rendered with pdftoppm from poppler-utils).

The form is drawn here from nothing but boxes, rules and captions: its fields
are where the sample's entries land (see make_sample.py), in the green of a
pre-printed form, so that `ocrprint-cli preview` shows the entries in their
boxes. One A4 page, positions in millimetres from the paper's top-left corner.
"""

import os
import shutil
import subprocess
import sys

PAPER_W, PAPER_H = 210, 297
INK = "0.15 0.55 0.35"  # the form's green: apart from the preview's red and blue

ops = []


def pt(mm):
    return mm * 72 / 25.4


def box(x1, y1, x2, y2, width=0.6):
    ops.append(f"{width} w {pt(x1):.2f} {pt(PAPER_H - y2):.2f} {pt(x2 - x1):.2f} "
               f"{pt(y2 - y1):.2f} re S")


def rule(x1, y1, x2, y2, width=0.4):
    ops.append(f"{width} w {pt(x1):.2f} {pt(PAPER_H - y1):.2f} m {pt(x2):.2f} "
               f"{pt(PAPER_H - y2):.2f} l S")


def caption(x, y, text, size=6):
    """Text with its baseline at (x, y) mm, in Helvetica."""
    text = text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")
    ops.append(f"BT /F1 {size} Tf {pt(x):.2f} {pt(PAPER_H - y):.2f} Td ({text}) Tj ET")


def table(x1, x2, top, rows, step, splits=()):
    """Rows of boxes from top down, with vertical rules at splits."""
    bottom = top + rows * step
    box(x1, top, x2, bottom)
    for i in range(1, rows):
        rule(x1, top + i * step, x2, top + i * step)
    for s in splits:
        rule(s, top, s, bottom)


def draw():
    # Heading: the title, the office, the date, the reference number.
    caption(12, 8.5, "OCR DECLARATION FORM  -  synthetic blank form for the ocrprint example", 7)
    box(10, 10, 200, 24)
    caption(11, 12.5, "Title")
    box(10, 24.5, 200, 32)
    caption(40, 26.5, "Office")
    caption(56, 26.5, "Date")
    rule(55, 24.5, 55, 32)
    rule(138, 24.5, 138, 32)
    box(153, 25, 178, 31, 0.4)  # the reference number's cell
    # Taxpayer: twelve rows of caption and value, the personal number beside.
    caption(11, 34.8, "Taxpayer")
    table(14, 146, 35.5, 12, 5.5, splits=(56,))
    box(148, 35, 200, 41.5)
    caption(149, 43.5, "Personal number")
    # Left column: three sections of mark, caption and amount.
    for name, first, rows in (("Income", 110, 11), ("Earnings", 172, 9), ("Deductions", 226, 10)):
        caption(12, first - 5.5, name)
        table(12, 100, first - 2.5, rows, 5, splits=(19, 62))
    # Right column: the tax computation, other items, the refund account.
    caption(104, 104.5, "Tax computation")
    table(104, 198, 107.5, 15, 5, splits=(111, 160))
    caption(104, 190, "Other items")
    table(104, 198, 195.5, 4, 5, splits=(170,))
    caption(104, 229, "Refund account")
    table(104, 198, 235.5, 5, 6, splits=(130,))
    # Footer: the office's boxes and the page number's rule.
    box(12, 274, 100, 281.5)
    box(104, 274, 198, 281.5)
    caption(13, 284, "For office use")
    caption(170, 284, "Tax accountant")
    rule(90, 287, 120, 287, 0.3)


def pdf(content):
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        f"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 {pt(PAPER_W):.2f} {pt(PAPER_H):.2f}] "
        f"/Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>".encode(),
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        b"<< /Length %d >>\nstream\n" % len(content) + content + b"\nendstream",
    ]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    draw()
    content = (f"{INK} RG {INK} rg\n" + "\n".join(ops)).encode()
    pdf_path = os.path.join(here, "blank-form.pdf")
    with open(pdf_path, "wb") as out:
        out.write(pdf(content))
    print(f"{pdf_path}: written", file=sys.stderr)
    if shutil.which("pdftoppm") is None:
        print("pdftoppm (poppler-utils) is missing: no PNG scan written", file=sys.stderr)
        return 1
    png_stem = os.path.join(here, "blank-form")
    subprocess.run(["pdftoppm", "-r", "300", "-png", "-singlefile", pdf_path, png_stem],
                   check=True)
    print(f"{png_stem}.png: written at 300 dpi", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
