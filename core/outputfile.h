#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace core {

// How an output path is treated.
enum class OutputKind
{
    // A document or a trace: "-" is standard output; a symbolic link is
    // followed as the kernel's protected_symlinks allows; a character device
    // or a FIFO is written into as it is, never replaced.
    Document,
    // The settings file: only a regular file is replaced, a symbolic link is
    // never followed, and a replaced file loses any write permission for
    // group and others, so that the next load trusts it.
    Settings,
};

// Every file the program writes goes through here, so that no write goes
// unchecked and no failure destroys what was there. A regular file is written
// to a temporary beside it (one fixed name, so that an interrupted run leaves
// at most one behind, removed by the next), synced, and renamed over the old
// file only when every write and the close succeeded. A read-only file, a
// directory, a block device or a socket at the path is refused.
class OutputFile
{
public:
    explicit OutputFile(OutputKind kind = OutputKind::Document);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens path for writing; false, with Error() set, when it cannot be.
    bool Open(const std::string& path);
    // Writes all of bytes; false once any write has failed.
    bool Write(std::string_view bytes);
    // Makes the output final: the temporary replaces the file. False, with
    // nothing at the path changed, when anything failed.
    bool Commit();
    // Drops what was written; the file at the path stays as it was.
    void Discard();

    bool IsOpen() const { return m_fd >= 0; }
    // Whether the output is written straight through (standard output, a
    // device, a FIFO) rather than replaced whole.
    bool IsStream() const { return m_stream; }
    const std::string& Path() const { return m_path; }
    // The errno of the first failure; 0 while nothing failed.
    int Error() const { return m_error; }
    // The system's reason for the failure (strerror), or a refusal of our own.
    std::string Reason() const;

    // The temporary that a regular file at target is written to first.
    static std::string TemporaryFor(const std::string& target);
    // The file a write to path reaches: the end of its chain of symbolic
    // links, each link judged as Open judges it. 0 with target set, or the
    // errno Open fails with. path is neither "-" nor empty.
    static int TargetOf(const std::string& path, OutputKind kind, std::string& target);

private:
    bool Fail(int error);
    bool OpenTarget();
    void Close();

    OutputKind m_kind;
    std::string m_path;
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_stream = false;
    bool m_ownsFd = false;
    int m_error = 0;
    dev_t m_tempDev = 0;
    ino_t m_tempIno = 0;
};

// Whether two paths name the same existing file, however spelled (links,
// "./", hard links): the same device and inode.
bool IsSameFile(const std::string& a, const std::string& b);

} // namespace core
