// The one check of outputs against inputs, where the command-line tables do
// not reach: what passes because nothing is destroyed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "outputguard.h"

namespace {

using core::FileRole;
using core::OutputKind;
namespace fs = std::filesystem;

// The core tests build alone: a directory of their own, without the support
// library.
class Dir
{
public:
    Dir()
    {
        std::string pattern = (fs::temp_directory_path() / "ocrprint-guard-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~Dir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    Dir(const Dir&) = delete;
    Dir& operator=(const Dir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct GuardRow
{
    const char* name;
    // Names the files to guard, dir holding "in" (a regular file).
    std::function<void(const Dir& dir, core::OutputGuard& guard)> files;
    bool clash;
};

void PrintTo(const GuardRow& row, std::ostream* os)
{
    *os << row.name;
}

class Guard : public ::testing::TestWithParam<GuardRow>
{
};

TEST_P(Guard, RefusesOnlyWhatAnOutputWouldReplace)
{
    const fs::path cwd = fs::current_path();
    const Dir dir;
    std::ofstream(dir.File("in")) << "kept";
    core::OutputGuard guard;
    GetParam().files(dir, guard);
    EXPECT_EQ(guard.FirstClash().has_value(), GetParam().clash);
    EXPECT_EQ(Read(dir.File("in")), "kept");
    fs::current_path(cwd);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, Guard,
    ::testing::Values(GuardRow{"OntoAnInput",
                               [](const auto& d, auto& g) {
                                   g.Reads(d.File("in"), FileRole::DataFile);
                                   g.Writes(d.File("in"), FileRole::Document);
                               },
                               true},
                      // calibrate saves the settings it read.
                      GuardRow{"SettingsOntoTheSettingsRead",
                               [](const auto& d, auto& g) {
                                   g.Reads(d.File("in"), FileRole::SettingsFile);
                                   g.Writes(d.File("in"), FileRole::SettingsFile,
                                            OutputKind::Settings);
                               },
                               false},
                      // Written into, never replaced.
                      GuardRow{"TwoOutputsIntoOneDevice",
                               [](const auto&, auto& g) {
                                   g.Writes("/dev/null", FileRole::Document);
                                   g.Writes("/dev/null", FileRole::Trace);
                               },
                               false},
                      GuardRow{"StandardStreams",
                               [](const auto&, auto& g) {
                                   g.Reads("-", FileRole::DataFile);
                                   g.Writes("-", FileRole::Document);
                               },
                               false},
                      // OutputFile refuses the link itself.
                      GuardRow{"SettingsThroughALink",
                               [](const auto& d, auto& g) {
                                   fs::create_symlink(d.File("in"), d.File("link"));
                                   g.Reads(d.File("in"), FileRole::DataFile);
                                   g.Writes(d.File("link"), FileRole::SettingsFile,
                                            OutputKind::Settings);
                               },
                               false},
                      // Where the program will read it once written.
                      GuardRow{"OntoAnInputNotThereYet",
                               [](const auto& d, auto& g) {
                                   g.Reads(d.File("sub/../ocrprn2.ini"), FileRole::SettingsFile);
                                   g.Writes(d.File("./ocrprn2.ini"), FileRole::Document);
                               },
                               true},
                      // In the current directory, which is the test's own.
                      GuardRow{"RelativeSpellingsNotThereYet",
                               [](const auto& d, auto& g) {
                                   fs::current_path(d.Path());
                                   g.Writes("y.pdf", FileRole::Document);
                                   g.Writes("./y.pdf", FileRole::Trace);
                               },
                               true},
                      GuardRow{"DifferentFilesNotThereYet",
                               [](const auto& d, auto& g) {
                                   g.Writes(d.File("a.pdf"), FileRole::Document);
                                   g.Writes(d.File("b.jsonl"), FileRole::Trace);
                               },
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
