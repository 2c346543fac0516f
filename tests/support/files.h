#pragma once
// The tests' files: a temporary directory of their own, whole files read and
// written, and where the source tree and the built programs are. No Qt: the
// settings file tests link none.

#include <map>
#include <set>
#include <string>

namespace testutil {

// A fresh temporary directory for one test, removed with the object even
// where the test took its permissions away. It is made in the temporary
// directory the process has at that moment: made before a test changes
// TMPDIR, it never lands inside the directory the test points TMPDIR at.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

    // Every entry's name, the hidden ones (a temporary file) included.
    std::set<std::string> Entries() const;
    // Every entry below the directory, hidden ones included, by its path
    // relative to it: a file's bytes, a link's target, a directory's "/".
    // Two snapshots are equal when nothing was changed, added or left behind.
    std::map<std::string, std::string> Snapshot() const;

private:
    std::string m_path;
};

// The entries of two snapshots that differ (changed, added or removed), so
// that a failure names the files instead of printing them.
std::set<std::string> Changes(const std::map<std::string, std::string>& before,
                              const std::map<std::string, std::string>& after);

// The ways a path can name a file that is already there.
enum class Spelling
{
    Path,         // dir/name
    DotSlash,     // dir/./name
    SymbolicLink, // dir/link, a link to dir/name
    HardLink,     // dir/hard, a hard link to dir/name
};
inline constexpr Spelling Spellings[] = {Spelling::Path, Spelling::DotSlash, Spelling::SymbolicLink,
                                         Spelling::HardLink};
const char* SpellingName(Spelling spelling);
// Another name for dir's file name, the link made in dir where the spelling
// needs one. A symbolic link may point at a file not there yet.
std::string Spell(const TempDir& dir, const std::string& name, Spelling spelling);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// An empty settings file at path, which loads as every default: a --settings
// FILE that is not there is an error. Returns path.
std::string DefaultSettings(const std::string& path);

// The source tree and the directory of the built programs.
std::string SourceDir();
std::string BinDir();

} // namespace testutil
