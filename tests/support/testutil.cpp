#include "testutil.h"

#include <QFile>
#include <QJsonDocument>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testutil {

TempDir::TempDir()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "ocrprint-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<QJsonObject> ReadTrace(const std::string& path)
{
    std::vector<QJsonObject> lines;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            lines.push_back(QJsonDocument::fromJson(line).object());
    return lines;
}

std::string SourceDir()
{
    const char* dir = std::getenv("OCRPRINT_SOURCE_DIR");
    return dir ? dir : OCRPRINT_DEFAULT_SOURCE_DIR;
}

std::string BinDir()
{
    const char* dir = std::getenv("OCRPRINT_BIN_DIR");
    return dir ? dir : OCRPRINT_DEFAULT_BIN_DIR;
}

} // namespace testutil
