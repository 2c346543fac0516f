#pragma once

#include <string>

namespace core {

// A part of the program that only some commands need, built as a module of its
// own in the plugin directory beside the programs (lib/ocrprint/plugins beside bin/)
// and loaded the first time it is asked for: the commands that do not use it
// never load it nor the libraries it brings.
class Plugin
{
public:
    // fileName: the module's file name in the plugin directory.
    explicit Plugin(const char* fileName);
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // The entry point name of the module, loading it on the first call; null,
    // with Reason() saying why, when the module or the entry is missing. A
    // loaded module stays for the rest of the run.
    void* Symbol(const char* name);
    // Why the last Symbol() failed (UTF-8, the module's path in it).
    const std::string& Reason() const { return m_reason; }
    // Where the module is looked for; empty when the program's own place
    // cannot be known.
    std::string Path() const;

private:
    const char* m_fileName;
    void* m_handle = nullptr;
    std::string m_reason;
};

} // namespace core
