// Which settings file every command and the window use, in every place and
// environment, and what the tool says of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "clirun.h"
#include "files.h"
#include "scopedenv.h"
#include "settingsfile.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::TempDir;
using testutil::WriteFileBytes;
namespace fs = std::filesystem;

// Each place's file has its own HorzOffset, so that the value names the file.
std::string Content(int horzOffset)
{
    return std::to_string(horzOffset) + "\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n";
}

// The configuration directory's file, as it is found.
enum class Config
{
    Absent,
    Private,     // 0600
    OwnGroup664, // the user's private group may write it
    SharedGroup, // 0664 in a group other accounts are in
    WritableByAll,
    OtherOwner,
};

// A group other accounts are in, not the user's own.
std::optional<gid_t> SharedGroup()
{
    std::optional<gid_t> found;
    ::setgrent();
    while (const struct group* g = ::getgrent())
        if (!found && g->gr_gid != ::getegid() && g->gr_mem && g->gr_mem[0])
            found = g->gr_gid;
    ::endgrent();
    if (const struct passwd* nobody = ::getpwnam("nobody");
        !found && nobody && nobody->pw_gid != ::getegid())
        found = nobody->pw_gid;
    return found;
}

// Makes the configuration directory's file; returns why it cannot be made
// here, or "".
std::string MakeConfig(Config config, const std::string& path)
{
    if (config == Config::Absent)
        return {};
    fs::create_directories(fs::path(path).parent_path());
    WriteFileBytes(path, Content(1));
    switch (config) {
    case Config::Absent:
    case Config::Private:
        ::chmod(path.c_str(), 0600);
        return {};
    case Config::OwnGroup664:
        ::chmod(path.c_str(), 0664);
        return settings::UserPrivateGroup(::geteuid(), ::getegid())
                   ? std::string()
                   : "the user's primary group has other members here";
    case Config::SharedGroup: {
        const std::optional<gid_t> group = SharedGroup();
        if (!group || ::chown(path.c_str(), ::geteuid(), *group) != 0)
            return "no group with other accounts to give the file to";
        ::chmod(path.c_str(), 0664);
        return {};
    }
    case Config::WritableByAll:
        ::chmod(path.c_str(), 0666);
        return {};
    case Config::OtherOwner:
        ::chmod(path.c_str(), 0600);
        return ::chown(path.c_str(), 65534, 65534) == 0 ? std::string()
                                                        : "giving a file away needs root";
    }
    return {};
}

// The places, under the test's directory @: c the configuration directory,
// t $TMPDIR, x $XDG_CACHE_HOME, w the current directory.
const char* const ConfigFile = "c/ocrprint/ocrprn2.ini";

struct RuleRow
{
    const char* name;
    Config config;
    std::string oldFiles; // of "t", "x", "w": ocrprn2.ini there (HorzOffset 2, 3, 4); "T" 0666
    bool tmpdirExists;
    int horzOffset;                 // what every reader got: 0 the defaults, else the file's
    std::vector<std::string> said;  // every command's lines about the settings, "@" the directory
    std::vector<std::string> shown; // show's further lines
};

void PrintTo(const RuleRow& row, std::ostream* os)
{
    *os << row.name;
}

std::string Expand(std::string text, const std::string& root)
{
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at))
        text.replace(at, 1, root), at += root.size();
    return text;
}

// The lines of err that are not about an output written.
std::vector<std::string> SettingsLines(const std::string& err)
{
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);)
        if (!line.ends_with(": written"))
            lines.push_back(line);
    return lines;
}

class SettingsRule : public ::testing::TestWithParam<RuleRow>
{
protected:
    // A fresh set of places for one reader; "" or why the row cannot be made.
    std::string Prepare()
    {
        const RuleRow& row = GetParam();
        m_dir.emplace();
        for (const char* sub : {"x", "w", "h"})
            fs::create_directories(File(sub));
        if (row.tmpdirExists)
            fs::create_directories(File("t"));
        const int offsets[] = {2, 3, 4};
        for (int i = 0; i < 3; ++i) {
            const std::string place(1, "txw"[i]);
            // An upper-case letter: the file is writable by all.
            const bool open = row.oldFiles.find(char(place[0] - 32)) != std::string::npos;
            if (open || row.oldFiles.find(place) != std::string::npos) {
                WriteFileBytes(File(place + "/ocrprn2.ini"), Content(offsets[i]));
                ::chmod(File(place + "/ocrprn2.ini").c_str(), open ? 0666 : 0600);
            }
        }
        WriteFileBytes(File("d.prn"), "50,50,12,1,0,1,a,b,c,d,e,ABC\r\n");
        return MakeConfig(row.config, File(ConfigFile));
    }
    std::string File(const std::string& name) const { return m_dir->File(name); }
    std::vector<std::pair<const char*, std::optional<std::string>>> Environment() const
    {
        return {{"TMPDIR", File(GetParam().tmpdirExists ? "t" : "gone")},
                {"XDG_CACHE_HOME", File("x")},
                {"XDG_CONFIG_HOME", File("c")},
                {"HOME", File("h")}};
    }
    std::vector<std::string> Expected(bool show) const
    {
        std::vector<std::string> lines;
        for (const std::string& line : GetParam().said)
            lines.push_back("ocrprint-cli: " + Expand(line, m_dir->Path()));
        if (show)
            for (const std::string& line : GetParam().shown)
                lines.push_back("ocrprint-cli: " + Expand(line, m_dir->Path()));
        return lines;
    }

    std::optional<TempDir> m_dir;
};

TEST_P(SettingsRule, EveryReaderUsesTheOneFileAndSaysSo)
{
    const RuleRow& row = GetParam();
    const fs::path cwd = fs::current_path();
    // The window's load, in this process.
    {
        if (const std::string why = Prepare(); !why.empty())
            GTEST_SKIP() << why;
        std::vector<std::unique_ptr<testutil::ScopedEnv>> env;
        for (const auto& [name, value] : Environment())
            env.push_back(std::make_unique<testutil::ScopedEnv>(name, value));
        fs::current_path(File("w"));
        core::TPrintAdjustment adjustment;
        const settings::SettingsChoice choice = settings::LoadSettings(adjustment);
        fs::current_path(cwd);
        EXPECT_EQ(adjustment.HorzOffset, row.horzOffset) << "window";
        EXPECT_EQ(choice.Loaded(), row.horzOffset != 0);
        // A refusal is what the tool reports as the defaults.
        EXPECT_EQ(choice.Refused(),
                  !row.said.empty() && row.said.back() == "no settings file: defaults");
    }
    const std::vector<std::pair<const char*, QStringList>> commands = {
        {"print", {"print", "--data", "@/d.prn", "-o", "@/o.pdf"}},
        {"check", {"check", "--data", "@/d.prn", "--dpi", "600"}},
        {"preview", {"preview", "--data", "@/d.prn", "-o", "@/p.png", "--dpi", "600"}},
        {"show", {"show"}},
        {"test-print", {"test-print", "150", "200", "100", "150", "-o", "@/t.pdf"}},
        {"calibrate", {"calibrate", "150", "200", "100", "150", "--dpi", "600"}},
    };
    for (const auto& [name, arguments] : commands) {
        Prepare();
        testutil::CliInput input;
        for (const auto& [variable, value] : Environment())
            input.env << Q(std::string(variable) + "=" + *value);
        QStringList args;
        for (const QString& a : arguments)
            args << Q(Expand(a.toStdString(), m_dir->Path()));
        fs::current_path(File("w"));
        const Result r = testutil::RunCli(args, input);
        fs::current_path(cwd);
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(SettingsLines(r.err), Expected(std::string(name) == "show")) << name;
        if (std::string(name) == "show") {
            EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
                      "HorzOffset " + std::to_string(row.horzOffset));
        }
    }
}

// What each command says, "@" the test's directory.
const std::string Refused666 = "@/c/ocrprint/ocrprn2.ini: ignored: others may write to it "
                               "(chmod go-w @/c/ocrprint/ocrprn2.ini)";
const std::string NotOwned =
    "@/c/ocrprint/ocrprn2.ini: ignored: it belongs to another user, who could have planted it";
const std::string Defaults = "no settings file: defaults";
std::string Used(const std::string& file)
{
    return file + ": settings file used: @/c/ocrprint/ocrprn2.ini does not exist, and an "
                  "earlier release kept the settings here (the next save writes "
                  "@/c/ocrprint/ocrprn2.ini)";
}
std::string Read(const std::string& file)
{
    return "@/" + file + ": settings read";
}
const std::string NoneInTmp =
    "no settings file: defaults (neither @/c/ocrprint/ocrprn2.ini nor @/t/ocrprn2.ini exists)";
const std::string NoneInCwd =
    "no settings file: defaults (neither @/c/ocrprint/ocrprn2.ini nor ocrprn2.ini exists)";

INSTANTIATE_TEST_SUITE_P(
    Places, SettingsRule,
    ::testing::Values(
        RuleRow{"ConfigPrivate", Config::Private, "txw", true, 1, {}, {Read(ConfigFile)}},
        RuleRow{"ConfigInOwnGroup664", Config::OwnGroup664, "txw", true, 1, {}, {Read(ConfigFile)}},
        RuleRow{"ConfigInSharedGroupMeansDefaults",
                Config::SharedGroup,
                "txw",
                true,
                0,
                {Refused666, Defaults},
                {}},
        RuleRow{"Config666MeansDefaults",
                Config::WritableByAll,
                "txw",
                true,
                0,
                {Refused666, Defaults},
                {}},
        RuleRow{"ConfigOfAnotherOwnerMeansDefaults",
                Config::OtherOwner,
                "txw",
                true,
                0,
                {NotOwned, Defaults},
                {}},
        RuleRow{"OldTmpdirFile",
                Config::Absent,
                "txw",
                true,
                2,
                {Used("@/t/ocrprn2.ini")},
                {Read("t/ocrprn2.ini")}},
        RuleRow{"OldTmpdirFileOpenToAllMeansDefaults",
                Config::Absent,
                "Txw",
                true,
                0,
                {"@/t/ocrprn2.ini: ignored: others may write to it (chmod go-w @/t/ocrprn2.ini)",
                 Defaults},
                {}},
        RuleRow{"CacheNotSearchedWhileTmpdirExists", Config::Absent, "x", true, 0, {}, {NoneInTmp}},
        RuleRow{"CurrentDirectoryNotSearchedWhileTmpdirExists",
                Config::Absent,
                "w",
                true,
                0,
                {},
                {NoneInTmp}},
        RuleRow{"TmpdirMissingCurrentDirectory",
                Config::Absent,
                "xw",
                false,
                4,
                {Used("ocrprn2.ini")},
                {"ocrprn2.ini: settings read"}},
        RuleRow{"TmpdirMissingCacheNotRead", Config::Absent, "x", false, 0, {}, {NoneInCwd}},
        RuleRow{"NothingAnywhere", Config::Absent, "", true, 0, {}, {NoneInTmp}}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ --settings FILE

struct GivenRow
{
    const char* name;
    const char* made; // "" nothing, "dir", "fifo"
    QStringList args; // "@" the test's directory, the file @/s.ini
    int status;
    std::string said; // the line on standard error, "" none
};

void PrintTo(const GivenRow& row, std::ostream* os)
{
    *os << row.name;
}

class GivenSettings : public ::testing::TestWithParam<GivenRow>
{
};

TEST_P(GivenSettings, ReadingCommandsNeedTheFile)
{
    const GivenRow& row = GetParam();
    TempDir dir;
    const std::string file = dir.File("s.ini");
    if (std::string(row.made) == "dir")
        fs::create_directory(file);
    if (std::string(row.made) == "fifo") {
        ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    }
    WriteFileBytes(dir.File("d.prn"), "50,50,12,1,0,1,a,b,c,d,e,ABC\r\n");
    QStringList args;
    for (const QString& a : row.args)
        args << Q(Expand(a.toStdString(), dir.Path()));
    args << "--settings" << Q(file);
    const Result r = testutil::RunCli(args, dir.Path());
    EXPECT_EQ(r.status, row.status) << r.err;
    EXPECT_EQ(r.err,
              row.said.empty() ? "" : "ocrprint-cli: " + Expand(row.said, dir.Path()) + "\n");
    // calibrate makes the file it was given, as before.
    if (row.status == 0) {
        EXPECT_EQ(testutil::ReadFileBytes(file).substr(0, 3), "0\r\n");
    }
}

const QStringList Show{"show"};
const QStringList PrintOut{"print", "--data", "@/d.prn", "-o", "/dev/null", "--format", "pdf"};
const QStringList CheckData{"check", "--data", "@/d.prn", "--dpi", "600"};
const QStringList PreviewOut{"preview", "--data", "@/d.prn", "-o", "@/p.png", "--dpi", "600"};
const QStringList Calibrate{"calibrate", "150", "200", "100", "150", "--dpi", "600"};
const std::string Gone = "@/s.ini: cannot read the settings file: it does not exist";
const std::string IsDir = "@/s.ini: cannot read the settings file: it is a directory";

INSTANTIATE_TEST_SUITE_P(
    Settings, GivenSettings,
    ::testing::Values(GivenRow{"ShowMissing", "", Show, 1, Gone},
                      GivenRow{"PrintMissing", "", PrintOut, 1, Gone},
                      GivenRow{"CheckMissing", "", CheckData, 1, Gone},
                      GivenRow{"PreviewMissing", "", PreviewOut, 1, Gone},
                      GivenRow{"ShowDirectory", "dir", Show, 1, IsDir},
                      GivenRow{"PrintDirectory", "dir", PrintOut, 1, IsDir},
                      GivenRow{"ShowFifo", "fifo", Show, 1,
                               "@/s.ini: cannot read the settings file: it is a FIFO"},
                      GivenRow{"CalibrateMakesIt", "", Calibrate, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ hand-edited lines

struct EditRow
{
    const char* name;
    std::string content;
    std::string values;             // show's output, "Name value" lines joined by ' '
    std::vector<std::string> notes; // "@" the file
};

void PrintTo(const EditRow& row, std::ostream* os)
{
    *os << row.name;
}

class HandEdited : public ::testing::TestWithParam<EditRow>
{
};

TEST_P(HandEdited, LoadsAsBeforeAndNamesTheLine)
{
    const EditRow& row = GetParam();
    TempDir dir;
    const std::string file = dir.File("s.ini");
    WriteFileBytes(file, row.content);
    ::chmod(file.c_str(), 0600);
    WriteFileBytes(dir.File("d.prn"), "50,50,12,1,0,1,a,b,c,d,e,ABC\r\n");
    std::vector<std::string> expected;
    for (const std::string& note : row.notes)
        expected.push_back("ocrprint-cli: " + Expand(note, file));
    std::vector<std::string> withRead = expected;
    withRead.insert(withRead.begin(), "ocrprint-cli: " + file + ": settings read");

    const Result shown = testutil::RunCli({"show", "--settings", Q(file)}, dir.Path());
    ASSERT_EQ(shown.status, 0) << shown.err;
    std::string values = shown.out;
    std::replace(values.begin(), values.end(), '\n', ' ');
    EXPECT_EQ(values, row.values + " ");
    EXPECT_EQ(SettingsLines(shown.err), withRead);
    const Result printed = testutil::RunCli({"print", "--data", Q(dir.File("d.prn")), "-o",
                                             Q(dir.File("o.pdf")), "--settings", Q(file)},
                                            dir.Path());
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(SettingsLines(printed.err), expected);
    // check does not repeat them.
    const Result checked = testutil::RunCli(
        {"check", "--data", Q(dir.File("d.prn")), "--dpi", "600", "--settings", Q(file)},
        dir.Path());
    EXPECT_EQ(checked.err, "");
}

const std::string Tail = "0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n";
const std::string TailValues =
    "VertScale 0 HorzScale 0 MeasuredX 150 MeasuredY 200 MeasuredA 100 MeasuredB 150";

INSTANTIATE_TEST_SUITE_P(
    Settings, HandEdited,
    ::testing::Values(
        EditRow{"Clean", "1.5\r\n-2\r\n" + Tail, "HorzOffset 1.5 VertOffset -2 " + TailValues, {}},
        EditRow{"DecimalComma",
                "1,5\r\n-2\r\n" + Tail,
                "HorzOffset 0 VertOffset -2 " + TailValues,
                {"@:1: HorzOffset \"1,5\" is not a number: 0 taken"}},
        EditRow{"ByteOrderMark",
                "\xEF\xBB\xBF"
                "1.5\r\n-2\r\n" +
                    Tail,
                "HorzOffset 0 VertOffset -2 " + TailValues,
                {"@:1: HorzOffset starts with a byte-order mark, so \"\xEF\xBB\xBF"
                 "1.5\" is not a number: 0 taken"}},
        EditRow{"EmptyLine",
                "1.5\r\n\r\n" + Tail,
                "HorzOffset 1.5 VertOffset 0 " + TailValues,
                {"@:2: VertOffset \"\" is not a number: 0 taken"}},
        // 1.5 and 253 blanks fill the 254 bytes; "-2" is read as VertOffset
        // and every later value moves down a line.
        EditRow{"LineOver254Bytes",
                "1.5" + std::string(251, ' ') + "-2\r\n3\r\n" + Tail,
                "HorzOffset 1.5 VertOffset -2 VertScale 3 HorzScale 0 MeasuredX 0 MeasuredY 150 "
                "MeasuredA 200 MeasuredB 100",
                {"@:1: longer than 254 bytes: HorzOffset 1.5 taken from them, the rest is read as "
                 "VertOffset"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
