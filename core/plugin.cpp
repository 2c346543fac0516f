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
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path dir = error ? std::filesystem::path(".") : program.parent_path();
    return (dir / OCRPRINT_PLUGIN_DIR_FROM_BIN / m_fileName).lexically_normal().string();
}

void* Plugin::Symbol(const char* name)
{
    if (!m_handle) {
        const std::string path = Path();
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
