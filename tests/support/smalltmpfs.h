#pragma once
// A small tmpfs of the test's own, filled to the last byte after the files it
// is given are written: every later write on it fails with ENOSPC. Needs the
// right to mount (CI runs as root); Why() says why it could not be had.

#include <map>
#include <string>

namespace testutil {

class FullTmpfs
{
public:
    // Mounts a tmpfs at mountPoint (an empty directory), writes files (name
    // -> bytes) and a filler that takes every block left.
    FullTmpfs(const std::string& mountPoint, const std::map<std::string, std::string>& files);
    ~FullTmpfs();
    FullTmpfs(const FullTmpfs&) = delete;
    FullTmpfs& operator=(const FullTmpfs&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Why() const { return m_why; }
    // The filler's name, an entry the tests expect to find.
    static constexpr const char* Filler = "filler";

private:
    std::string m_mountPoint;
    bool m_mounted = false;
    std::string m_why;
};

} // namespace testutil
