<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ocrprint-cli</name>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 は値をとりません。</translation>
    </message>
    <message>
        <source>cannot read the command line</source>
        <translation>コマンドラインを読み取れません。</translation>
    </message>
    <message>
        <source>unknown option %1: put -- before arguments that start with &apos;-&apos;</source>
        <translation>不明なオプション %1 です: &apos;-&apos; で始まる引数の前には -- を置いてください。</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>不明なオプション %1 です。</translation>
    </message>
    <message>
        <source>--printer and --output exclude each other</source>
        <translation>--printer と --output は同時に指定できません。</translation>
    </message>
    <message>
        <source>--format, --dpi, --offset, --paper and --printer-error set the file printer: give -o FILE too</source>
        <translation>--format, --dpi, --offset, --paper, --printer-error はファイルプリンタの設定です: -o FILE も指定してください。</translation>
    </message>
    <message>
        <source>-o - and --trace - cannot both write to standard output</source>
        <translation>-o - と --trace - の両方を標準出力に書くことはできません。</translation>
    </message>
    <message>
        <source>-o needs a file name ending in .pdf or .png, or --format</source>
        <translation>-o には .pdf か .png で終わるファイル名か、--format が必要です。</translation>
    </message>
    <message>
        <source>--offset leaves no printable area on the paper</source>
        <translation>--offset では用紙に印刷可能領域が残りません。</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>不明なコマンド %1 です。</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません。</translation>
    </message>
    <message>
        <source>%1 takes no option %2</source>
        <translation>%1 コマンドには %2 オプションはありません。</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <translation>%1 コマンドは引数をとりません。</translation>
    </message>
    <message>
        <source>%1 needs the four measured lengths X Y A B in mm</source>
        <translation>%1 コマンドには測定した4つの長さ X Y A B (mm) が必要です。</translation>
    </message>
    <message>
        <source>%1 %2 is not a length from %3 to %4 mm</source>
        <translation>%1 %2 は %3 ～ %4 mm の長さではありません。</translation>
    </message>
    <message>
        <source>%1 %2 is not a length in mm</source>
        <translation>%1 %2 は mm の長さの数ではありません。</translation>
    </message>
    <message>
        <source>%1 %2 is not a length from %3 to %4 mm: %5 used</source>
        <translation>%1 %2 は %3 ～ %4 mm の長さではありません: %5 を使います。</translation>
    </message>
    <message>
        <source>list the eight values of the settings file</source>
        <translation>設定ファイルの8つの値を表示します</translation>
    </message>
    <message>
        <source>print the measurement sheet (no correction applied)</source>
        <translation>誤差測定用紙を印刷します (調整値は適用しません)</translation>
    </message>
    <message>
        <source>--printer needs a queue name</source>
        <translation>--printer にはプリンタのキュー名が必要です。</translation>
    </message>
    <message>
        <source>-o needs a file name, or &apos;-&apos; for standard output</source>
        <translation>-o にはファイル名 (標準出力は &apos;-&apos;) が必要です。</translation>
    </message>
    <message>
        <source>--dpi needs X or XxY, each from 1 to 2400</source>
        <translation>--dpi には X または XxY (それぞれ 1 ～ 2400) が必要です。</translation>
    </message>
    <message>
        <source>file printer physical offsets in dots (default 0,0)</source>
        <translation>ファイルプリンタの物理オフセット、ドット単位 (既定 0,0)</translation>
    </message>
    <message>
        <source>--offset needs X,Y in dots, not negative</source>
        <translation>--offset には X,Y (ドット単位、負でない値) が必要です。</translation>
    </message>
    <message>
        <source>--paper needs one of A4, A3, B4, B5, Letter, Legal</source>
        <translation>--paper には A4, A3, B4, B5, Letter, Legal のいずれかが必要です。</translation>
    </message>
    <message>
        <source>--printer-error needs SX,SY,DX,DY: stretch in percent (|S| &lt; 50), shift in mm (|D| &lt; 100)</source>
        <translation>--printer-error には SX,SY,DX,DY が必要です: 伸縮はパーセント (|S| &lt; 50)、ずれは mm (|D| &lt; 100)。</translation>
    </message>
    <message>
        <source>also write the trace of the surface operations to
FILE (&apos;-&apos; for standard output)</source>
        <translation>印刷面の操作のトレースを FILE にも書き出します
(標準出力は &apos;-&apos;)</translation>
    </message>
    <message>
        <source>--trace needs a file name or &apos;-&apos;</source>
        <translation>--trace にはファイル名か &apos;-&apos; が必要です。</translation>
    </message>
    <message>
        <source>the data file (&apos;-&apos; for standard input; default:
ocrdat.prn, found as the program finds it)</source>
        <translation>データファイル (標準入力は &apos;-&apos;。既定: プログラムと
同じ場所の ocrdat.prn)</translation>
    </message>
    <message>
        <source>--data needs a file name, or &apos;-&apos; for standard input</source>
        <translation>--data にはファイル名 (標準入力は &apos;-&apos;) が必要です。</translation>
    </message>
    <message>
        <source>the settings file (default: ocrprn2.ini, found as
the program finds it)</source>
        <translation>設定ファイル (既定: プログラムと同じ場所の
ocrprn2.ini)</translation>
    </message>
    <message>
        <source>--settings needs a file name</source>
        <translation>--settings にはファイル名が必要です。</translation>
    </message>
    <message>
        <source>show this help</source>
        <translation>このヘルプを表示します</translation>
    </message>
    <message>
        <source>show the version</source>
        <translation>バージョンを表示します</translation>
    </message>
    <message>
        <source>Exit status: 0 done; 1 an error; 2 a usage error.</source>
        <translation>終了ステータス: 0 完了、1 エラー、2 使い方の誤り。</translation>
    </message>
    <message>
        <source>Usage: ocrprint-cli COMMAND [OPTIONS]
       ocrprint-cli COMMAND --help   (the options of one command)</source>
        <translation>使い方: ocrprint-cli コマンド [オプション]
        ocrprint-cli コマンド --help   (コマンドごとのオプション)</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>コマンド:</translation>
    </message>
    <message>
        <source>Options (each command takes those it needs):</source>
        <translation>オプション (各コマンドは必要なものをとります):</translation>
    </message>
    <message>
        <source>Usage: %1 [OPTIONS]</source>
        <translation>使い方: %1 [オプション]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>Try &apos;ocrprint-cli --help&apos;.</source>
        <translation>詳しくは &apos;ocrprint-cli --help&apos; を実行してください。</translation>
    </message>
    <message>
        <source>field %1 is empty</source>
        <translation>項目 %1 が空です。</translation>
    </message>
    <message>
        <source>print the declaration (ocrdat.prn) as the Print
button does</source>
        <translation>印刷ボタンと同じように申告書 (ocrdat.prn) を
印刷します</translation>
    </message>
    <message>
        <source>print the test sheet corrected from the lengths
measured on the sheet, in mm; writes no settings</source>
        <translation>用紙で測定した長さ (mm) で調整したテスト印刷を
行います。設定は保存しません</translation>
    </message>
    <message>
        <source>print on this queue (default: the system&apos;s default)</source>
        <translation>このキューで印刷します (既定: システムの既定)</translation>
    </message>
    <message>
        <source>print on the file printer instead, writing FILE
(&apos;-&apos; for standard output)</source>
        <translation>代わりにファイルプリンタで FILE に書き出します
(標準出力は &apos;-&apos;)</translation>
    </message>
    <message>
        <source>file printer resolution (default 600; X sets both)</source>
        <translation>ファイルプリンタの解像度 (既定 600。X のみで両方)</translation>
    </message>
    <message>
        <source>file printer paper: A4 (default), A3, B4, B5, Letter,
Legal</source>
        <translation>ファイルプリンタの用紙: A4 (既定), A3, B4, B5, Letter,
Legal</translation>
    </message>
    <message>
        <source>make the file printer err like a real one: stretch by
SX, SY percent about the paper&apos;s corner (|S| &lt; 50),
then shift by DX, DY mm (|D| &lt; 100; + is right, down);
default 0,0,0,0</source>
        <translation>ファイルプリンタに実機のような誤差を与えます: 用紙の
左上を中心に SX, SY パーセント伸縮し (|S| &lt; 50)、
DX, DY mm ずらします (|D| &lt; 100。+ は右と下)。
既定 0,0,0,0</translation>
    </message>
    <message>
        <source>no entry of the data file puts anything on the page: it is printed blank</source>
        <translation>データファイルには用紙に何かを印刷する項目がありません: 白紙で印刷されます。</translation>
    </message>
    <message>
        <source>request id is %1-%2 (1 file(s))</source>
        <translation>リクエスト ID は %1-%2 です (1 個のファイル)。</translation>
    </message>
    <message>
        <source>--form-dpi needs --form</source>
        <translation>--form-dpi には --form が必要です。</translation>
    </message>
    <message>
        <source>convert needs -o OUT</source>
        <translation>convert コマンドには -o OUT が必要です。</translation>
    </message>
    <message>
        <source>preview needs -o OUT.png or -o OUT.pdf</source>
        <translation>preview コマンドには -o OUT.png か -o OUT.pdf が必要です。</translation>
    </message>
    <message>
        <source>--printer and --dpi, --offset, --paper exclude each other</source>
        <translation>--printer と --dpi, --offset, --paper は同時に指定できません。</translation>
    </message>
    <message>
        <source>%1 needs one input file IN</source>
        <translation>%1 コマンドには入力ファイル IN が1つ必要です。</translation>
    </message>
    <message>
        <source>list the lines of the data file that would not print
(errors) and the entries that print but look wrong
(warnings), as PATH:LINE:</source>
        <translation>データファイルのうち印刷されない行 (エラー) と、
印刷されるが見た目のおかしい項目 (警告) を
PATH:LINE: の形で表示します</translation>
    </message>
    <message>
        <source>draw the declaration where it lands on the paper, over
a scan of the blank form, check&apos;s warnings in red; -o
OUT.png or OUT.pdf</source>
        <translation>申告書を用紙上の印刷される位置に、白紙の用紙の
スキャン画像に重ねて描きます (check の警告は赤)。
-o OUT.png または OUT.pdf</translation>
    </message>
    <message>
        <source>write IN as a data file the program prints as it is
(code page 932, CR LF) to -o OUT</source>
        <translation>IN をプログラムがそのまま印刷できるデータファイル
(コードページ 932、CR LF) にして -o OUT に書きます</translation>
    </message>
    <message>
        <source>what the file printer writes (default: FILE&apos;s suffix;
pdf on standard output); check: text or json</source>
        <translation>ファイルプリンタの出力形式 (既定: FILE の拡張子。
標準出力では pdf)。check では text か json</translation>
    </message>
    <message>
        <source>--format needs pdf or png (check: text or json)</source>
        <translation>--format には pdf か png が必要です (check では text か json)。</translation>
    </message>
    <message>
        <source>the data file&apos;s encoding (default cp932); UTF-8 is
converted as the program would read it saved in cp932</source>
        <translation>データファイルの文字コード (既定 cp932)。UTF-8 は
cp932 で保存したものをプログラムが読むのと同じに
変換します</translation>
    </message>
    <message>
        <source>--encoding needs cp932 or utf-8</source>
        <translation>--encoding には cp932 か utf-8 が必要です。</translation>
    </message>
    <message>
        <source>convert: IN&apos;s encoding (default utf-8)</source>
        <translation>convert: IN の文字コード (既定 utf-8)</translation>
    </message>
    <message>
        <source>--from needs cp932 or utf-8</source>
        <translation>--from には cp932 か utf-8 が必要です。</translation>
    </message>
    <message>
        <source>convert: IN is a spreadsheet&apos;s CSV of 12 columns,
one row per entry</source>
        <translation>convert: IN は表計算ソフトの 12 列の CSV
(1 行に 1 項目)</translation>
    </message>
    <message>
        <source>check: warnings fail too (exit 1)</source>
        <translation>check: 警告も失敗とします (終了ステータス 1)</translation>
    </message>
    <message>
        <source>preview: the scan of the blank form (PNG, JPEG, PDF)</source>
        <translation>preview: 白紙の用紙のスキャン画像 (PNG, JPEG, PDF)</translation>
    </message>
    <message>
        <source>--form needs an image file</source>
        <translation>--form には画像ファイルが必要です。</translation>
    </message>
    <message>
        <source>preview: the form&apos;s resolution (default: the image&apos;s)</source>
        <translation>preview: 用紙画像の解像度 (既定: 画像に記録された値)</translation>
    </message>
    <message>
        <source>--form-dpi needs the form&apos;s resolution, from 10 to 10000</source>
        <translation>--form-dpi には用紙画像の解像度 (10 ～ 10000) が必要です。</translation>
    </message>
    <message>
        <source>field %1 is empty: the line is skipped</source>
        <translation>項目 %1 が空です: この行は飛ばされます。</translation>
    </message>
    <message>
        <source>the text cell (x %1 to %2 mm, y %3 to %4 mm) lies wholly outside the paper (%5 x %6 mm)</source>
        <translation>文字枠 (x %1 ～ %2 mm、y %3 ～ %4 mm) が用紙 (%5 x %6 mm) の完全に外にあります。</translation>
    </message>
    <message>
        <source>the text cell (x %1 to %2 mm, y %3 to %4 mm) lies partly outside the paper (%5 x %6 mm)</source>
        <translation>文字枠 (x %1 ～ %2 mm、y %3 ～ %4 mm) が用紙 (%5 x %6 mm) から一部はみ出しています。</translation>
    </message>
    <message>
        <source>the text cell (x %1 to %2 mm, y %3 to %4 mm) reaches outside the printable area (x %5 to %6 mm, y %7 to %8 mm): the printer cuts it off</source>
        <translation>文字枠 (x %1 ～ %2 mm、y %3 ～ %4 mm) が印刷可能領域 (x %5 ～ %6 mm、y %7 ～ %8 mm) からはみ出しています: はみ出た部分はプリンタが印刷しません。</translation>
    </message>
    <message>
        <source>font size %1 pt is not from 1 to 200</source>
        <translation>フォントサイズ %1 pt が 1 ～ 200 の範囲にありません。</translation>
    </message>
    <message>
        <source>horizontal alignment %1 is not 1, 2 or 3</source>
        <translation>横方向の配置 %1 が 1, 2, 3 のいずれでもありません。</translation>
    </message>
    <message>
        <source>vertical alignment %1 is not 1, 2 or 3</source>
        <translation>縦方向の配置 %1 が 1, 2, 3 のいずれでもありません。</translation>
    </message>
    <message>
        <source>Framed %1 is neither 0 nor 1: no frame is drawn</source>
        <translation>Framed %1 が 0 でも 1 でもありません: 枠は描かれません。</translation>
    </message>
    <message>
        <source>bytes %1 are not code page 932: they print garbled</source>
        <translation>バイト %1 はコードページ 932 ではありません: 文字化けして印刷されます。</translation>
    </message>
    <message>
        <source>no installed font can print &quot;%1&quot; (U+%2): the declaration does not print</source>
        <translation>「%1」(U+%2) を印刷できるフォントがありません: 申告書は印刷されません。</translation>
    </message>
    <message>
        <source>the text cell overlaps that of line %1</source>
        <translation>文字枠が %1 行目の文字枠と重なっています。</translation>
    </message>
    <message>
        <source>the line is longer than 254 bytes: it is read in pieces of 255 bytes, each one as a line of its own</source>
        <translation>この行は 254 バイトより長いです: 255 バイトずつに分けて読まれ、それぞれが別の行として扱われます。</translation>
    </message>
    <message>
        <source>the file begins with a UTF-8 byte-order mark: it is likely UTF-8, not code page 932; read it with --encoding utf-8, or turn it into code page 932 with ocrprint-cli convert</source>
        <translation>ファイルが UTF-8 のバイト順マークで始まっています: コードページ 932 ではなく UTF-8 と思われます。--encoding utf-8 で読むか、ocrprint-cli convert でコードページ 932 に変換してください。</translation>
    </message>
    <message>
        <source>the file is valid UTF-8 with multi-byte characters: it is likely UTF-8, not code page 932; read it with --encoding utf-8, or turn it into code page 932 with ocrprint-cli convert</source>
        <translation>ファイルはマルチバイト文字を含む正しい UTF-8 です: コードページ 932 ではなく UTF-8 と思われます。--encoding utf-8 で読むか、ocrprint-cli convert でコードページ 932 に変換してください。</translation>
    </message>
    <message>
        <source>the line has no line end: its text prints as &quot;%1&quot;, not &quot;%2&quot;</source>
        <translation>行末に改行がありません: 文字列は「%2」ではなく「%1」と印刷されます。</translation>
    </message>
    <message>
        <source>a NUL byte ends the line early: its text prints as &quot;%1&quot;, not &quot;%2&quot;</source>
        <translation>NUL バイトで行が途中で終わります: 文字列は「%2」ではなく「%1」と印刷されます。</translation>
    </message>
    <message>
        <source>the line is cut after 255 bytes: the text of this piece prints as &quot;%1&quot;, not &quot;%2&quot;</source>
        <translation>行が 255 バイトで切られます: この部分の文字列は「%2」ではなく「%1」と印刷されます。</translation>
    </message>
    <message>
        <source>the text&apos;s opening double quote is not closed: its last character is dropped, it prints as &quot;%1&quot;, not &quot;%2&quot;</source>
        <translation>文字列の先頭の二重引用符が閉じられていません: 最後の文字が落ち、「%2」ではなく「%1」と印刷されます。</translation>
    </message>
    <message>
        <source>a byte 0x1A ends the data here: the rest of the file (%1 bytes) is not read</source>
        <translation>バイト 0x1A でデータが終わります: ファイルの残り (%1 バイト) は読まれません。</translation>
    </message>
    <message>
        <source>no entry puts anything on the page: the declaration prints blank</source>
        <translation>用紙に何かを印刷する項目がありません: 申告書は白紙で印刷されます。</translation>
    </message>
    <message>
        <source>cannot reach the default printer (%1): the entries are judged on %2 paper (%3 x %4 mm) at %5x%6 dpi without margins; name the printer with --printer, or describe it with --paper, --dpi and --offset</source>
        <translation>デフォルト プリンタに接続できません（%1）: 項目は余白のない %2 用紙 (%3 x %4 mm)、%5x%6 dpi で判定されます。--printer でプリンタを指定するか、--paper、--dpi、--offset でその用紙と解像度を指定してください。</translation>
    </message>
    <message numerus="yes">
        <source>the data file has %n error(s) that check lists: the declaration does not print as previewed</source>
        <translation>
            <numerusform>データファイルには check が示すエラーが %n 件あります: 申告書はプレビューのとおりには印刷されません。</numerusform>
        </translation>
    </message>
    <message>
        <source>cannot load the PDF form reader: %1</source>
        <translation>PDF の用紙画像を読み取る部品を読み込めません（%1）。</translation>
    </message>
    <message>
        <source>row %1 is not CSV: a quote stands inside a field or is never closed</source>
        <translation>%1 行目は CSV ではありません: 項目の途中に引用符があるか、引用符が閉じていません。</translation>
    </message>
    <message>
        <source>row %1 has %2 columns; a data file line has 12</source>
        <translation>%1 行目は %2 列です。データファイルの行は 12 列です。</translation>
    </message>
    <message>
        <source>row %1: field %2 holds a comma or a quote, which only the text (field 12) may hold</source>
        <translation>%1 行目: 項目 %2 にコンマか引用符があります。これらを含められるのは文字列 (項目 12) だけです。</translation>
    </message>
    <message>
        <source>row %1: field %2 holds a line break</source>
        <translation>%1 行目: 項目 %2 に改行があります。</translation>
    </message>
    <message>
        <source>row %1: field %2 holds the byte 0x1A, at which the program stops reading</source>
        <translation>%1 行目: 項目 %2 にバイト 0x1A があります。プログラムはそこで読み取りをやめます。</translation>
    </message>
    <message>
        <source>row %1: field %2 holds a NUL byte, at which the program cuts the line</source>
        <translation>%1 行目: 項目 %2 に NUL バイトがあります。プログラムはそこで行を切ります。</translation>
    </message>
    <message>
        <source>row %1 makes a line of %2 bytes; the program reads at most %3 at once</source>
        <translation>%1 行目は %2 バイトの行になります。プログラムが一度に読むのは %3 バイトまでです。</translation>
    </message>
    <message>
        <source>row %1: out of memory</source>
        <translation>%1 行目: メモリが足りません。</translation>
    </message>
    <message>
        <source>cannot load the CSV reader: %1</source>
        <translation>CSV を読み取る部品を読み込めません（%1）。</translation>
    </message>
    <message>
        <source>error: </source>
        <translation>error: </translation>
    </message>
    <message>
        <source>byte 0x%1 is not UTF-8</source>
        <translation>バイト 0x%1 は UTF-8 ではありません。</translation>
    </message>
    <message>
        <source>U+%1 has no code page 932 form</source>
        <translation>U+%1 にはコードページ 932 の表現がありません。</translation>
    </message>
    <message>
        <source>cannot write it</source>
        <translation>書き込めません。</translation>
    </message>
    <message>
        <source>written</source>
        <translation>書き込みました。</translation>
    </message>
    <message>
        <source>%1 is another output of the command: not written</source>
        <translation>%1 はこのコマンドの別の出力です: 書き込みません。</translation>
    </message>
    <message>
        <source>%1 is the form image: not written</source>
        <translation>%1 は用紙の画像です: 書き込みません。</translation>
    </message>
    <message>
        <source>%1 is the input file: not written</source>
        <translation>%1 は入力ファイルです: 書き込みません。</translation>
    </message>
    <message>
        <source>%1 is the data file: not written</source>
        <translation>%1 はデータファイルです: 書き込みません。</translation>
    </message>
    <message>
        <source>%1 is the settings file: not written</source>
        <translation>%1 は設定ファイルです: 書き込みません。</translation>
    </message>
    <message>
        <source>cannot write the trace to standard output: %1</source>
        <translation>トレースを標準出力に書き込めません（%1）。</translation>
    </message>
    <message>
        <source>cannot write the trace: %1</source>
        <translation>トレースを書き込めません（%1）。</translation>
    </message>
    <message>
        <source>ignored: it belongs to another user, who could have planted it</source>
        <translation>無視しました: 他のユーザーが所有しており、仕込まれたおそれがあります。</translation>
    </message>
    <message>
        <source>ignored: others may write to it (chmod go-w %1)</source>
        <translation>無視しました: 他のユーザーが書き込めます (chmod go-w %1)。</translation>
    </message>
    <message>
        <source>cannot save the settings: %1</source>
        <translation>設定を保存できません（%1）。</translation>
    </message>
    <message>
        <source>cannot write standard output: %1</source>
        <translation>標準出力に書き込めません（%1）。</translation>
    </message>
    <message>
        <source>what the file printer writes (default: FILE&apos;s suffix;
pdf on standard output)</source>
        <translation>ファイルプリンタが書き出す形式 (既定: FILE の拡張子。
標準出力では pdf)</translation>
    </message>
    <message>
        <source>--format needs pdf or png</source>
        <translation>--format には pdf か png が必要です。</translation>
    </message>
    <message>
        <source>how the findings are written: PATH:LINE: lines
(text, the default) or one JSON object a line</source>
        <translation>指摘の書き方: PATH:LINE: の行 (text、既定) か
1 行に 1 つの JSON オブジェクト (json)</translation>
    </message>
    <message>
        <source>--format needs text or json</source>
        <translation>--format には text か json が必要です。</translation>
    </message>
    <message>
        <source>the data file written (code page 932, CR LF)</source>
        <translation>書き出すデータファイル (コードページ 932、CR LF)</translation>
    </message>
    <message>
        <source>the picture written, FILE.png or FILE.pdf
(&apos;-&apos; for standard output, with --format)</source>
        <translation>書き出す画像、FILE.png か FILE.pdf
(標準出力は &apos;-&apos;、--format と共に)</translation>
    </message>
    <message>
        <source>judge the entries on this queue&apos;s paper and margins
(default: the system&apos;s default)</source>
        <translation>このキューの用紙と余白で項目を判定します
(既定: システムの既定)</translation>
    </message>
    <message>
        <source>cannot read it</source>
        <translation>読み取れません。</translation>
    </message>
    <message>
        <source>cannot write it: %1</source>
        <translation>書き込めません（%1）。</translation>
    </message>
    <message>
        <source>standard input holds more than %1 MiB of data: nothing is read</source>
        <translation>標準入力のデータが %1 MiB を超えています: 何も読み込みません。</translation>
    </message>
    <message>
        <source>cannot read the data from standard input: %1</source>
        <translation>標準入力からデータを読み取れません（%1）。</translation>
    </message>
    <message>
        <source>cannot read the PDF form</source>
        <translation>PDF の用紙画像を読み取れません。</translation>
    </message>
    <message>
        <source>cannot render the PDF form</source>
        <translation>PDF の用紙画像を描画できません。</translation>
    </message>
    <message>
        <source>this ocrprint-cli was built without poppler-qt6 and cannot read a PDF form: give a PNG or JPEG scan</source>
        <translation>この ocrprint-cli は poppler-qt6 なしでビルドされており、PDF の用紙画像を読み取れません: PNG か JPEG のスキャン画像を指定してください。</translation>
    </message>
    <message>
        <source>cannot read the form: %1</source>
        <translation>用紙画像を読み取れません（%1）。</translation>
    </message>
    <message>
        <source>the form records no resolution: give it with --form-dpi</source>
        <translation>用紙画像には解像度が記録されていません: --form-dpi で指定してください。</translation>
    </message>
    <message>
        <source>the form records no usable resolution: give it with --form-dpi</source>
        <translation>用紙画像に記録された解像度は使えません: --form-dpi で指定してください。</translation>
    </message>
    <message>
        <source>ask this queue for its resolution and offsets
(default: the system&apos;s default)</source>
        <translation>このキューに解像度とオフセットを問い合わせます
(既定: システムの既定)</translation>
    </message>
    <message>
        <source>no measurement sheet found on the scan: lay the printed sheet on the glass, face down, a few millimetres from its edges, and scan the whole glass</source>
        <translation>スキャンに測定用紙が見つかりません: 印刷した測定用紙を原稿台の端から数ミリ離して下向きに置き、原稿台全体をスキャンしてください。</translation>
    </message>
    <message>
        <source>the paper&apos;s edges are not visible against the scanner&apos;s background: scan with the lid open, or with a dark sheet behind the page</source>
        <translation>用紙の端がスキャナの背景と見分けられません: ふたを開けたまま、または用紙の裏に黒い紙を重ねてスキャンしてください。</translation>
    </message>
    <message>
        <source>the page is cut off by the edge of the glass: move the sheet a few millimetres away from the glass&apos;s edges and scan the whole glass</source>
        <translation>用紙が原稿台の端で切れています: 用紙を原稿台の端から数ミリ離し、原稿台全体をスキャンしてください。</translation>
    </message>
    <message>
        <source>the sheet lies %1° turned on the glass: lay it straight and scan it again</source>
        <translation>用紙が原稿台の上で %1° 傾いています: まっすぐに置いてスキャンし直してください。</translation>
    </message>
    <message>
        <source>the figure is printed %1° skewed against the paper&apos;s edges, more than %2°: set the printer&apos;s paper guides against the paper and print the sheet again</source>
        <translation>図形が用紙の端に対して %1° 傾いて印刷されています (%2° を超えています): プリンタの用紙ガイドを用紙に合わせて測定用紙を印刷し直してください。</translation>
    </message>
    <message>
        <source>the sheet&apos;s lines are too faint or doubled: print the measurement sheet again (toner saving off) and scan it in grey or colour at 300 dpi or more</source>
        <translation>測定用紙の線が薄すぎるか二重になっています: 測定用紙を (トナー節約を切って) 印刷し直し、グレーかカラーの 300 dpi 以上でスキャンしてください。</translation>
    </message>
    <message>
        <source>warning: the printer fed the paper %1° crooked; the lengths are measured along the figure, but set the paper guides against the paper before printing</source>
        <translation>警告: プリンタが用紙を %1° 斜めに送っています。長さは図形に沿って測りましたが、印刷の前に用紙ガイドを用紙に合わせてください。</translation>
    </message>
    <message>
        <source>calibrate --scan takes no lengths X Y A B</source>
        <translation>calibrate --scan には長さ X Y A B を指定しません。</translation>
    </message>
    <message>
        <source>measure needs one scan SCAN, or &apos;-&apos; for standard input</source>
        <translation>measure にはスキャン SCAN を1つ (標準入力なら &apos;-&apos;) 指定してください。</translation>
    </message>
    <message>
        <source>derive the corrections from the measured lengths as
the dialogs&apos; done and OK buttons do, save them to the
settings file and list the eight values; prints nothing;
with --scan SCAN, the lengths measured on the scan</source>
        <translation>測定した長さから調整値を求め (ダイアログの完了と
OK ボタンと同じ)、設定ファイルに保存して8つの値を
表示します。印刷はしません。--scan SCAN では
スキャンで測った長さを使います</translation>
    </message>
    <message>
        <source>measure X, Y, A and B on a scan of the printed measurement
sheet (PNG, JPEG, TIFF, PDF; &apos;-&apos; for standard input), in
mm, with the figure&apos;s skew in degrees and the residual</source>
        <translation>印刷した測定用紙のスキャン (PNG、JPEG、TIFF、PDF。
標準入力なら &apos;-&apos;) で X、Y、A、B を mm で測り、図形の
傾き (度) と当てはめの残差を表示します</translation>
    </message>
    <message>
        <source>calibrate: the lengths measured on this scan of the
sheet instead of X Y A B (&apos;-&apos; for standard input)</source>
        <translation>calibrate: X Y A B の代わりに、測定用紙のこのスキャンで
測った長さを使います (標準入力なら &apos;-&apos;)</translation>
    </message>
    <message>
        <source>--scan needs a scan file, or &apos;-&apos; for standard input</source>
        <translation>--scan にはスキャンのファイル名 (標準入力なら &apos;-&apos;) が必要です</translation>
    </message>
    <message>
        <source>the scan&apos;s resolution (default: the one it records)</source>
        <translation>スキャンの解像度 (既定: ファイルに記録された値)</translation>
    </message>
    <message>
        <source>--scan-dpi needs the scan&apos;s resolution, from 100 to 10000</source>
        <translation>--scan-dpi にはスキャンの解像度 (100 から 10000) が必要です</translation>
    </message>
    <message>
        <source>the scanner&apos;s own stretch in percent, taken out of
the lengths (default 0,0)</source>
        <translation>スキャナ自身の伸び (パーセント)。長さから
取り除きます (既定 0,0)</translation>
    </message>
    <message>
        <source>--scan-scale needs SX,SY: the scanner&apos;s stretch in percent (|S| &lt; 5)</source>
        <translation>--scan-scale には SX,SY (スキャナの伸び、パーセント、|S| &lt; 5) が必要です</translation>
    </message>
    <message>
        <source>cannot read the scan</source>
        <translation>スキャンを読み込めません。</translation>
    </message>
    <message>
        <source>cannot read the scan (%1): save it as PNG, JPEG, TIFF or PDF</source>
        <translation>スキャンを読み込めません (%1): PNG、JPEG、TIFF、PDF のいずれかで保存してください。</translation>
    </message>
    <message>
        <source>the scan records no resolution: give the one it was scanned at with --scan-dpi N</source>
        <translation>スキャンに解像度が記録されていません: スキャンした解像度を --scan-dpi N で指定してください。</translation>
    </message>
    <message>
        <source>--scan-dpi and --scan-scale need --scan</source>
        <translation>--scan-dpi と --scan-scale には --scan が必要です</translation>
    </message>
    <message>
        <source>usage: ocrprint [--help | --version]
Opens the window &quot;%1&quot;: prints the OCR declaration form from ocrdat.prn onto
pre-printed paper and corrects the printer&apos;s misalignment.
  -h, --help  show this help and exit
  --version   show the version and exit
Needs a display (DISPLAY or WAYLAND_DISPLAY). The same jobs without a window:
ocrprint-cli --help. Manual: man ocrprint.
</source>
        <translation>使い方: ocrprint [--help | --version]
ウィンドウ「%1」を開きます: ocrdat.prn の OCR 申告書を印刷済みの用紙に印刷し、
プリンタの位置ずれを補正します。
  -h, --help  このヘルプを表示して終了します
  --version   バージョンを表示して終了します
ディスプレイ (DISPLAY または WAYLAND_DISPLAY) が必要です。ウィンドウなしで同じ処理を行うには:
ocrprint-cli --help。マニュアル: man ocrprint。
</translation>
    </message>
    <message>
        <source>unexpected argument %1: the window opens ocrdat.prn itself; try &apos;ocrprint --help&apos;</source>
        <translation>余分な引数 %1 があります: ウィンドウは ocrdat.prn を自分で開きます。詳しくは &apos;ocrprint --help&apos; を実行してください。</translation>
    </message>
    <message>
        <source>unknown option %1; try &apos;ocrprint --help&apos;</source>
        <translation>不明なオプション %1 です。詳しくは &apos;ocrprint --help&apos; を実行してください。</translation>
    </message>
    <message>
        <source>ignored: it is a directory</source>
        <translation>無視しました: ディレクトリです。</translation>
    </message>
    <message>
        <source>ignored: it is a FIFO</source>
        <translation>無視しました: FIFO です。</translation>
    </message>
    <message>
        <source>ignored: it is a symbolic link</source>
        <translation>無視しました: シンボリックリンクです。</translation>
    </message>
    <message>
        <source>ignored: cannot read it: %1</source>
        <translation>無視しました: 読み取れません（%1）。</translation>
    </message>
    <message>
        <source>ignored: it is not a regular file</source>
        <translation>無視しました: 通常のファイルではありません。</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not a number: %3 taken</source>
        <translation>%1 の「%2」は数値ではありません: %3 を使います。</translation>
    </message>
    <message>
        <source>%1 starts with a byte-order mark, so &quot;%2&quot; is not a number: %3 taken</source>
        <translation>%1 がバイトオーダーマークで始まるため「%2」は数値ではありません: %3 を使います。</translation>
    </message>
    <message>
        <source>longer than %1 bytes: %2 %3 taken from them, the rest is read as %4</source>
        <translation>%1 バイトを超える行です: その %1 バイトから %2 に %3 を使い、残りは %4 として読みます。</translation>
    </message>
    <message>
        <source>cannot read the settings file: it does not exist</source>
        <translation>設定ファイルを読み取れません: 存在しません。</translation>
    </message>
    <message>
        <source>cannot read the settings file: it is a directory</source>
        <translation>設定ファイルを読み取れません: ディレクトリです。</translation>
    </message>
    <message>
        <source>cannot read the settings file: it is a FIFO</source>
        <translation>設定ファイルを読み取れません: FIFO です。</translation>
    </message>
    <message>
        <source>cannot read the settings file: it is not a regular file</source>
        <translation>設定ファイルを読み取れません: 通常のファイルではありません。</translation>
    </message>
    <message>
        <source>settings file used: %1 does not exist, and an earlier release kept the settings here (the next save writes %1)</source>
        <translation>この設定ファイルを使います: %1 がなく、以前のリリースがここに設定を保存していました (次の保存は %1 に書き込みます)。</translation>
    </message>
    <message>
        <source>no settings file: defaults (neither %1 nor %2 exists)</source>
        <translation>設定ファイルがありません: 既定値を使います (%1 も %2 もありません)。</translation>
    </message>
    <message>
        <source>no settings file: defaults (%1 does not exist)</source>
        <translation>設定ファイルがありません: 既定値を使います (%1 がありません)。</translation>
    </message>
    <message>
        <source>no settings file: defaults</source>
        <translation>設定ファイルがありません: 既定値を使います。</translation>
    </message>
    <message>
        <source>settings read</source>
        <translation>設定を読み込みました。</translation>
    </message>
    <message>
        <source>list the eight values of the printer&apos;s calibration;
with --all, of every printer&apos;s</source>
        <translation>プリンタの調整値 (8つの値) を表示します
(--all: すべてのプリンタの調整値)</translation>
    </message>
    <message>
        <source>remove the calibration kept for QUEUE (one deleted
from CUPS keeps it until then)</source>
        <translation>QUEUE の調整値を削除します (CUPS から削除した
キューの調整値もそれまで残ります)</translation>
    </message>
    <message>
        <source>show: every printer&apos;s calibration</source>
        <translation>show: すべてのプリンタの調整値</translation>
    </message>
    <message>
        <source>this queue&apos;s calibration (default: the system&apos;s
default)</source>
        <translation>このキューの調整値 (既定: システムの
既定)</translation>
    </message>
    <message>
        <source>forget needs one queue QUEUE</source>
        <translation>forget にはキュー QUEUE が1つ必要です</translation>
    </message>
    <message>
        <source>taken as the calibration of printer %1 (once; each printer keeps its own from now on)</source>
        <translation>プリンタ %1 の調整値として引き継ぎました (一度だけです。以後は各プリンタが自分の調整値を持ちます)。</translation>
    </message>
    <message>
        <source>printer %1 has no calibration: no correction is applied (ocrprint-cli calibrate --printer %1)</source>
        <translation>プリンタ %1 には調整値がありません: 補正なしで使います (ocrprint-cli calibrate --printer %1)。</translation>
    </message>
    <message>
        <source>cannot remove it: %1</source>
        <translation>削除できません（%1）。</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>削除しました。</translation>
    </message>
</context>
</TS>
