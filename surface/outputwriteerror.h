#pragma once

#include <string>

#include "eprinter.h"

namespace surface {

// The window's words for a file that could not be written, as code page 932
// bytes: "FILE に書き込めません: REASON".
std::string OutputWriteMessage(const std::string& path, const std::string& reason);

// A file a printer writes its document to could not be written. The message
// is the window's ("FILE に書き込めません: REASON", the file's control bytes
// escaped); the file and the reason are kept apart too, for a tool that names
// the file in its own words. Path "-" is standard output.
class OutputWriteError : public core::EPrinter
{
public:
    OutputWriteError(std::string path, std::string reason);

    const std::string& Path() const noexcept { return m_path; }
    const std::string& Reason() const noexcept { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
};

} // namespace surface
