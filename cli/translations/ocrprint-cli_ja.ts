<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ocrprint-cli</name>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 は値をとりません</translation>
    </message>
    <message>
        <source>cannot read the command line</source>
        <translation>コマンドラインを読み取れません</translation>
    </message>
    <message>
        <source>unknown option %1: put -- before arguments that start with &apos;-&apos;</source>
        <translation>不明なオプション %1 です: &apos;-&apos; で始まる引数の前には -- を置いてください</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>不明なオプション %1 です</translation>
    </message>
    <message>
        <source>--printer and --output exclude each other</source>
        <translation>--printer と --output は同時に指定できません</translation>
    </message>
    <message>
        <source>--format, --dpi, --offset, --paper and --printer-error set the file printer: give -o FILE too</source>
        <translation>--format, --dpi, --offset, --paper, --printer-error はファイルプリンタの設定です: -o FILE も指定してください</translation>
    </message>
    <message>
        <source>-o - and --trace - cannot both write to standard output</source>
        <translation>-o - と --trace - の両方を標準出力に書くことはできません</translation>
    </message>
    <message>
        <source>-o needs a file name ending in .pdf or .png, or --format</source>
        <translation>-o には .pdf か .png で終わるファイル名か、--format が必要です</translation>
    </message>
    <message>
        <source>--offset leaves no printable area on the paper</source>
        <translation>--offset では用紙に印刷可能領域が残りません</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>不明なコマンド %1 です</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません</translation>
    </message>
    <message>
        <source>%1 takes no option %2</source>
        <translation>%1 コマンドには %2 オプションはありません</translation>
    </message>
    <message>
        <source>%1 takes no arguments</source>
        <translation>%1 コマンドは引数をとりません</translation>
    </message>
    <message>
        <source>%1 needs the four measured lengths X Y A B in mm</source>
        <translation>%1 コマンドには測定した4つの長さ X Y A B (mm) が必要です</translation>
    </message>
    <message>
        <source>cannot read the data from standard input</source>
        <translation>標準入力からデータを読み取れません</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>%1 %2 is not a length from %3 to %4 mm: %5 used</source>
        <translation>%1 %2 は %3 ～ %4 mm の長さではありません: %5 を使います</translation>
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
        <translation>--printer にはプリンタのキュー名が必要です</translation>
    </message>
    <message>
        <source>-o needs a file name, or &apos;-&apos; for standard output</source>
        <translation>-o にはファイル名 (標準出力は &apos;-&apos;) が必要です</translation>
    </message>
    <message>
        <source>--format needs pdf or png</source>
        <translation>--format には pdf か png が必要です</translation>
    </message>
    <message>
        <source>--dpi needs X or XxY, each from 1 to 2400</source>
        <translation>--dpi には X または XxY (それぞれ 1 ～ 2400) が必要です</translation>
    </message>
    <message>
        <source>file printer physical offsets in dots (default 0,0)</source>
        <translation>ファイルプリンタの物理オフセット、ドット単位 (既定 0,0)</translation>
    </message>
    <message>
        <source>--offset needs X,Y in dots, not negative</source>
        <translation>--offset には X,Y (ドット単位、負でない値) が必要です</translation>
    </message>
    <message>
        <source>--paper needs one of A4, A3, B4, B5, Letter, Legal</source>
        <translation>--paper には A4, A3, B4, B5, Letter, Legal のいずれかが必要です</translation>
    </message>
    <message>
        <source>--printer-error needs SX,SY,DX,DY: stretch in percent (|S| &lt; 50), shift in mm (|D| &lt; 100)</source>
        <translation>--printer-error には SX,SY,DX,DY が必要です: 伸縮はパーセント (|S| &lt; 50)、ずれは mm (|D| &lt; 100)</translation>
    </message>
    <message>
        <source>also write the trace of the surface operations to
FILE (&apos;-&apos; for standard output)</source>
        <translation>印刷面の操作のトレースを FILE にも書き出します
(標準出力は &apos;-&apos;)</translation>
    </message>
    <message>
        <source>--trace needs a file name or &apos;-&apos;</source>
        <translation>--trace にはファイル名か &apos;-&apos; が必要です</translation>
    </message>
    <message>
        <source>the data file (&apos;-&apos; for standard input; default:
ocrdat.prn, found as the program finds it)</source>
        <translation>データファイル (標準入力は &apos;-&apos;。既定: プログラムと
同じ場所の ocrdat.prn)</translation>
    </message>
    <message>
        <source>--data needs a file name, or &apos;-&apos; for standard input</source>
        <translation>--data にはファイル名 (標準入力は &apos;-&apos;) が必要です</translation>
    </message>
    <message>
        <source>the settings file (default: ocrprn2.ini, found as
the program finds it)</source>
        <translation>設定ファイル (既定: プログラムと同じ場所の
ocrprn2.ini)</translation>
    </message>
    <message>
        <source>--settings needs a file name</source>
        <translation>--settings にはファイル名が必要です</translation>
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
        <translation>終了ステータス: 0 完了、1 エラー、2 使い方の誤り</translation>
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
        <translation>項目 %1 が空です</translation>
    </message>
    <message>
        <source>print the declaration (ocrdat.prn) as the Print
button does</source>
        <translation>印刷ボタンと同じように申告書 (ocrdat.prn) を
印刷します</translation>
    </message>
    <message>
        <source>list every line of the data file that would not print,
and why</source>
        <translation>データファイルのうち印刷されない行をすべて、
その理由とともに表示します</translation>
    </message>
    <message>
        <source>print the test sheet corrected from the lengths
measured on the sheet, in mm; writes no settings</source>
        <translation>用紙で測定した長さ (mm) で調整したテスト印刷を
行います。設定は保存しません</translation>
    </message>
    <message>
        <source>derive the corrections from the measured lengths as
the dialogs&apos; done and OK buttons do, save them to the
settings file and list the eight values; prints nothing</source>
        <translation>測定した長さから調整値を求め (ダイアログの完了と
OK ボタンと同じ)、設定ファイルに保存して8つの値を
表示します。印刷はしません</translation>
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
        <source>what the file printer writes (default: FILE&apos;s suffix;
pdf on standard output)</source>
        <translation>ファイルプリンタの出力形式 (既定: FILE の拡張子。
標準出力では pdf)</translation>
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
        <source>ocrprint-cli: --trace and -o both name %1</source>
        <translation>ocrprint-cli: --trace と -o が同じ %1 を指しています</translation>
    </message>
    <message>
        <source>ocrprint-cli: %1 is the data file: not written</source>
        <translation>ocrprint-cli: %1 はデータファイルです: 書き込みません</translation>
    </message>
    <message>
        <source>ocrprint-cli: %1 is the settings file: not written</source>
        <translation>ocrprint-cli: %1 は設定ファイルです: 書き込みません</translation>
    </message>
    <message>
        <source>ocrprint-cli: cannot write the trace to %1: %2</source>
        <translation>ocrprint-cli: トレースを %1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>標準出力</translation>
    </message>
    <message>
        <source>ocrprint-cli: %1 ignored: it belongs to another user, who could have planted it</source>
        <translation>ocrprint-cli: %1 を無視しました: 他のユーザーが所有しており、仕込まれたおそれがあります</translation>
    </message>
    <message>
        <source>ocrprint-cli: %1 ignored: others may write to it (chmod go-w %1)</source>
        <translation>ocrprint-cli: %1 を無視しました: 他のユーザーが書き込めます (chmod go-w %1)</translation>
    </message>
    <message>
        <source>ocrprint-cli: the default settings are used</source>
        <translation>ocrprint-cli: 既定の設定を使います</translation>
    </message>
    <message>
        <source>ocrprint-cli: cannot save the settings to %1: %2</source>
        <translation>ocrprint-cli: 設定を %1 に保存できません: %2</translation>
    </message>
    <message>
        <source>ocrprint-cli: cannot write standard output: %1</source>
        <translation>ocrprint-cli: 標準出力に書き込めません: %1</translation>
    </message>
    <message>
        <source>%1 written</source>
        <translation>%1 を書き込みました</translation>
    </message>
    <message>
        <source>request id is %1-%2 (1 file(s))</source>
        <translation>リクエスト ID は %1-%2 です (1 個のファイル)</translation>
    </message>
</context>
</TS>
