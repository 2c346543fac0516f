#include "datainput.h"

#include <QCoreApplication>
#include <QString>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "datafileerror.h"
#include "diagnostics.h"
#include "standardstream.h"
#include "textmodereader.h"
#include "utf8data.h"

namespace cli {

namespace {

// False with errno EFBIG once more than limit bytes have come.
bool ReadAll(int fd, std::string& bytes, std::size_t limit)
{
    bytes.clear();
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (static_cast<std::size_t>(got) > limit - bytes.size()) {
            bytes.clear();
            errno = EFBIG;
            return false;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

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
    const auto hex = [](uint value, int digits) {
        return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
    };
    const QString reason =
        problem.NotUtf8
            ? QCoreApplication::translate("ocrprint-cli", "error: byte 0x%1 is not UTF-8")
                  .arg(hex(problem.Byte, 2))
            : QCoreApplication::translate("ocrprint-cli", "error: U+%1 has no code page 932 form")
                  .arg(hex(static_cast<uint>(problem.CodePoint), 4));
    Report(QStringLiteral("%1:%2:%3: %4"),
           {path, problem.Line, problem.Column, MessageArg::Shown(reason.toStdString())});
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
        return ReadAll(STDIN_FILENO, bytes, MaxStandardInputBytes);
    // O_NONBLOCK keeps a FIFO at the path from blocking the open; only a
    // regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info
    {
    };
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        const int status = ::fcntl(fd, F_GETFL);
        if (status != -1)
            ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
        ok = ReadAll(fd, bytes, bytes.max_size());
    }
    ::close(fd);
    return ok;
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
