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

std::map<std::string, std::string> TempDir::Snapshot() const
{
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(m_path)) {
        const std::string name = fs::relative(entry.path(), m_path).string();
        if (entry.is_symlink())
            tree[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            tree[name] = "/";
        else
            tree[name] = ReadFileBytes(entry.path().string());
    }
    return tree;
}

std::set<std::string> Changes(const std::map<std::string, std::string>& before,
                              const std::map<std::string, std::string>& after)
{
    std::set<std::string> changed;
    for (const auto& [name, content] : before) {
        const auto now = after.find(name);
        if (now == after.end() || now->second != content)
            changed.insert(name);
    }
    for (const auto& entry : after)
        if (!before.contains(entry.first))
            changed.insert(entry.first);
    return changed;
}

const char* SpellingName(Spelling spelling)
{
    switch (spelling) {
    case Spelling::Path:
        return "Path";
    case Spelling::DotSlash:
        return "DotSlash";
    case Spelling::SymbolicLink:
        return "SymbolicLink";
    case Spelling::HardLink:
        return "HardLink";
    }
    return "";
}

std::string Spell(const TempDir& dir, const std::string& name, Spelling spelling)
{
    switch (spelling) {
    case Spelling::Path:
        break;
    case Spelling::DotSlash:
        return dir.Path() + "/./" + name;
    case Spelling::SymbolicLink:
        fs::create_symlink(dir.File(name), dir.File("link"));
        return dir.File("link");
    case Spelling::HardLink:
        fs::create_hard_link(dir.File(name), dir.File("hard"));
        return dir.File("hard");
    }
    return dir.File(name);
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

std::string DefaultSettings(const std::string& path)
{
    WriteFileBytes(path, "");
    return path;
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
