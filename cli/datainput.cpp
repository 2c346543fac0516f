#include "datainput.h"

#include <QCoreApplication>
#include <QString>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "datafileerror.h"
#include "diagnostics.h"
#include "standardstream.h"
#include "textmodereader.h"
#include "utf8data.h"
#include "wholefile.h"

namespace cli {

namespace {

void ReportUnreadStandardInput(int error)
{
    if (error == EFBIG)
        Report(
            QCoreApplication::translate(
                "ocrprint-cli", "standard input holds more than %1 MiB of data: nothing is read"),
            {MaxStandardInputBytes / (1024 * 1024)});
    else
        Report(QCoreApplication::translate("ocrprint-cli",
                                           "cannot read the data from standard input: %1"),
               {std::strerror(error)});
}

void ReportUtf8Problem(const std::string& path, const core::Utf8DataProblem& problem)
{
    Report(QStringLiteral("%1:%2:%3: error: %4"),
           {path, problem.Line, problem.Column,
            MessageArg::Shown(print::Utf8DataProblemText(problem))});
}

} // namespace

void ReportDataFileOpenError(const std::string& path)
{
    ReportAbout(path, QString::fromStdString(print::DataFileOpenError(path)));
}

bool ParseDataEncoding(const std::string& text, DataEncoding& encoding)
{
    if (text == "cp932") {
        encoding = DataEncoding::Cp932;
        return true;
    }
    if (text == "utf-8") {
        encoding = DataEncoding::Utf8;
        return true;
    }
    return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    if (path == "-")
        return core::ReadToEnd(STDIN_FILENO, bytes, MaxStandardInputBytes);
    return core::ReadRegularFile(path, bytes);
}

DataOpen LoadDataBytes(const std::string& path, DataEncoding encoding, std::string& cp932)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        if (path != "-")
            return DataOpen::Missing;
        ReportUnreadStandardInput(errno);
        return DataOpen::Refused;
    }
    if (encoding == DataEncoding::Cp932) {
        cp932 = std::move(bytes);
        return DataOpen::Opened;
    }
    core::Utf8DataProblem problem;
    if (!core::Utf8DataToCp932(bytes, cp932, problem)) {
        ReportUtf8Problem(core::InputName(path), problem);
        return DataOpen::Unconvertible;
    }
    return DataOpen::Opened;
}

DataOpen OpenDataFile(const std::string& path, DataEncoding encoding, core::TextModeReader& reader)
{
    if (encoding == DataEncoding::Cp932)
        return reader.Open(path) ? DataOpen::Opened : DataOpen::Missing;
    std::string cp932;
    const DataOpen result = LoadDataBytes(path, encoding, cp932);
    if (result == DataOpen::Opened)
        reader.OpenBytes(std::move(cp932));
    return result;
}

} // namespace cli
