#!/usr/bin/env python3
"""Writes examples/ocrdat.prn: a sample OCR declaration form of one A4 page,
and examples/ocrdat.csv: the same entries as a spreadsheet saves them (UTF-8,
RFC 4180 CSV, 12 columns), which `ocrprint-cli convert --csv` turns back into
ocrdat.prn byte for byte.

Each line: PosX,PosY,FontSize,HorzAlign,Framed,VertAlign,id,row,col,fmt,len,Text
PosX/PosY in millimetres from the paper's top-left corner; HorzAlign and
VertAlign 1 = left/top, 2 = centre, 3 = right/bottom edge at the position.
Code page 932, CR LF line ends.
"""

import csv
import io
import os
import sys

LEFT, CENTRE, RIGHT = 1, 2, 3
TOP, MIDDLE, BOTTOM = 1, 2, 3

entries = []


def add(x, y, size, text, horz=LEFT, vert=TOP, framed=0, fid="", row=1, col=1, fmt="", length=""):
    entries.append((x, y, size, horz, framed, vert, fid, row, col, fmt, length, text))


def mm(value):
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return text if text else "0"


def amount(value):
    return f"{value:,}"


# Heading and office.
add(105, 14, 14, "令和05年分の所得税及び復興特別所得税の確定申告書", CENTRE, MIDDLE, fid="H01")
add(105, 21, 9, "第一表（この申告書はＯＣＲで読み取ります）", CENTRE, MIDDLE, fid="H02")
add(16, 28, 11, "麹町税務署長", LEFT, MIDDLE, framed=1, fid="H03")
add(60, 28, 9, "令和06年03月11日", LEFT, MIDDLE, fid="H04")
add(150, 28, 8, "整理番号", RIGHT, MIDDLE, fid="H05")
add(154, 28, 11, "01234567", LEFT, MIDDLE, framed=1, fid="H06")
add(198, 28, 8, "ＦＡ０１０１", RIGHT, MIDDLE, fid="H07")

# Taxpayer.
taxpayer = [
    ("住　所", "東京都千代田区霞が関３丁目１番１号, 中央合同庁舎４号館"),
    ("令和６年１月１日の住所", "同　上"),
    ("フリガナ", "コクゼイ　タロウ"),
    ("氏　名", "国税　太郎"),
    ("性　別", "男"),
    ("職　業", "会社員"),
    ("屋号・雅号", "国税商店"),
    ("世帯主の氏名", "国税　太郎"),
    ("世帯主との続柄", "本人"),
    ("生年月日", "昭和50年04月01日"),
    ("電話番号", "03-3581-4161"),
    ("勤務先・携帯", "090-1234-5678"),
]
y = 36
for i, (label, value) in enumerate(taxpayer):
    add(16, y, 8, label, LEFT, TOP, fid=f"P{i + 1:02d}L", row=i + 1, col=1)
    size = 12 if label == "氏　名" else 10
    add(58, y, size, value, LEFT, TOP, fid=f"P{i + 1:02d}V", row=i + 1, col=2,
        fmt="K" if label == "フリガナ" else "", length="40")
    y += 5.5
add(150, 36, 7, "個人番号", LEFT, TOP, fid="P13L", row=1, col=3)
add(198, 36, 10, "1234 5678 9012", RIGHT, TOP, framed=1, fid="P13V", row=1, col=4, fmt="N",
    length="12")

# Left column: income, income amounts, deductions.
add(55, 106, 12, "収入金額等", CENTRE, BOTTOM, fid="S01")
incomes = [
    ("ア", "事業　営業等", 0), ("イ", "事業　農業", 0), ("ウ", "不動産", 1_200_000),
    ("エ", "配当", 85_000), ("オ", "給与", 6_480_000), ("カ", "公的年金等", 0),
    ("キ", "業務", 0), ("ク", "雑　その他", 120_000), ("ケ", "総合譲渡　短期", 0),
    ("コ", "総合譲渡　長期", 0), ("サ", "一時", 500_000),
]
y = 110
for i, (mark, label, value) in enumerate(incomes):
    add(14, y, 9, mark, LEFT, MIDDLE, fid=f"I{i + 1:02d}M", row=i + 1, col=1)
    add(20, y, 9, label, LEFT, MIDDLE, fid=f"I{i + 1:02d}L", row=i + 1, col=2)
    add(98, y, 10, amount(value), RIGHT, MIDDLE, fid=f"I{i + 1:02d}A", row=i + 1, col=3,
        fmt="N", length="11")
    y += 5

add(55, 168, 12, "所得金額等", CENTRE, BOTTOM, fid="S02")
earnings = [
    ("①", "事業　営業等", 0), ("②", "事業　農業", 0), ("③", "不動産", 640_000),
    ("④", "利子", 1_250), ("⑤", "配当", 85_000), ("⑥", "給与", 4_744_000),
    ("⑦", "雑", 65_000), ("⑧", "総合譲渡・一時", 0), ("⑨", "合計", 5_535_250),
]
y = 172
for i, (mark, label, value) in enumerate(earnings):
    add(14, y, 9, mark, LEFT, MIDDLE, fid=f"E{i + 1:02d}M", row=i + 1, col=1)
    add(20, y, 9, label, LEFT, MIDDLE, fid=f"E{i + 1:02d}L", row=i + 1, col=2)
    framed = 1 if mark == "⑨" else 0
    add(98, y, 11 if framed else 10, amount(value), RIGHT, MIDDLE, framed=framed,
        fid=f"E{i + 1:02d}A", row=i + 1, col=3, fmt="N", length="11")
    y += 5

add(55, 222, 12, "所得から差し引かれる金額", CENTRE, BOTTOM, fid="S03")
deductions = [
    ("⑩", "社会保険料控除", 912_340), ("⑪", "小規模企業共済等掛金控除", 0),
    ("⑫", "生命保険料控除", 40_000), ("⑬", "地震保険料控除", 25_000),
    ("⑭", "寡婦、ひとり親控除", 0), ("⑮", "勤労学生、障害者控除", 0),
    ("⑯", "配偶者（特別）控除", 380_000), ("⑰", "扶養控除", 380_000),
    ("⑱", "基礎控除", 480_000), ("⑲", "合計", 2_217_340),
]
y = 226
for i, (mark, label, value) in enumerate(deductions):
    add(14, y, 9, mark, LEFT, MIDDLE, fid=f"D{i + 1:02d}M", row=i + 1, col=1)
    add(20, y, 8 if len(label) > 8 else 9, label, LEFT, MIDDLE, fid=f"D{i + 1:02d}L",
        row=i + 1, col=2)
    add(98, y, 10, amount(value), RIGHT, MIDDLE, fid=f"D{i + 1:02d}A", row=i + 1, col=3,
        fmt="N", length="11")
    y += 5

# Right column: tax computation.
add(155, 106, 12, "税金の計算", CENTRE, BOTTOM, fid="S04")
taxes = [
    ("⑳", "課税される所得金額", 3_317_000), ("２１", "上の⑳に対する税額", 233_900),
    ("２２", "配当控除", 4_250), ("２３", "住宅借入金等特別控除", 0),
    ("２４", "差引所得税額", 229_650), ("２５", "災害減免額", 0),
    ("２６", "再差引所得税額", 229_650), ("２７", "復興特別所得税額", 4_822),
    ("２８", "所得税及び復興特別所得税の額", 234_472), ("２９", "外国税額控除等", 0),
    ("３０", "源泉徴収税額", 251_300), ("３１", "申告納税額", -16_828),
    ("３２", "予定納税額", 0), ("３３", "納める税金", 0), ("３４", "還付される税金", 16_828),
]
y = 110
for i, (mark, label, value) in enumerate(taxes):
    add(106, y, 9, mark, LEFT, MIDDLE, fid=f"T{i + 1:02d}M", row=i + 1, col=1)
    add(112, y, 7 if len(label) > 10 else 8, label, LEFT, MIDDLE, fid=f"T{i + 1:02d}L",
        row=i + 1, col=2)
    framed = 1 if mark in ("３３", "３４") else 0
    text = ("△" + amount(-value)) if value < 0 else amount(value)
    add(196, y, 10, text, RIGHT, MIDDLE, framed=framed, fid=f"T{i + 1:02d}A", row=i + 1,
        col=3, fmt="N", length="11")
    y += 5

# Right column: other items and the refund account.
add(155, 192, 12, "その他", CENTRE, BOTTOM, fid="S05")
others = [
    ("配偶者の合計所得金額", 0), ("専従者給与（控除）額の合計額", 0),
    ("雑所得・一時所得等の源泉徴収税額の合計額", 12_000), ("本年分で差し引く繰越損失額", 0),
]
y = 196
for i, (label, value) in enumerate(others):
    add(106, y, 7, label, LEFT, TOP, fid=f"O{i + 1:02d}L", row=i + 1, col=1)
    add(196, y, 9, amount(value), RIGHT, TOP, fid=f"O{i + 1:02d}A", row=i + 1, col=2,
        fmt="N", length="11")
    y += 5

add(155, 232, 11, "還付される税金の受取場所", CENTRE, BOTTOM, fid="R00")
refund = [
    ("銀行等", "霞が関銀行"), ("本店・支店", "虎ノ門支店"), ("預金種類", "普通"),
    ("口座番号", "1234567"), ("口座名義", "コクゼイ　タロウ"),
]
y = 236
for i, (label, value) in enumerate(refund):
    add(106, y, 8, label, LEFT, TOP, fid=f"R{i + 1:02d}L", row=i + 1, col=1)
    add(196, y, 10, value, RIGHT, TOP, framed=1 if label == "口座番号" else 0,
        fid=f"R{i + 1:02d}V", row=i + 1, col=2, length="20")
    y += 6

# Footer.
add(106, 280, 8, "税理士署名", LEFT, BOTTOM, fid="F01")
add(196, 280, 9, "税理士法第30条, 第33条の2", RIGHT, BOTTOM, fid="F02")
add(14, 280, 8, "整理欄", LEFT, BOTTOM, fid="F03")
add(40, 280, 10, "Ａ　Ｂ　Ｃ", LEFT, BOTTOM, framed=1, fid="F04")
add(105, 286, 7, "― 1 ―", CENTRE, BOTTOM, fid="F05")


def data_text(text):
    # The reader removes the first and the last byte of a text that starts
    # with a quote: such a text, and one with a comma, goes between quotes.
    if "," in text or text.startswith('"'):
        return '"' + text + '"'
    return text


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    rows = []
    for x, y, size, horz, framed, vert, fid, row, col, fmt, length, text in entries:
        assert 10 <= x <= 200 and 10 <= y <= 287, (x, y, text)
        assert 7 <= size <= 14
        rows.append([mm(x), mm(y), str(size), str(horz), str(framed), str(vert), fid, str(row),
                     str(col), fmt, length, text])
    assert 100 <= len(rows) <= 200, len(rows)
    lines = [",".join(fields[:11] + [data_text(fields[11])]) for fields in rows]
    data = "".join(line + "\r\n" for line in lines).encode("cp932")
    with open(os.path.join(here, "ocrdat.prn"), "wb") as out:
        out.write(data)
    sheet = io.StringIO()
    csv.writer(sheet, lineterminator="\r\n").writerows(rows)
    with open(os.path.join(here, "ocrdat.csv"), "wb") as out:
        out.write(sheet.getvalue().encode("utf-8"))
    print(f"{here}: ocrdat.prn and ocrdat.csv, {len(lines)} entries", file=sys.stderr)


if __name__ == "__main__":
    main()
