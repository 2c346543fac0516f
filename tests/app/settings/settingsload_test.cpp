// Loading the settings file: the line rules, odd and hostile files.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>

#include "files.h"
#include "settingsfile.h"
#include "settingsfile_fixture.h"

namespace {

using namespace settingstest;
using testutil::TempDir;
using testutil::WriteFileBytes;
namespace fs = std::filesystem;

struct LoadRow
{
    const char* name;
    std::optional<std::string> content; // nullopt: there is no file
    Values expected;
};

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string s;
    for (const char* line : lines)
        s += std::string(line) + "\r\n";
    return s;
}

// A literal with NUL bytes inside.
template <std::size_t N> std::string Bytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

std::vector<LoadRow> LoadRows()
{
    const std::string ones300(300, '1');
    const std::string ones254(254, '1');
    const std::string ones255(255, '1');
    std::vector<LoadRow> rows = {
        {"NoFile", std::nullopt, Defaults},
        {"EmptyFile", "", Defaults},
        {"EightLines",
         Lines({"1.5", "-2", "-3.5", "4", "151", "199.5", "101", "149"}),
         {1.5, -2, -3.5, 4, 151, 199.5, 101, 149}},
        {"FourLinesKeepMeasuredDefaults",
         Lines({"1.5", "-2", "3", "4.5"}),
         {1.5, -2, 3, 4.5, 150, 200, 100, 150}},
        {"LastLineWithoutLineEnd", "1\r\n2\r\n3", {1, 2, 3, 0, 150, 200, 100, 150}},
        {"LettersAtLine5GiveZero",
         Lines({"1", "2", "3", "4", "abc", "160", "90", "130"}),
         {1, 2, 3, 4, 0, 160, 90, 130}},
        {"EmptyLineAt5GivesZero",
         Lines({"1", "2", "3", "4", "", "160", "90", "130"}),
         {1, 2, 3, 4, 0, 160, 90, 130}},
        {"TrailingBlanksTabsAndControls",
         "1 \t\r\n 2\t\t\r\n3\x01\x1f \r\n4\n5  \n6\r\r\n7\t\n8 \r\n",
         {1, 2, 3, 4, 5, 6, 7, 8}},
        {"OutOfRangeLoadsUnlimited",
         Lines({"35", "-35", "99", "-99", "1000", "0", "-5", "1E300"}),
         {35, -35, 99, -99, 1000, 0, -5, 1e300}},
        {"ExponentsAndSigns",
         Lines({"1E-5", "+2.5e1", "-.5", "7.", "1e0", "2E+2", "3", "4"}),
         {1e-5, 25, -0.5, 7, 1, 200, 3, 4}},
        {"NotNumbersGiveZero",
         Lines({"1,5", "0x10", "nan", "inf", "12abc", "--1", "1 2", "."}),
         {0, 0, 0, 0, 0, 0, 0, 0}},
        {"EndOfFileMarkMidFile", "1\r\n2\r\n3\x1a\r\n4\r\n5\r\n", {1, 2, 3, 0, 150, 200, 100, 150}},
        {"EndOfFileMarkAtLineStart",
         "1\r\n\x1a"
         "2\r\n",
         {1, 0, 0, 0, 150, 200, 100, 150}},
        {"NinthLineIgnored",
         Lines({"1", "2", "3", "4", "5", "6", "7", "8", "9"}),
         {1, 2, 3, 4, 5, 6, 7, 8}},
        // Lines 1 and 2 take at most 254 bytes: the rest is the next line.
        {"FirstLineOf300Splits",
         ones300 + "\r\n2\r\n3\r\n",
         {Number(ones254), Number(std::string(46, '1')), 2, 3, 150, 200, 100, 150}},
        // 253 digits and the line feed fit; 254 digits leave the line feed
        // alone as an empty second line.
        {"FirstLineOf253Fits",
         std::string(253, '1') + "\r\n2\r\n",
         {Number(std::string(253, '1')), 2, 0, 0, 150, 200, 100, 150}},
        {"FirstLineOf254SpillsLineEnd",
         ones254 + "\r\n2\r\n",
         {Number(ones254), 0, 2, 0, 150, 200, 100, 150}},
        // Lines 3 to 8 take at most 255 bytes.
        {"ThirdLineOf254Fits",
         "1\r\n2\r\n" + ones254 + "\r\n4\r\n",
         {1, 2, Number(ones254), 4, 150, 200, 100, 150}},
        {"ThirdLineOf255SpillsLineEnd",
         "1\r\n2\r\n" + ones255 + "\r\n4\r\n",
         {1, 2, Number(ones255), 0, 4, 200, 100, 150}},
        // CRs are dropped before the bytes are counted.
        {"CrsDoNotCount",
         std::string(253, '1') + "\r\r\r\r\n2\r\n",
         {Number(std::string(253, '1')), 2, 0, 0, 150, 200, 100, 150}},
        // A NUL byte ends the line's text; the rest up to the line feed goes.
        {"NulBytes",
         Bytes("1\0\r\n\0\0\r\n3\0 \r\n4\0"
               "5\r\n"),
         {1, 0, 3, 4, 150, 200, 100, 150}},
        {"NulEndsTheLine", Bytes("1\0 2\r\n-2.5\0x\r\n"), {1, -2.5, 0, 0, 150, 200, 100, 150}},
    };
    // Lines of 10,000 characters: every field is a piece of the first line.
    std::string longLines;
    for (int i = 0; i < 8; ++i)
        longLines += std::string(10000, '7') + "\r\n";
    rows.push_back({"LinesOf10000Characters",
                    longLines,
                    {Number(std::string(254, '7')), Number(std::string(254, '7')),
                     Number(std::string(255, '7')), Number(std::string(255, '7')),
                     Number(std::string(255, '7')), Number(std::string(255, '7')),
                     Number(std::string(255, '7')), Number(std::string(255, '7'))}});
    return rows;
}

void PrintTo(const LoadRow& row, std::ostream* os)
{
    *os << row.name;
}

class LoadTable : public ::testing::TestWithParam<LoadRow>
{
};

TEST_P(LoadTable, LoadsByTheLineRules)
{
    const LoadRow& row = GetParam();
    TempDir dir;
    const std::string path = dir.File("ocrprn2.ini");
    if (row.content)
        WriteFileBytes(path, *row.content);

    core::TPrintAdjustment adjustment;
    adjustment.HorzOffset = 99; // must be reset, whatever the file holds
    adjustment.MeasuredB = 99;
    adjustment.PrinterDpiX = 600;
    adjustment.PrinterOffsetY = 17;
    settings::LoadSettingsFrom(path, adjustment);

    const Values got = FileOrder(adjustment);
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], row.expected[i]) << "line " << i + 1;
    // The printer fields are never stored: always their initial values.
    EXPECT_EQ(adjustment.PrinterDpiX, 300);
    EXPECT_EQ(adjustment.PrinterDpiY, 300);
    EXPECT_EQ(adjustment.PrinterOffsetX, 0);
    EXPECT_EQ(adjustment.PrinterOffsetY, 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, LoadTable, ::testing::ValuesIn(LoadRows()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsLoad, TenMegabyteFileReadsOnlyItsFirstLines)
{
    TempDir dir;
    std::string content = Lines({"1", "2", "3", "4", "5", "6", "7", "8"});
    content.reserve(10 * 1024 * 1024);
    while (content.size() < 10 * 1024 * 1024)
        content += "123456789\r\n";
    WriteFileBytes(dir.File("ocrprn2.ini"), content);
    core::TPrintAdjustment adjustment;
    settings::LoadSettingsFrom(dir.File("ocrprn2.ini"), adjustment);
    EXPECT_EQ(FileOrder(adjustment), (Values{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(SettingsLoad, BinaryGarbageWithoutNumbersGivesZeros)
{
    // Random bytes, none of which can start or continue a number and none of
    // which ends the file: each of the eight lines is read and is not a number.
    std::mt19937 random(20240601);
    const std::string excluded = "0123456789+-.eE\x1a";
    std::string garbage;
    while (garbage.size() < 8000) {
        const char byte = static_cast<char>(random() & 0xFF);
        if (excluded.find(byte) == std::string::npos)
            garbage += byte;
    }
    TempDir dir;
    WriteFileBytes(dir.File("ocrprn2.ini"), garbage);
    core::TPrintAdjustment adjustment;
    settings::LoadSettingsFrom(dir.File("ocrprn2.ini"), adjustment);
    EXPECT_EQ(FileOrder(adjustment), (Values{0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SettingsLoad, SymbolicLinkIsNotRead)
{
    TempDir dir;
    WriteFileBytes(dir.File("real.ini"), Lines({"5", "6", "7", "8", "160", "210", "110", "160"}));
    fs::create_symlink(dir.File("real.ini"), dir.File("ocrprn2.ini"));
    core::TPrintAdjustment adjustment;
    settings::LoadSettingsFrom(dir.File("ocrprn2.ini"), adjustment);
    EXPECT_EQ(FileOrder(adjustment), Defaults);
}

TEST(SettingsLoad, DirectoryAtThePathGivesDefaults)
{
    TempDir dir;
    fs::create_directory(dir.File("ocrprn2.ini"));
    core::TPrintAdjustment adjustment;
    adjustment.MeasuredX = 1;
    settings::LoadSettingsFrom(dir.File("ocrprn2.ini"), adjustment);
    EXPECT_EQ(FileOrder(adjustment), Defaults);
}

} // namespace
