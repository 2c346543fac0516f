#include "datafileerror.h"

#include <QCoreApplication>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace print {

namespace {

// The reason a path that exists is not read; exists is false when nothing is
// there.
std::string UnreadableReason(const std::string& path, bool& exists)
{
    exists = true;
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            exists = false;
            return {};
        }
        return error == EACCES ? "読み取りの権限がありません" : std::strerror(error);
    }
    if (S_ISDIR(info.st_mode))
        return "ディレクトリです";
    if (!S_ISREG(info.st_mode))
        return "通常のファイルではありません";
    // A regular file: opening it cannot block, and tells what stops the read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        return error == EACCES || error == EPERM ? "読み取りの権限がありません"
                                                 : std::strerror(error);
    }
    ::close(fd);
    return "開けません";
}

} // namespace

std::string DataFileOpenError(const std::string& path)
{
    bool exists = false;
    const std::string reason = UnreadableReason(path, exists);
    if (!exists)
        return "ocrdat.prn が見つかりません";
    return "ocrdat.prn を読み込めません（" + reason + "）";
}

std::string Utf8DataProblemText(const core::Utf8DataProblem& problem)
{
    const auto hex = [](uint value, int digits) {
        return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
    };
    const QString reason =
        problem.NotUtf8
            ? QCoreApplication::translate("ocrprint-cli", "byte 0x%1 is not UTF-8")
                  .arg(hex(problem.Byte, 2))
            : QCoreApplication::translate("ocrprint-cli", "U+%1 has no code page 932 form")
                  .arg(hex(static_cast<uint>(problem.CodePoint), 4));
    return reason.toStdString();
}

} // namespace print
