#include "files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testutil {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "ocrprint-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::set<std::string> TempDir::Entries() const
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path))
        names.insert(entry.path().filename().string());
    return names;
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
