#include "convertcommand.h"

#include <QCoreApplication>
#include <QString>

#include "csvdata.h"
#include "declarationjob.h"
#include "diagnostics.h"
#include "outputfile.h"
#include "standardstream.h"

namespace cli {

namespace {

// The data file's own line ends: the program drops every CR, so a CR
// anywhere is dropped here too, and every LF becomes CR LF. A last line
// without a line end keeps having none: that changes what the program prints.
std::string WithCrLf(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (const char c : bytes) {
        if (c == '\r')
            continue;
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

QString CsvProblemText(const core::CsvDataProblem& p)
{
    using Kind = core::CsvDataProblem::Kind;
    QString reason;
    switch (p.Problem) {
    case Kind::NotCsv:
        reason = QCoreApplication::translate(
            "ocrprint-cli", "row %1 is not CSV: a quote stands inside a field or is never closed");
        break;
    case Kind::ColumnCount:
        reason = QCoreApplication::translate("ocrprint-cli",
                                             "row %1 has %2 columns; a data file line has 12");
        break;
    case Kind::SeparatorField:
        reason = QCoreApplication::translate(
            "ocrprint-cli",
            "row %1: field %2 holds a comma or a quote, which only the text (field 12) "
            "may hold");
        break;
    case Kind::LineBreak:
        reason = QCoreApplication::translate("ocrprint-cli", "row %1: field %2 holds a line break");
        break;
    case Kind::EndOfFileByte:
        reason = QCoreApplication::translate(
            "ocrprint-cli",
            "row %1: field %2 holds the byte 0x1A, at which the program stops reading");
        break;
    case Kind::NulByte:
        reason = QCoreApplication::translate(
            "ocrprint-cli",
            "row %1: field %2 holds a NUL byte, at which the program cuts the line");
        break;
    case Kind::LineTooLong:
        reason = QCoreApplication::translate(
            "ocrprint-cli",
            "row %1 makes a line of %2 bytes; the program reads at most %3 at once");
        break;
    case Kind::OutOfMemory:
        reason = QCoreApplication::translate("ocrprint-cli", "row %1: out of memory");
        break;
    case Kind::NoReader: // a broken installation, not a fault of the file
        return QCoreApplication::translate("ocrprint-cli", "cannot load the CSV reader: %1")
            .arg(QString::fromStdString(p.Reason));
    }
    reason = reason.arg(p.Row);
    if (p.Problem == Kind::ColumnCount || p.Problem == Kind::LineTooLong)
        reason = reason.arg(p.Count);
    else if (p.Field != 0)
        reason = reason.arg(p.Field);
    if (p.Problem == Kind::LineTooLong)
        reason = reason.arg(print::LinePieceBytes - 1);
    return QCoreApplication::translate("ocrprint-cli", "error: ") + reason;
}

// The whole file or nothing: through the program's one way of writing an
// output, which replaces a regular file only once all of it is written.
std::string WriteFileWhole(const std::string& path, const std::string& bytes)
{
    core::OutputFile file;
    if (file.Open(path) && file.Write(bytes) && file.Commit())
        return {};
    const std::string reason = file.Reason();
    file.Discard();
    return reason;
}

} // namespace

int RunConvert(const CommandLine& line)
{
    const std::string& in = line.Arguments[0];
    const std::string& out = line.File.OutputPath;
    std::string cp932;
    switch (LoadDataBytes(in, line.From.value_or(DataEncoding::Utf8), cp932)) {
    case DataOpen::Opened:
        break;
    case DataOpen::Missing:
        ReportAbout(in, QCoreApplication::translate("ocrprint-cli", "cannot read it"));
        return 1;
    case DataOpen::Unconvertible:
    case DataOpen::Refused:
        return 1;
    }
    std::string data;
    if (line.Csv) {
        core::CsvDataProblem problem;
        if (!core::CsvToDataFile(cp932, print::LinePieceBytes - 1, data, problem)) {
            ReportAbout(core::InputName(in), CsvProblemText(problem));
            return 1;
        }
    } else {
        data = WithCrLf(cp932);
    }
    if (const std::string error = WriteFileWhole(out, data); !error.empty()) {
        ReportAbout(out, QCoreApplication::translate("ocrprint-cli", "cannot write it: %1"),
                    {error});
        return 1;
    }
    return 0;
}

} // namespace cli
