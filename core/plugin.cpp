#include "plugin.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace core {

Plugin::Plugin(const char* fileName) : m_fileName(fileName) {}

std::string Plugin::Path() const
{
    // From the program's own place, as $ORIGIN would: the build tree and the
    // installed package keep the same layout.
    // Never the current directory instead: a plugin is code.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.is_absolute())
        return {};
    return (program.parent_path() / OCRPRINT_PLUGIN_DIR_FROM_BIN / m_fileName)
        .lexically_normal()
        .string();
}

void* Plugin::Symbol(const char* name)
{
    if (!m_handle) {
        const std::string path = Path();
        if (path.empty()) {
            m_reason = std::string(m_fileName) +
                       ": the program's own directory is unknown (/proc/self/exe)";
            return nullptr;
        }
        // RTLD_LOCAL: the module's own libraries stay out of the way of the
        // program's symbols.
        m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!m_handle) {
            const char* why = dlerror();
            m_reason = why ? why : path + ": cannot be loaded";
            return nullptr;
        }
    }
    dlerror();
    void* symbol = dlsym(m_handle, name);
    if (!symbol) {
        const char* why = dlerror();
        m_reason = why ? why : Path() + ": " + name + " is missing";
    }
    return symbol;
}

} // namespace core
