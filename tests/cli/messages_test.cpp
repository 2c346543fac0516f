// Every message that names a file, with names a hostile or a Windows user
// gives (control bytes, Shift-JIS), under the C, a Japanese and a German
// locale: the name shown escaped and byte for byte, every line on standard
// error prefixed, one failure one message, numbers with a point.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <clocale>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>

#include "clirun.h"
#include "escape.h"
#include "testutil.h"

namespace {

using testutil::CliInput;
using testutil::Result;
using testutil::TempDir;

struct Name
{
    const char* label;
    std::string bytes;
};

const Name Names[] = {
    {"Controls", "n\x1b[2J\x1b]0;T\x07.prn"},     // CSI, and a title set by OSC ended with BEL
    {"ShiftJis", "\x83\x65\x83\x58\x83\x67.prn"}, // テスト in code page 932
};

const char* const Locales[] = {"C", "ja_JP.UTF-8", "de_DE.UTF-8"};

// What NAME is before the run.
struct Setup
{
    bool directory = false;
    const char* bytes = nullptr; // a file holding these
    mode_t mode = 0600;
};

const Setup Nothing;
const Setup ADirectory{true};
const Setup NotUtf8{false, "ab\xff\n"};
const Setup NotAnImage{false, "not an image\n"};
// A settings file others may write to.
const Setup OpenToOthers{false, "0.5\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n", 0666};
// A data file with an entry beyond a B5 page.
const Setup OffPaper{false, "190,20,10,1,0,1,a,b,c,d,e,ABC\r\n"};

struct Row
{
    const char* name;
    std::vector<std::string> args; // @D the test's directory, @N the name
    Setup setup;
    std::string path; // the path the message names
    int status;
    bool onStdout;       // check's findings, without the prefix
    std::string english; // what follows the path, a prefix of it ("@S": the path shown)
    std::string japanese;
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Runs the tool in dir, "@D" in an argument standing for it, under locale when given.
Result RunIn(const std::vector<std::string>& args, const TempDir& dir, const char* locale = nullptr,
             std::string stdinBytes = {})
{
    CliInput input;
    input.tmpdir = dir.Path();
    if (locale)
        input.env << QStringLiteral("LC_ALL=") + QLatin1String(locale);
    input.stdinBytes = std::move(stdinBytes);
    std::vector<std::string> expanded;
    for (const std::string& arg : args)
        expanded.push_back(Replace(arg, "@D", dir.Path()));
    return testutil::RunCliBytes(expanded, input);
}

const std::string Missing = "ocrdat.prn が見つかりません";
const std::string Directory = "ocrdat.prn を読み込めません（ディレクトリです）";

// A message on standard error, or (check's findings) on standard output.
Row Err(const char* name, std::vector<std::string> args, Setup setup, const char* path, int status,
        std::string english, std::string japanese)
{
    return {
        name, std::move(args), setup, path, status, false, std::move(english), std::move(japanese)};
}

Row Out(const char* name, std::vector<std::string> args, Setup setup, const char* path,
        std::string english, std::string japanese)
{
    return {name, std::move(args), setup, path, 0, true, std::move(english), std::move(japanese)};
}

const Row Rows[] = {
    // One failure, one message, whichever way the data was to be read.
    Err("PrintMissingData", {"print", "--data", "@D/@N", "-o", "@D/o.pdf"}, Nothing, "@D/@N", 1,
        ": " + Missing, ": " + Missing),
    Err("PrintUtf8MissingData",
        {"print", "--encoding", "utf-8", "--data", "@D/@N", "-o", "@D/o.pdf"}, Nothing, "@D/@N", 1,
        ": " + Missing, ": " + Missing),
    Err("PrintDirectoryData", {"print", "--data", "@D/@N", "-o", "@D/o.pdf"}, ADirectory, "@D/@N",
        1, ": " + Directory, ": " + Directory),
    Err("PrintUtf8DirectoryData",
        {"print", "--encoding", "utf-8", "--data", "@D/@N", "-o", "@D/o.pdf"}, ADirectory, "@D/@N",
        1, ": " + Directory, ": " + Directory),
    Err("CheckDirectoryData", {"check", "--data", "@D/@N"}, ADirectory, "@D/@N", 1,
        ": " + Directory, ": " + Directory),
    Err("PreviewUtf8DirectoryData",
        {"preview", "--encoding", "utf-8", "--data", "@D/@N", "-o", "@D/p.png"}, ADirectory,
        "@D/@N", 1, ": " + Directory, ": " + Directory),
    Err("Utf8ReaderError", {"check", "--encoding", "utf-8", "--data", "@D/@N"}, NotUtf8, "@D/@N", 1,
        ":1:3: error: byte 0xFF is not UTF-8",
        ":1:3: error: バイト 0xFF は UTF-8 ではありません。"),
    Err("ConvertMissingInput", {"convert", "@D/@N", "-o", "@D/o.prn"}, Nothing, "@D/@N", 1,
        ": cannot read it", ": 読み取れません。"),
    Err("ConvertUnwritableOutput",
        {"convert", "@D/ocrdat.prn", "--from", "cp932", "-o", "@D/no/@N"}, Nothing, "@D/no/@N", 1,
        ": cannot write it: ", ": 書き込めません（"),
    Err("PrintWritten", {"print", "--data", "@D/ocrdat.prn", "-o", "@D/@N.pdf"}, Nothing,
        "@D/@N.pdf", 0, ": written", ": 書き込みました。"),
    Err("PrintUnwritable", {"print", "--data", "@D/ocrdat.prn", "-o", "@D/no/@N.pdf"}, Nothing,
        "@D/no/@N.pdf", 1, ": cannot write it: ", ": 書き込めません（"),
    Err("TraceUnwritable",
        {"print", "--data", "@D/ocrdat.prn", "-o", "@D/o.pdf", "--trace", "@D/no/@N"}, Nothing,
        "@D/no/@N", 1, ": cannot write the trace: ", ": トレースを書き込めません（"),
    Err("FormUnreadable",
        {"preview", "--data", "@D/ocrdat.prn", "--form", "@D/@N", "-o", "@D/p.png"}, NotAnImage,
        "@D/@N", 1, ": cannot read the form: ", ": 用紙画像を読み取れません（"),
    Err("PreviewUnwritable", {"preview", "--data", "@D/ocrdat.prn", "-o", "@D/no/@N.png"}, Nothing,
        "@D/no/@N.png", 1, ": cannot write it: ", ": 書き込めません（"),
    Err("SettingsIgnored", {"show", "--settings", "@D/@N"}, OpenToOthers, "@D/@N", 0,
        ": ignored: others may write to it (chmod go-w @S)",
        ": 無視しました: 他のユーザーが書き込めます (chmod go-w @S)。"),
    Err("SettingsUnsavable",
        {"calibrate", "150", "200", "100", "150", "--dpi", "600", "--settings", "@D/no/@N"},
        Nothing, "@D/no/@N", 1, ": cannot save the settings: ", ": 設定を保存できません（"),
    Out("CheckFinding", {"check", "--data", "@D/@N", "--paper", "B5"}, OffPaper, "@D/@N",
        ":1: warning: the text cell (x 190.0 to ", ":1: warning: 文字枠 (x 190.0 ～ "),
};

bool LocaleAvailable(const char* name)
{
    if (std::string(name) == "C")
        return true;
    const locale_t locale = newlocale(LC_ALL_MASK, name, nullptr);
    if (locale == nullptr)
        return false;
    freelocale(locale);
    return true;
}

void Prepare(const Setup& setup, const std::string& path)
{
    if (setup.directory)
        std::filesystem::create_directory(path);
    if (setup.bytes) {
        testutil::WriteFileBytes(path, setup.bytes);
        ::chmod(path.c_str(), setup.mode);
    }
}

class Messages : public ::testing::TestWithParam<std::tuple<Row, Name, const char*>>
{
};

TEST_P(Messages, NameThePathEscapedAndPrefixed)
{
    const auto& [row, name, locale] = GetParam();
    ASSERT_TRUE(LocaleAvailable(locale)) << locale << " is not generated: run scripts/setup";
    TempDir dir;
    testutil::WriteFileBytes(
        dir.File("ocrdat.prn"),
        testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn"));
    const auto expand = [&](const std::string& text) {
        return Replace(Replace(text, "@D", dir.Path()), "@N", name.bytes);
    };
    std::vector<std::string> args;
    for (const std::string& arg : row.args)
        args.push_back(expand(arg));
    Prepare(row.setup, expand("@D/@N"));
    const Result r = RunIn(args, dir, locale);

    ASSERT_EQ(r.status, row.status) << r.err;
    const std::string shown = core::EscapeControlChars(expand(row.path));
    const bool japanese = std::string(locale).starts_with("ja");
    const std::string reason = Replace(japanese ? row.japanese : row.english, "@S", shown);
    const std::string expected = (row.onStdout ? "" : "ocrprint-cli: ") + shown + reason;
    const std::string& stream = row.onStdout ? r.out : r.err;
    EXPECT_NE(stream.find(expected), std::string::npos)
        << "expected " << expected << "\ngot " << stream;
    for (const std::string& out : {r.out, r.err}) {
        EXPECT_EQ(out.find_first_of("\x1b\x07"), std::string::npos) << "a raw control byte";
        EXPECT_EQ(out.find("\xef\xbf\xbd"), std::string::npos) << "U+FFFD for a byte: " << out;
    }
    // Every line on standard error is the tool's; a Japanese one ends as a
    // sentence does, or as the program's own data file messages end.
    std::size_t start = 0;
    for (std::size_t end = r.err.find('\n'); end != std::string::npos;
         start = end + 1, end = r.err.find('\n', start)) {
        const std::string line = r.err.substr(start, end - start);
        EXPECT_TRUE(line.starts_with("ocrprint-cli: ")) << line;
        if (japanese) {
            EXPECT_TRUE(line.ends_with("。") || line.ends_with(Missing) ||
                        line.ends_with(Directory))
                << line;
        }
    }
    EXPECT_EQ(start, r.err.size()) << "a last line without its end";
}

INSTANTIATE_TEST_SUITE_P(EveryPathMessage, Messages,
                         ::testing::Combine(::testing::ValuesIn(Rows), ::testing::ValuesIn(Names),
                                            ::testing::ValuesIn(Locales)),
                         [](const auto& info) {
                             std::string locale = std::get<2>(info.param);
                             std::erase_if(locale, [](char c) { return c == '.' || c == '-'; });
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).label + "_" + locale;
                         });

// The locale changes the language of the messages, never their numbers: a
// German one writes check's findings and JSON as the C locale does.
class LocaleNumbers : public ::testing::TestWithParam<const char*>
{
};

TEST_P(LocaleNumbers, CheckWritesAPoint)
{
    ASSERT_TRUE(LocaleAvailable("de_DE.UTF-8")) << "run scripts/setup";
    TempDir dir;
    const std::string data = dir.File(Names[1].bytes);
    Prepare(OffPaper, data);
    const std::vector<std::string> args = {"check", "--data",   data,      "--paper",
                                           "B5",    "--format", GetParam()};
    const Result c = RunIn(args, dir, "C");
    const Result german = RunIn(args, dir, "de_DE.UTF-8");
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(german.out, c.out);
    EXPECT_NE(c.out.find("190.0"), std::string::npos) << c.out;
    if (std::string(GetParam()) == "json") {
        const QJsonObject finding =
            QJsonDocument::fromJson(QByteArray::fromStdString(c.out)).object();
        // A byte that is not UTF-8 is written as the escaping rule writes it.
        EXPECT_EQ(finding.value("path").toString().toStdString(),
                  dir.Path() + "/\\x83e\\x83X\\x83g.prn");
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, LocaleNumbers, ::testing::Values("text", "json"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace

namespace {

// What preview writes is what --format and the suffix say, to a file or to
// standard output; the format does not change the printer it judges on.
struct PreviewRow
{
    const char* name;
    std::vector<std::string> args;
    std::string magic; // the first bytes of the picture
    bool toStdout;
};

void PrintTo(const PreviewRow& row, std::ostream* os)
{
    *os << row.name;
}

class PreviewFormat : public ::testing::TestWithParam<PreviewRow>
{
};

TEST_P(PreviewFormat, WritesTheFormatAsked)
{
    const PreviewRow& row = GetParam();
    TempDir dir;
    const std::string data = testutil::SourceDir() + "/examples/ocrdat.prn";
    std::vector<std::string> args = {"preview", "--data", data};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const Result r = RunIn(args, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string picture = row.toStdout ? r.out : testutil::ReadFileBytes(dir.File("p.out"));
    EXPECT_EQ(picture.substr(0, row.magic.size()), row.magic);
}

const std::string Png = "\x89PNG\r\n";
const std::string Pdf = "%PDF-";

INSTANTIATE_TEST_SUITE_P(
    Preview, PreviewFormat,
    ::testing::Values(PreviewRow{"PngOnStandardOutput", {"--format", "png", "-o", "-"}, Png, true},
                      PreviewRow{"PdfOnStandardOutput", {"-o", "-"}, Pdf, true},
                      PreviewRow{"PngByFormat", {"--format", "png", "-o", "@D/p.out"}, Png, false},
                      PreviewRow{"PdfByFormat", {"--format", "pdf", "-o", "@D/p.out"}, Pdf, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Standard input that goes on beyond the limit is refused, whole, with a
// message, by every command that reads it; nothing is drawn.
class StandardInputLimit : public ::testing::TestWithParam<std::vector<std::string>>
{
};

TEST_P(StandardInputLimit, RefusesMoreThan64MiB)
{
    TempDir dir;
    const Result r = RunIn(GetParam(), dir, nullptr, std::string(64 * 1024 * 1024 + 1, ' '));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "ocrprint-cli: standard input holds more than 64 MiB of data: nothing is read\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.pdf")));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, StandardInputLimit,
    ::testing::Values(std::vector<std::string>{"print", "--data", "-", "-o", "@D/o.pdf"},
                      std::vector<std::string>{"check", "--data", "-"},
                      std::vector<std::string>{"convert", "-", "-o", "@D/o.pdf"}),
    [](const auto& info) { return std::string(info.param[0]); });

} // namespace
