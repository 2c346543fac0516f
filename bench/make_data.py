#!/usr/bin/env python3
"""Writes a data file of N entries (Shift-JIS, CR LF) spread over an A4 page."""
import sys

def main():
    count, path = int(sys.argv[1]), sys.argv[2]
    names = ["山田 太郎", "東京都千代田区霞が関3-1-1", "1,234,567", "給与所得", "ＯＣＲ申告書", "整理番号 0123"]
    with open(path, "wb") as out:
        for i in range(count):
            x = 15 + (i * 37) % 180
            y = 15 + (i * 11) % 270
            text = names[i % len(names)]
            framed = 1 if i % 7 == 0 else 0
            line = f"{x}.{i % 10},{y}.{(i * 3) % 10},{8 + i % 6},{1 + i % 3},{framed},{1 + (i // 3) % 3},f{i},1,1,,,{text}\r\n"
            out.write(line.encode("cp932"))

if __name__ == "__main__":
    main()
