// ocrprint-cli's command line as a user types it: the spellings of options,
// the help, usage errors, standard input, and the tool's own texts in the
// user's language next to the program's messages, which stay Japanese.
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "argumentcodec.h"
#include "clirun.h"
#include "testutil.h"

namespace {

using testutil::CliInput;
using testutil::Q;
using testutil::Result;
using testutil::RunCli;
using testutil::TempDir;

// "@DIR" in an argument stands for the test's directory.
QStringList InDir(const QStringList& args, const TempDir& dir)
{
    QStringList expanded;
    for (const QString& arg : args)
        expanded << QString(arg).replace("@DIR", Q(dir.Path()));
    return expanded;
}

struct SpellingRow
{
    const char* name;
    QStringList args; // each writes @DIR/t.jsonl
    int dpiX, dpiY, offsetX, offsetY;
};

class CliSpelling : public ::testing::TestWithParam<SpellingRow>
{
};

// Every spelling reaches the file printer: its resolution and offsets are in
// the trace's first record.
TEST_P(CliSpelling, ReachesTheFilePrinter)
{
    const SpellingRow& row = GetParam();
    TempDir dir;
    const Result r = RunCli(InDir(row.args, dir), dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto trace = testutil::ReadTrace(dir.File("t.jsonl"));
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace[0]["op"].toString(), "open");
    EXPECT_EQ(trace[0]["dpi_x"].toInt(), row.dpiX);
    EXPECT_EQ(trace[0]["dpi_y"].toInt(), row.dpiY);
    EXPECT_EQ(trace[0]["offset_x"].toInt(), row.offsetX);
    EXPECT_EQ(trace[0]["offset_y"].toInt(), row.offsetY);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliSpelling,
    ::testing::Values(SpellingRow{"ValueAfterASpace",
                                  {"sheet", "-o", "@DIR/s.png", "--dpi", "300", "--offset", "5,6",
                                   "--trace", "@DIR/t.jsonl"},
                                  300,
                                  300,
                                  5,
                                  6},
                      SpellingRow{"ValueAfterAnEqualsSign",
                                  {"sheet", "--output=@DIR/s.png", "--dpi=300x200", "--offset=5,6",
                                   "--trace=@DIR/t.jsonl"},
                                  300,
                                  200,
                                  5,
                                  6},
                      SpellingRow{"ShortOptionWithItsValueAttached",
                                  {"sheet", "-o@DIR/s.pdf", "--trace", "@DIR/t.jsonl"},
                                  600,
                                  600,
                                  0,
                                  0},
                      SpellingRow{
                          "OptionsBeforeTheCommand",
                          {"--dpi", "150", "-o", "@DIR/s.png", "sheet", "--trace", "@DIR/t.jsonl"},
                          150,
                          150,
                          0,
                          0},
                      SpellingRow{"TheLastValueCounts",
                                  {"sheet", "-o", "@DIR/s.png", "--dpi", "300", "--dpi", "100",
                                   "--trace", "@DIR/t.jsonl"},
                                  100,
                                  100,
                                  0,
                                  0},
                      SpellingRow{"FormatOverridesTheSuffix",
                                  {"sheet", "-o", "@DIR/s.out", "--format", "png", "--dpi", "100",
                                   "--trace", "@DIR/t.jsonl"},
                                  100,
                                  100,
                                  0,
                                  0},
                      SpellingRow{"DoubleDashBeforeTheLengths",
                                  {"test-print", "-o", "@DIR/s.png", "--dpi", "100", "--trace",
                                   "@DIR/t.jsonl", "--", "150", "200", "100", "150"},
                                  100,
                                  100,
                                  0,
                                  0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliFormat, OutputWithoutSuffixIsThePngAsked)
{
    TempDir dir;
    const Result r =
        RunCli({"sheet", "-o", Q(dir.File("s.out")), "--format", "PNG", "--dpi", "50"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(testutil::ReadFileBytes(dir.File("s.out")).starts_with("\x89PNG\r\n\x1a\n"));
}

struct ReasonRow
{
    const char* name;
    QStringList args;
    const char* reason;
};

class CliUsageReason : public ::testing::TestWithParam<ReasonRow>
{
};

TEST_P(CliUsageReason, OneLineThenWhereToLook)
{
    const Result r = RunCli(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string("ocrprint-cli: ") + GetParam().reason +
                         "\nocrprint-cli: Try 'ocrprint-cli --help'.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliUsageReason,
    ::testing::Values(
        ReasonRow{"UnknownOption", {"print", "--colour=red"}, "unknown option --colour"},
        ReasonRow{"NegativeNumberIsAnOption",
                  {"test-print", "-5", "200", "100", "150"},
                  "unknown option -5: put -- before arguments that start with '-'"},
        ReasonRow{"ValueMissingAtTheEnd",
                  {"print", "--data"},
                  "--data needs a file name, or '-' for standard input"},
        ReasonRow{"ShortValueMissing",
                  {"sheet", "-o"},
                  "-o needs a file name, or '-' for standard output"},
        ReasonRow{"EmptyValue", {"sheet", "--printer="}, "--printer needs a queue name"},
        ReasonRow{"FlagGivenAValue", {"--help=all"}, "--help takes no value"},
        ReasonRow{
            "OptionOfAnotherCommand", {"check", "--trace", "t"}, "check takes no option --trace"},
        ReasonRow{"TraceOfCalibrate",
                  {"calibrate", "150", "200", "100", "150", "--trace", "t"},
                  "calibrate takes no option --trace"},
        ReasonRow{"OutputOfCalibrate",
                  {"calibrate", "150", "200", "100", "150", "-o", "x.pdf"},
                  "calibrate takes no option -o"},
        ReasonRow{"PageFormatOfCheck", {"check", "--format", "pdf"}, "--format needs text or json"},
        ReasonRow{"VersionOfACommand", {"show", "--version"}, "show takes no option --version"},
        ReasonRow{"OptionAfterDoubleDashIsAnArgument",
                  {"sheet", "--", "--dpi"},
                  "sheet takes no arguments"},
        ReasonRow{"NoCommand", {}, "no command given"},
        ReasonRow{"UnknownCommand", {"frobnicate"}, "unknown command frobnicate"},
        ReasonRow{"ControlBytesShown", {"print\x1b[2J"}, "unknown command print\\x1b[2J"},
        ReasonRow{"DIsThePrinter",
                  {"sheet", "-d", "q", "-o", "x.pdf"},
                  "--printer and --output exclude each other"},
        ReasonRow{"PIsThePrinter",
                  {"sheet", "-Pq", "-o", "x.pdf"},
                  "--printer and --output exclude each other"},
        ReasonRow{"UnknownFormat",
                  {"sheet", "-o", "x.pdf", "--format", "jpg"},
                  "--format needs pdf or png"},
        ReasonRow{"FormatWithoutOutput",
                  {"sheet", "--format", "png"},
                  "--format, --dpi, --offset, --paper and --printer-error set the file printer: "
                  "give -o FILE too"},
        ReasonRow{"SuffixUnknown",
                  {"sheet", "-o", "x.jpg"},
                  "-o needs a file name ending in .pdf or .png, or --format"},
        ReasonRow{"BothOnStandardOutput",
                  {"sheet", "-o", "-", "--trace", "-"},
                  "-o - and --trace - cannot both write to standard output"}),
    [](const auto& info) { return std::string(info.param.name); });

struct HelpRow
{
    const char* name;
    QStringList args;
    std::vector<const char*> shown;
    std::vector<const char*> notShown;
};

class CliHelp : public ::testing::TestWithParam<HelpRow>
{
};

TEST_P(CliHelp, ListsWhatTheCommandTakes)
{
    const Result r = RunCli(GetParam().args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* text : GetParam().shown)
        EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
    for (const char* text : GetParam().notShown)
        EXPECT_EQ(r.out.find(text), std::string::npos) << text << "\n" << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliHelp,
    ::testing::Values(
        HelpRow{"Tool", {"--help"}, {"Commands:", "calibrate X Y A B", "-d, -P, --printer"}, {}},
        HelpRow{"ToolShort", {"-h"}, {"Commands:", "--data FILE", "--version"}, {}},
        HelpRow{"Print",
                {"print", "--help"},
                {"Usage: ocrprint-cli print [OPTIONS]", "--data FILE", "--trace FILE",
                 "--format pdf|png ",
                 "print the declaration (ocrdat.prn) as the Print button does\n"},
                {"Commands:", "calibrate", "--version", "text", "json"}},
        HelpRow{"Check",
                {"check", "-h"},
                {"--data FILE", "--strict", "--encoding", "--format text|json "},
                {"-o,", "--trace", "--form IMAGE", "pdf", "png"}},
        HelpRow{"Preview",
                {"preview", "--help"},
                {"--format pdf|png ", "-o, --output FILE", "--form IMAGE"},
                {"json", "--trace"}},
        HelpRow{
            "Convert", {"convert", "--help"}, {"-o, --output OUT", "--csv"}, {"--format", "--dpi"}},
        HelpRow{"Calibrate",
                {"calibrate", "--help"},
                {"--dpi X[xY]", "--settings FILE"},
                {"-o,", "--output", "--format", "--trace"}},
        HelpRow{"Show",
                {"show", "--help"},
                {"--settings FILE", "--printer QUEUE", "--all"},
                {"--data"}},
        HelpRow{"CalibrateHelpFirst",
                {"--help", "calibrate"},
                {"ocrprint-cli calibrate X Y A B [OPTIONS]", "--printer-error", "--settings"},
                {"--trace", "--data"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct LanguageRow
{
    const char* name;
    const char* lang;
    QStringList args;
    std::string input; // standard input
    int status;
    std::string out; // standard output, exactly
    std::string err; // a line of standard error
};

class CliLanguage : public ::testing::TestWithParam<LanguageRow>
{
};

TEST_P(CliLanguage, OwnTextsTranslatedMessagesNot)
{
    const LanguageRow& row = GetParam();
    TempDir dir;
    CliInput input;
    input.tmpdir = dir.Path();
    input.env = {QString("LANG=") + row.lang};
    input.stdinBytes = row.input;
    const Result r = RunCli(InDir(row.args, dir), input);
    EXPECT_EQ(r.status, row.status) << r.err;
    EXPECT_EQ(r.out, row.out);
    EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
}

const std::string BadData = "abc,1,2,3,4,5,a,b,c,d,e,x\n10,10,9,1,0,1,,b,c,d,e,x\n";
const char* const C = "C";
const char* const Ja = "ja_JP.UTF-8";
const QStringList PrintBadData = {"print", "--data", "-", "-o", "@DIR/o.pdf"};
const QStringList LengthX99 = {"test-print", "99",         "200",   "100", "150",
                               "-o",         "@DIR/t.png", "--dpi", "50"};

INSTANTIATE_TEST_SUITE_P(
    Cli, CliLanguage,
    ::testing::Values(
        LanguageRow{
            "UsageErrorC",
            C,
            {"print", "--colour"},
            "",
            2,
            "",
            "ocrprint-cli: unknown option --colour\nocrprint-cli: Try 'ocrprint-cli --help'.\n"},
        LanguageRow{"UsageErrorJa",
                    Ja,
                    {"print", "--colour"},
                    "",
                    2,
                    "",
                    "ocrprint-cli: 不明なオプション --colour です。\n"
                    "ocrprint-cli: 詳しくは 'ocrprint-cli --help' を実行してください。\n"},
        LanguageRow{"CheckReasonsC",
                    C,
                    {"check", "--data", "-"},
                    BadData,
                    1,
                    "<stdin>:1: error: 'abc' は浮動小数点数ではありません.\n"
                    "<stdin>:2: error: field 7 is empty: the line is skipped\n",
                    ""},
        LanguageRow{"CheckReasonsJa",
                    Ja,
                    {"check", "--data", "-"},
                    BadData,
                    1,
                    "<stdin>:1: error: 'abc' は浮動小数点数ではありません.\n"
                    "<stdin>:2: error: 項目 7 が空です: この行は飛ばされます。\n",
                    ""},
        LanguageRow{"ConversionErrorC", C, PrintBadData, BadData, 1, "",
                    "ocrprint-cli: 'abc' は浮動小数点数ではありません.\n"},
        LanguageRow{"ConversionErrorJa", Ja, PrintBadData, BadData, 1, "",
                    "ocrprint-cli: 'abc' は浮動小数点数ではありません.\n"},
        LanguageRow{"AdjustmentWarningJa",
                    Ja,
                    {"calibrate", "100", "250", "80", "120", "--dpi", "300"},
                    "",
                    1,
                    "",
                    "ocrprint-cli: 縦方向調整値に誤りがあります。(±20mmまで)\n"},
        LanguageRow{"CalibrateRefusesJa",
                    Ja,
                    {"calibrate", "99", "200", "100", "150", "--dpi", "300"},
                    "",
                    1,
                    "",
                    "ocrprint-cli: X 99 は 100 ～ 200 mm の長さではありません。\n"},
        LanguageRow{"NoticeC", C, LengthX99, "", 0, "",
                    "ocrprint-cli: X 99 is not a length from 100 to 200 mm: 150 used\n"},
        LanguageRow{"NoticeJa", Ja, LengthX99, "", 0, "",
                    "ocrprint-cli: X 99 は 100 ～ 200 mm の長さではありません: 150 を使います。\n"},
        LanguageRow{
            "NegativeLengthAfterDoubleDash",
            C,
            {"test-print", "-o", "@DIR/t.png", "--dpi", "50", "--", "-150", "200", "100", "150"},
            "",
            0,
            "",
            "ocrprint-cli: X -150 is not a length from 100 to 200 mm"},
        LanguageRow{"HelpJa",
                    Ja,
                    {"show", "--help"},
                    "",
                    0,
                    "使い方: ocrprint-cli show [オプション]\n"
                    "プリンタの調整値 (8つの値) を表示します (--all: すべてのプリンタの調整値)\n\n"
                    "オプション:\n"
                    "  -d, -P, --printer QUEUE\n"
                    "                          このキューの調整値 (既定: システムの既定)\n"
                    "  --all                   show: すべてのプリンタの調整値\n"
                    "  --settings FILE         設定ファイル (既定: プログラムと同じ場所の\n"
                    "                          ocrprn2.ini)\n"
                    "  -h, --help              このヘルプを表示します\n\n"
                    "終了ステータス: 0 完了、1 エラー、2 使い方の誤り。\n",
                    ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct InputRow
{
    const char* name;
    QStringList args; // --data comes after them
    std::string bytes;
};

class CliStandardInput : public ::testing::TestWithParam<InputRow>
{
};

// --data - reads what --data FILE reads, to the byte.
TEST_P(CliStandardInput, ReadsAsTheFileWouldBeRead)
{
    const InputRow& row = GetParam();
    TempDir dir;
    testutil::WriteFileBytes(dir.File("d.prn"), row.bytes);
    const QStringList args = InDir(row.args, dir);
    const Result fromFile = RunCli(args + QStringList{"--data", Q(dir.File("d.prn"))}, dir.Path());
    const std::string fileTrace = testutil::ReadFileBytes(dir.File("t.jsonl"));
    CliInput input;
    input.tmpdir = dir.Path();
    input.stdinBytes = row.bytes;
    QFile::remove(Q(dir.File("t.jsonl")));
    const Result fromInput = RunCli(args + QStringList{"--data", "-"}, input);
    EXPECT_EQ(fromInput.status, fromFile.status);
    // check names the data file in its lines; standard input is "<stdin>".
    const auto asInput = [&](std::string text) {
        const std::string path = dir.File("d.prn");
        for (auto at = text.find(path); at != std::string::npos; at = text.find(path, at))
            text.replace(at, path.size(), "<stdin>");
        return text;
    };
    EXPECT_EQ(fromInput.out, asInput(fromFile.out));
    EXPECT_EQ(fromInput.err, asInput(fromFile.err));
    EXPECT_EQ(testutil::ReadFileBytes(dir.File("t.jsonl")), fileTrace);
    if (row.args.contains("--trace")) {
        EXPECT_NE(fileTrace.find("\"op\":\"text\""), std::string::npos) << "nothing was drawn";
    }
}

const QStringList PrintTraced = {"print", "-o", "@DIR/o.pdf", "--trace", "@DIR/t.jsonl"};

INSTANTIATE_TEST_SUITE_P(
    Cli, CliStandardInput,
    ::testing::Values(
        InputRow{"SampleDeclaration", PrintTraced,
                 testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn")},
        InputRow{"CrLfAndEndOfFileByte", PrintTraced,
                 "10,10,9,1,0,1,a,b,c,d,e,ok\r\n20,20,9,1,1,1,a,b,c,d,e,\x8E\x52\r\n\x1A"
                 "30,30,9,1,0,1,a,b,c,d,e,gone\r\n"},
        InputRow{"CheckedLines", {"check"}, BadData + "10,10,9,1,0,1,a,b,c,d,e,ok\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct StdoutRow
{
    const char* name;
    QStringList args;
    std::string input;
    bool png;
    int width, height; // the PNG's pixels
};

class CliStandardOutput : public ::testing::TestWithParam<StdoutRow>
{
};

// -o - writes the document, and nothing else, to standard output.
TEST_P(CliStandardOutput, HoldsOnePage)
{
    const StdoutRow& row = GetParam();
    TempDir dir;
    CliInput input;
    input.tmpdir = dir.Path();
    input.stdinBytes = row.input;
    const Result r = RunCli(row.args, input);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QFile::exists(Q(dir.File("-"))));
    if (row.png) {
        const QImage image = QImage::fromData(QByteArray::fromStdString(r.out), "PNG");
        EXPECT_EQ(image.width(), row.width);
        EXPECT_EQ(image.height(), row.height);
        return;
    }
    EXPECT_TRUE(r.out.starts_with("%PDF-"));
    EXPECT_TRUE(r.out.ends_with("%%EOF\n"));
    std::size_t pages = 0;
    for (std::size_t at = r.out.find("/Type /Page\n"); at != std::string::npos;
         at = r.out.find("/Type /Page\n", at + 1))
        ++pages;
    EXPECT_EQ(pages, 1u);
    EXPECT_NE(r.out.find("/Count 1\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliStandardOutput,
    ::testing::Values(
        StdoutRow{"SheetPdf", {"sheet", "-o", "-"}, "", false, 0, 0},
        StdoutRow{"DeclarationFromStandardInput",
                  {"print", "--data", "-", "-o", "-"},
                  testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn"),
                  false,
                  0,
                  0},
        StdoutRow{
            "SheetPng", {"sheet", "-o", "-", "--format", "png", "--dpi", "50"}, "", true, 413, 585},
        StdoutRow{"TestPrintPngAt30x60",
                  {"test-print", "150", "200", "100", "150", "-o-", "--format=png", "--dpi=30x60"},
                  "",
                  true,
                  248,
                  702}),
    [](const auto& info) { return std::string(info.param.name); });

struct CodecRow
{
    const char* name;
    std::string bytes;
    bool utf8; // decoded as UTF-8 text
};

class ArgumentCodec : public ::testing::TestWithParam<CodecRow>
{
};

// Whatever bytes an argument holds come back out of the parser unchanged.
TEST_P(ArgumentCodec, GivesBackTheBytes)
{
    const CodecRow& row = GetParam();
    const QString text = cli::DecodeArgument(row.bytes);
    EXPECT_EQ(cli::EncodeArgument(text), row.bytes);
    EXPECT_EQ(text == QString::fromUtf8(row.bytes), row.utf8) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ArgumentCodec,
    ::testing::Values(CodecRow{"Ascii", "--data=a.prn", true},
                      CodecRow{"Japanese", "データ.prn", true},
                      CodecRow{"FourByteCharacter", "\xF0\x9F\x93\x84.pdf", true},
                      CodecRow{"ShiftJis", "\x83\x66\x81\x5B\x83\x5E.prn", false},
                      CodecRow{"Latin1", "caf\xE9", false}, CodecRow{"Overlong", "\xC0\xAF", false},
                      CodecRow{"EncodedSurrogate", "\xED\xA0\x80", false},
                      CodecRow{"CutShort", "a\xE3\x81", false},
                      CodecRow{"BeyondUnicode", "\xF4\x90\x80\x80", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
