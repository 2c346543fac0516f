#include "outputwriteerror.h"

#include "cp932.h"
#include "escape.h"

namespace surface {

std::string OutputWriteMessage(const std::string& path, const std::string& reason)
{
    // Not a printer's fault: the message sends the user to the file.
    const std::string name = path == "-" ? "標準出力" : core::EscapeControlChars(path);
    return core::EncodeCp932(name + " に書き込めません: " + reason);
}

OutputWriteError::OutputWriteError(std::string path, std::string reason)
    : core::EPrinter(OutputWriteMessage(path, reason)), m_path(std::move(path)),
      m_reason(std::move(reason))
{}

} // namespace surface
