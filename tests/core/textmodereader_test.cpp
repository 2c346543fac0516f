#include "textmodereader.h"

#include "conversions.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A private directory removed again at the end of the test.
class ScratchDir
{
public:
    ScratchDir()
    {
        std::string pattern = (fs::temp_directory_path() / "ocrprint-core-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    bool Valid() const { return !m_path.empty(); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = File(name);
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    fs::path m_path;
};

std::vector<std::string> ReadAll(core::TextModeReader& reader, std::size_t maxBytes)
{
    std::vector<std::string> pieces;
    std::string piece;
    while (!reader.AtEnd()) {
        if (!reader.ReadLine(piece, maxBytes))
            continue;
        pieces.push_back(piece);
    }
    EXPECT_FALSE(reader.ReadLine(piece, maxBytes)) << "a read after the end must fail";
    EXPECT_TRUE(piece.empty());
    return pieces;
}

// The plain model of text-mode reading that the buffered reader must agree
// with: drop CRs, stop at 0x1A, cut after each LF or after maxBytes bytes.
std::vector<std::string> Model(const std::string& bytes, std::size_t maxBytes)
{
    std::string text = bytes.substr(0, bytes.find('\x1A'));
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        piece += c;
        if (c == '\n' || piece.size() == maxBytes) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}

struct ReadRow
{
    const char* name;
    std::string bytes;
    std::size_t maxBytes;
    std::vector<std::string> expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const ReadRow& row, std::ostream* os)
{
    *os << row.name;
}

class TextModeReaderRows : public testing::TestWithParam<ReadRow>
{
};

TEST_P(TextModeReaderRows, ReadsPieces)
{
    const ReadRow& row = GetParam();
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("data.prn", row.bytes)));
    EXPECT_EQ(ReadAll(reader, row.maxBytes), row.expected);
    EXPECT_EQ(Model(row.bytes, row.maxBytes), row.expected) << "the row itself is wrong";
    // The same bytes handed over whole (standard input) read the same.
    core::TextModeReader memory;
    memory.OpenBytes(row.bytes);
    EXPECT_TRUE(memory.IsOpen());
    EXPECT_EQ(ReadAll(memory, row.maxBytes), row.expected);
}

const std::string Long300(300, 'a');

INSTANTIATE_TEST_SUITE_P(
    Rows, TextModeReaderRows,
    testing::Values(
        ReadRow{"CrLf", "1,2\r\n3,4\r\n", 255, {"1,2\n", "3,4\n"}},
        ReadRow{"Lf", "1,2\n3,4\n", 255, {"1,2\n", "3,4\n"}},
        ReadRow{"LoneCrInsideLineDropped", "ab\rcd\r\n", 255, {"abcd\n"}},
        ReadRow{"SeveralCrsBeforeLf", "a\r\r\r\n", 255, {"a\n"}},
        ReadRow{"CrAtEndOfFile", "a\nb\r", 255, {"a\n", "b"}},
        ReadRow{"SubEndsTheFile",
                "a\r\nb\x1A"
                "c\r\nd\r\n",
                255,
                {"a\n", "b"}},
        ReadRow{"SubFirst",
                "\x1A"
                "abc\n",
                255,
                {}},
        ReadRow{"LastLineWithoutLf", "a\nlast", 255, {"a\n", "last"}},
        ReadRow{"LongLineInPieces",
                Long300 + "\n",
                255,
                {std::string(255, 'a'), std::string(45, 'a') + "\n"}},
        ReadRow{"Exactly254FitsWhole",
                std::string(254, 'b') + "\r\n",
                255,
                {std::string(254, 'b') + "\n"}},
        ReadRow{"Exactly255LeavesTheLf",
                std::string(255, 'c') + "\n",
                255,
                {std::string(255, 'c'), "\n"}},
        ReadRow{
            "SettingsLine254", std::string(254, 'd') + "\n", 254, {std::string(254, 'd'), "\n"}},
        ReadRow{"CrsNotCounted",
                std::string(200, 'e') + std::string(100, '\r') + "ff\n",
                255,
                {std::string(200, 'e') + "ff\n"}},
        ReadRow{"NulBytesKept",
                std::string("a\0b\n\0\n", 6),
                255,
                {std::string("a\0b\n", 4), std::string("\0\n", 2)}},
        ReadRow{"ShiftJisBytesKept", "\x82\xA0,\x90\x5C\r\n", 255, {"\x82\xA0,\x90\x5C\n"}},
        ReadRow{"Empty", "", 255, {}}, ReadRow{"OnlyCrLf", "\r\n", 255, {"\n"}},
        ReadRow{"OnlyCrs", "\r\r\r", 255, {}}, ReadRow{"EmptyLines", "\n\n", 255, {"\n", "\n"}},
        ReadRow{"OneByteAtATime", "ab\n", 1, {"a", "b", "\n"}}),
    [](const testing::TestParamInfo<ReadRow>& info) { return info.param.name; });

// Lines, CRs and the 0x1A placed across the reader's chunk boundaries.
TEST(TextModeReader, AgreesWithTheModelAcrossChunks)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string bytes;
    unsigned seed = 12345;
    while (bytes.size() < 300 * 1024) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t length = (seed >> 8) % 400;
        for (std::size_t i = 0; i < length; ++i)
            bytes += static_cast<char>('A' + (i + seed) % 26);
        bytes += (seed & 0x10000) ? "\r\n" : "\n";
        if ((seed & 0x7000) == 0)
            bytes += std::string((seed >> 4) % 70000, '\r');
    }
    for (const std::size_t maxBytes : {std::size_t{255}, std::size_t{254}, std::size_t{100000}}) {
        SCOPED_TRACE(maxBytes);
        core::TextModeReader reader;
        ASSERT_TRUE(reader.Open(dir.Write("big.prn", bytes)));
        EXPECT_EQ(ReadAll(reader, maxBytes), Model(bytes, maxBytes));
    }
    std::string withSub = bytes;
    withSub[200 * 1024 + 7] = '\x1A';
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("sub.prn", withSub)));
    const std::vector<std::string> pieces = ReadAll(reader, 255);
    EXPECT_EQ(pieces, Model(withSub, 255));
    EXPECT_LT(pieces.size(), Model(bytes, 255).size());
}

TEST(TextModeReader, ChunkOfOnlyCrs)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("cr.prn", "a" + std::string(200000, '\r') + "b\r\nc")));
    EXPECT_EQ(ReadAll(reader, 255), (std::vector<std::string>{"ab\n", "c"}));
}

// The position of the descriptor that the reader holds open on path.
long long OpenFilePosition(const std::string& path)
{
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error) != path)
            continue;
        std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
        std::string key;
        long long pos = -1;
        while (info >> key)
            if (key == "pos:" && info >> pos)
                return pos;
    }
    return -1;
}

TEST(TextModeReader, ReadsOnlyWhatTheLinesNeed)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string bytes;
    for (int i = 0; i < 8; ++i)
        bytes += std::to_string(i * 10) + "\r\n";
    bytes.resize(10 * 1024 * 1024, '9');
    const std::string path = dir.Write("ocrprn2.ini", bytes);
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(path));
    std::string line;
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(reader.ReadLine(line, 255));
        EXPECT_EQ(line, std::to_string(i * 10) + "\n");
    }
    const long long pos = OpenFilePosition(fs::canonical(path).string());
    ASSERT_GE(pos, 0) << "no descriptor open on the file";
    EXPECT_LE(pos, 1024 * 1024) << "the reader read far more than the lines";
}

TEST(TextModeReader, SymlinkRefusedWithNoFollowOnly)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    const std::string target = dir.Write("real.prn", "x\n");
    const std::string link = dir.File("link.prn");
    fs::create_symlink(target, link);
    core::TextModeReader reader;
    EXPECT_FALSE(reader.Open(link, true));
    EXPECT_FALSE(reader.IsOpen());
    ASSERT_TRUE(reader.Open(link, false));
    EXPECT_EQ(ReadAll(reader, 255), std::vector<std::string>{"x\n"});
    EXPECT_TRUE(reader.Open(target, true));
}

TEST(TextModeReader, NonRegularFilesRefused)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    core::TextModeReader reader;
    const std::string subdir = dir.File("folder");
    fs::create_directory(subdir);
    EXPECT_FALSE(reader.Open(subdir));
    EXPECT_FALSE(reader.Open(subdir, true));
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(reader.Open(fifo)) << "a FIFO must be refused, not waited on";
    EXPECT_FALSE(reader.Open(dir.File("missing.prn")));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_TRUE(reader.AtEnd());
    std::string line = "old";
    EXPECT_FALSE(reader.ReadLine(line, 255));
}

TEST(TextModeReader, ReopenStartsAfresh)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    const std::string first = dir.Write("a.prn", "1\n2\x1A");
    const std::string second = dir.Write("b.prn", "3\n4\n");
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(first));
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line, 255));
    EXPECT_EQ(line, "1\n");
    ASSERT_TRUE(reader.Open(second));
    EXPECT_EQ(ReadAll(reader, 255), (std::vector<std::string>{"3\n", "4\n"}));
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_TRUE(reader.AtEnd());
}

TEST(TextModeReader, AtEndLooksAhead)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.Valid());
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("empty.prn", "")));
    EXPECT_TRUE(reader.AtEnd());
    ASSERT_TRUE(reader.Open(dir.Write("one.prn", "only\r\n")));
    EXPECT_FALSE(reader.AtEnd());
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line, 255));
    EXPECT_TRUE(reader.AtEnd());
}

// The sample data file shipped with the program: every line is a complete
// entry whose number fields convert.
TEST(TextModeReader, SampleDataFileIsWellFormed)
{
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(std::string(OCRPRINT_SOURCE_DIR) + "/examples/ocrdat.prn", true));
    std::string line;
    int entries = 0;
    while (reader.ReadLine(line, 255)) {
        SCOPED_TRACE(entries + 1);
        ASSERT_EQ(line.back(), '\n') << "a line longer than 254 bytes or without LF";
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (int i = 0; i < 11; ++i) {
            const std::size_t comma = line.find(',', start);
            ASSERT_NE(comma, std::string::npos);
            fields.push_back(line.substr(start, comma - start));
            start = comma + 1;
        }
        const double x = core::StrToFloat(fields[0]);
        const double y = core::StrToFloat(fields[1]);
        EXPECT_TRUE(x >= 10 && x <= 200 && y >= 10 && y <= 287);
        const std::int32_t size = core::StrToInt(fields[2]);
        EXPECT_TRUE(size >= 7 && size <= 14);
        for (int i = 3; i < 6; ++i)
            EXPECT_NO_THROW(core::StrToInt(fields[i]));
        for (int i = 6; i < 9; ++i)
            EXPECT_FALSE(fields[i].empty());
        ++entries;
    }
    EXPECT_GE(entries, 100);
    EXPECT_LE(entries, 200);
}

} // namespace
