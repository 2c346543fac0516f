// check against print: for each data file, the findings check gives and the
// texts print draws (its trace). Every text that is not what its line holds,
// and a page with nothing on it, has its warning.
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "clirun.h"
#include "declarationjob.h"
#include "fileprinter.h"
#include "files.h"
#include "testutil.h"
#include "textmodereader.h"

namespace {

using testutil::Q;
using testutil::Result;

struct ParityRow
{
    const char* name;
    std::string data;
    std::vector<std::string> findings; // check's, as "LINE:code", "-:code" for the whole file
    std::vector<std::string> printed;  // the texts of print's trace, UTF-8
    bool blank = false;                // print says the page is blank
    bool noScheduler = false;   // nothing names a device and no scheduler answers: check says
                                // which printer it judged on
    std::string rewritten = {}; // written over the file once the job has read it
};

void PrintTo(const ParityRow& row, std::ostream* os)
{
    *os << row.name;
}

std::string Entry(int y, const std::string& text, const char* end = "\r\n")
{
    return "50," + std::to_string(y) + ",10,1,0,1,a,b,c,,," + text + end;
}

const std::string Tokyo = "\x93\x8c\x8b\x9e"; // 東京 in code page 932

class CheckPrintParity : public ::testing::TestWithParam<ParityRow>
{
protected:
    std::vector<std::string> Findings(const std::string& err)
    {
        QStringList args = {"check",  "--strict", "--format",   "json",
                            "--data", Q(m_data),  "--settings", Q(testutil::DefaultSettings(m_dir.File("none.ini")))};
        testutil::CliInput input;
        if (GetParam().noScheduler)
            input.env << Q("CUPS_SERVER=" + m_dir.File("no-scheduler"))
                      << Q("HOME=" + m_dir.Path());
        else
            args << "--paper"
                 << "A4"
                 << "--dpi"
                 << "600";
        const Result r = testutil::RunCli(args, input);
        EXPECT_EQ(r.err, err);
        EXPECT_EQ(r.status, GetParam().findings.empty() ? 0 : 1) << r.err;
        std::vector<std::string> found;
        for (const QByteArray& line : QByteArray::fromStdString(r.out).split('\n')) {
            if (line.isEmpty())
                continue;
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            found.push_back(
                (o["line"].isNull() ? std::string("-") : std::to_string(o["line"].toInt())) + ":" +
                o["code"].toString().toStdString());
        }
        return found;
    }

    // The texts a trace holds, in order.
    static std::vector<std::string> Texts(const std::vector<QJsonObject>& ops)
    {
        std::vector<std::string> texts;
        for (const QJsonObject& op : ops)
            if (op["op"] == "text")
                texts.push_back(op["text"].toString().toStdString());
        return texts;
    }

    std::vector<std::string> Printed(std::string& err)
    {
        const Result r =
            testutil::RunCli({"print", "--data", Q(m_data), "--settings", Q(testutil::DefaultSettings(m_dir.File("none.ini"))),
                              "--dpi", "600", "-o", Q(m_dir.File("out.pdf")), "--trace", "-"});
        EXPECT_EQ(r.status, 0) << r.err;
        err = r.err;
        std::vector<QJsonObject> ops;
        for (const QByteArray& line : QByteArray::fromStdString(r.out).split('\n'))
            if (!line.isEmpty())
                ops.push_back(QJsonDocument::fromJson(line).object());
        return Texts(ops);
    }

    // The job as the window runs it, on a file rewritten between its reading
    // and its drawing.
    std::vector<std::string> PrintedAfterRewrite()
    {
        const testutil::TracedFilePrinter printer(testutil::FileOptions(m_dir.File("out.pdf")),
                                                  m_dir.File("trace.jsonl"));
        core::TextModeReader reader;
        EXPECT_TRUE(print::LoadDataFile(m_data, reader));
        testutil::WriteFileBytes(m_data, GetParam().rewritten);
        core::TPrintAdjustment adjustment;
        print::PrintDeclaration(adjustment, reader);
        return Texts(printer.Ops());
    }

    testutil::TempDir m_dir;
    std::string m_data = m_dir.File("d.prn");
};

TEST_P(CheckPrintParity, CheckWarnsOfWhatPrintDoes)
{
    const ParityRow& row = GetParam();
    testutil::WriteFileBytes(m_data, row.data);
    const std::string standIn =
        row.noScheduler
            ? "ocrprint-cli: cannot reach the default printer (デフォルト プリンタが存在しません): "
              "the entries are judged on A4 paper (210 x 297 mm) at 600x600 dpi without "
              "margins; name the printer with --printer, or describe it with --paper, --dpi "
              "and --offset\n"
            : "";
    EXPECT_EQ(Findings(standIn), row.findings);
    if (!row.rewritten.empty()) {
        EXPECT_EQ(PrintedAfterRewrite(), row.printed);
        return;
    }
    std::string err;
    EXPECT_EQ(Printed(err), row.printed);
    const std::string blank = "ocrprint-cli: no entry of the data file puts anything on the "
                              "page: it is printed blank\n";
    EXPECT_EQ(err,
              (row.blank ? blank : "") + "ocrprint-cli: " + m_dir.File("out.pdf") + ": written\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, CheckPrintParity,
    ::testing::Values(
        ParityRow{
            "WholeLines", Entry(50, "ABC") + Entry(60, "\"" + Tokyo + "\""), {}, {"ABC", "東京"}},
        ParityRow{"LastLineWithoutLineEnd",
                  Entry(50, "ABC") + Entry(60, "DEF", ""),
                  {"2:text-no-line-end"},
                  {"ABC", ""}},
        ParityRow{"NulByteInText",
                  Entry(50, std::string("AB\0CD", 5)) + Entry(60, "DEF"),
                  {"1:text-nul-byte"},
                  {"", "DEF"}},
        ParityRow{"EndOfFileByteMidFile",
                  Entry(50, "ABC") +
                      Entry(60, "DE\x1A"
                                "F") +
                      Entry(70, "GHI"),
                  {"2:text-no-line-end", "2:end-of-file-byte"},
                  {"ABC", ""}},
        ParityRow{"EndOfFileByteAtLineStart",
                  Entry(50, "ABC") + "\x1A" + Entry(60, "DEF"),
                  {"2:end-of-file-byte"},
                  {"ABC"}},
        ParityRow{
            "UnclosedQuoteDoubleByte", Entry(50, "\"" + Tokyo), {"1:text-unclosed-quote"}, {"東"}},
        ParityRow{"UnclosedQuoteAscii", Entry(50, "\"ABC"), {"1:text-unclosed-quote"}, {"AB"}},
        ParityRow{"LongLine",
                  Entry(50, "ABC") + Entry(60, std::string(300, 'x')),
                  {"2:text-cut", "2:long-line", "2:field-empty"},
                  {"ABC", ""}},
        ParityRow{"EmptyFile", "", {"-:no-entry"}, {}, true},
        ParityRow{"EveryLineRejected",
                  "\r\nno commas here\r\n",
                  {"1:field-empty", "2:field-empty", "-:no-entry"},
                  {},
                  true},
        ParityRow{"NoSchedulerReachable", Entry(50, "ABC"), {}, {"ABC"}, false, true},
        ParityRow{"RewrittenWhilePrinting",
                  Entry(50, "A1") + Entry(60, "A2") + Entry(70, "A3"),
                  {},
                  {"A1", "A2", "A3"},
                  false,
                  false,
                  Entry(50, "B1")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
