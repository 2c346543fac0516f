#pragma once

#include <QJsonObject>
#include <QString>
#include <string>
#include <vector>

namespace testutil {

// A fresh temporary directory for one test, removed with the object.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A trace of the print surface: its lines as JSON objects (empty when the
// file cannot be read).
std::vector<QJsonObject> ReadTrace(const std::string& path);

// The source tree and the directory of the built programs.
std::string SourceDir();
std::string BinDir();

} // namespace testutil
