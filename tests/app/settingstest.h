#pragma once
// Helpers of the settings file tests, which run without Qt.

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include "printadjustment.h"

namespace settingstest {

namespace fs = std::filesystem;
using Values = std::array<double, 8>; // in the order of the file's lines

inline constexpr Values Defaults = {0, 0, 0, 0, 150, 200, 100, 150};

inline Values FileOrder(const core::TPrintAdjustment& a)
{
    return {a.HorzOffset, a.VertOffset, a.VertScale, a.HorzScale,
            a.MeasuredX,  a.MeasuredY,  a.MeasuredA, a.MeasuredB};
}

// Made before any test changes TMPDIR, so it never lands inside one.
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = "/tmp/ocrprint-settings-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

    // Every entry's name, the hidden ones (a temporary file) included.
    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::string m_path;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline core::TPrintAdjustment FromFileOrder(const Values& v)
{
    core::TPrintAdjustment a;
    a.HorzOffset = v[0];
    a.VertOffset = v[1];
    a.VertScale = v[2];
    a.HorzScale = v[3];
    a.MeasuredX = v[4];
    a.MeasuredY = v[5];
    a.MeasuredA = v[6];
    a.MeasuredB = v[7];
    return a;
}

inline double Number(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr);
}

} // namespace settingstest
