#pragma once
// The tests' files: a temporary directory of their own, whole files read and
// written, and where the source tree and the built programs are. No Qt: the
// settings file tests link none.

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

private:
    std::string m_path;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The source tree and the directory of the built programs.
std::string SourceDir();
std::string BinDir();

} // namespace testutil
