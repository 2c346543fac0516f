#pragma once

#include <optional>
#include <string>
#include <vector>

#include "outputfile.h"

namespace core {

// What a file is to the command that reads or writes it.
enum class FileRole
{
    DataFile,     // the declaration's entries (ocrdat.prn)
    SettingsFile, // ocrprn2.ini
    FormImage,    // the scan of the blank form under a preview
    Converted,    // the text a conversion reads
    Document,     // what is printed to a file
    Trace,        // the record of the surface operations
};

// An output that would destroy a file its command needs.
struct OutputClash
{
    std::string Output; // the output's path as given
    FileRole OutputRole;
    FileRole With;     // what it names: an input, or another output
    std::string Other; // that file's path as given
};

// The one check every writer makes before it opens or draws anything: no
// output may replace one of the command's inputs or another of its outputs,
// however the path is spelled (./, symbolic links, hard links). Each output
// is judged where core::OutputFile would write it; an output a device or a
// FIFO takes, or one OutputFile refuses anyway, destroys nothing and passes.
// A file not there yet is the one at the same path once resolved: an output
// made there would be read as the input. Standard input and output ("-") are
// no files.
class OutputGuard
{
public:
    void Reads(const std::string& path, FileRole role);
    void Writes(const std::string& path, FileRole role, OutputKind kind = OutputKind::Document);

    // The first clash: the outputs against the inputs first, then against
    // each other (Output the one added later).
    std::optional<OutputClash> FirstClash() const;

private:
    struct File
    {
        std::string Path;
        FileRole Role;
        OutputKind Kind;
    };

    std::vector<File> m_inputs;
    std::vector<File> m_outputs;
};

} // namespace core
