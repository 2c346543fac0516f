#include "outputguard.h"

#include <filesystem>
#include <sys/stat.h>

namespace core {

namespace {

// Where an output lands, as far as the check needs it.
struct Landing
{
    bool Replaced = false; // a regular file, or none yet: the rename replaces it
    bool Exists = false;
    struct stat Info = {};
    std::string Target;
};

Landing LandingOf(const std::string& path, OutputKind kind)
{
    Landing landing;
    if (OutputFile::TargetOf(path, kind, landing.Target) != 0)
        return landing;
    landing.Exists = ::stat(landing.Target.c_str(), &landing.Info) == 0;
    landing.Replaced = !landing.Exists || S_ISREG(landing.Info.st_mode);
    return landing;
}

// A path that does not exist yet, with every link and "." in the part that
// does resolved.
std::filesystem::path Resolved(const std::string& path)
{
    // Absolute first: a relative path with nothing of it there yet would
    // stay relative, and "./x" would not meet "x".
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(path, error).lexically_normal();
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    return error ? absolute : resolved;
}

// An input is read through its links; one not there yet may be read later.
Landing InputAt(const std::string& path)
{
    Landing landing;
    landing.Target = path;
    landing.Exists = ::stat(path.c_str(), &landing.Info) == 0;
    return landing;
}

// The same file however spelled; of two not there yet, the same path once
// resolved, since writing one makes the other.
bool SameLanding(const Landing& a, const Landing& b)
{
    if (a.Exists && b.Exists)
        return a.Info.st_dev == b.Info.st_dev && a.Info.st_ino == b.Info.st_ino;
    return !a.Exists && !b.Exists && Resolved(a.Target) == Resolved(b.Target);
}

bool IsStream(const std::string& path)
{
    return path.empty() || path == "-";
}

} // namespace

void OutputGuard::Reads(const std::string& path, FileRole role)
{
    if (!IsStream(path))
        m_inputs.push_back({path, role, OutputKind::Document});
}

void OutputGuard::Writes(const std::string& path, FileRole role, OutputKind kind)
{
    if (!IsStream(path))
        m_outputs.push_back({path, role, kind});
}

std::optional<OutputClash> OutputGuard::FirstClash() const
{
    std::vector<Landing> landings;
    for (const File& output : m_outputs)
        landings.push_back(LandingOf(output.Path, output.Kind));

    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        if (!landings[i].Replaced)
            continue;
        for (const File& input : m_inputs) {
            // The settings file saved over the settings file read is the
            // point of saving.
            if (input.Role != m_outputs[i].Role && SameLanding(landings[i], InputAt(input.Path)))
                return OutputClash{m_outputs[i].Path, m_outputs[i].Role, input.Role, input.Path};
        }
    }
    for (std::size_t i = 0; i < m_outputs.size(); ++i) {
        for (std::size_t j = i + 1; j < m_outputs.size(); ++j) {
            if (landings[i].Replaced && landings[j].Replaced &&
                SameLanding(landings[i], landings[j]))
                return OutputClash{m_outputs[j].Path, m_outputs[j].Role, m_outputs[i].Role,
                                   m_outputs[i].Path};
        }
    }
    return std::nullopt;
}

} // namespace core
