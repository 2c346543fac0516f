// The CSV reader plugin: libcsv does the parsing, loaded only by the commands
// that read spreadsheets.
#include "csvreaderplugin.h"

#include <csv.h>
#include <type_traits>
#include <vector>

namespace core {

namespace {

// What the parser's callbacks collect. The first problem stops the work: the
// callbacks only record it, and the caller stops feeding the parser.
struct Collector
{
    std::size_t MaxLineBytes = 0;
    std::string* Out = nullptr;
    std::vector<std::string> Fields;
    std::size_t Row = 0;
    bool Failed = false;
    CsvDataProblem Problem;

    void Fail(CsvDataProblem::Kind kind, std::size_t field = 0, std::size_t count = 0)
    {
        if (Failed)
            return;
        Failed = true;
        Problem = {kind, Row + 1, field, count, {}};
    }

    void WriteRow()
    {
        if (Fields.size() != DataFileFields) {
            Fail(CsvDataProblem::Kind::ColumnCount, 0, Fields.size());
            return;
        }
        for (std::size_t i = 0; i < Fields.size(); ++i) {
            const std::string& f = Fields[i];
            const std::size_t number = i + 1;
            if (f.find_first_of("\r\n") != std::string::npos)
                return Fail(CsvDataProblem::Kind::LineBreak, number);
            if (f.find('\x1A') != std::string::npos)
                return Fail(CsvDataProblem::Kind::EndOfFileByte, number);
            if (f.find('\0') != std::string::npos)
                return Fail(CsvDataProblem::Kind::NulByte, number);
            if (number < DataFileFields && f.find_first_of(",\"") != std::string::npos)
                return Fail(CsvDataProblem::Kind::SeparatorField, number);
        }
        std::string line;
        for (std::size_t i = 0; i + 1 < Fields.size(); ++i)
            line += Fields[i] + ',';
        const std::string& text = Fields.back();
        if (text.find(',') != std::string::npos || (!text.empty() && text[0] == '"'))
            line += '"' + text + '"';
        else
            line += text;
        if (line.size() > MaxLineBytes)
            return Fail(CsvDataProblem::Kind::LineTooLong, 0, line.size());
        *Out += line;
        *Out += "\r\n";
    }
};

void OnField(void* data, std::size_t length, void* user)
{
    auto& c = *static_cast<Collector*>(user);
    if (c.Failed)
        return;
    c.Fields.emplace_back(static_cast<const char*>(data), length);
}

void OnRecord(int, void* user)
{
    auto& c = *static_cast<Collector*>(user);
    if (c.Failed)
        return;
    c.WriteRow();
    c.Fields.clear();
    ++c.Row;
}

// RFC 4180: blanks belong to the field. libcsv trims them by default, which
// would change the positions and the texts of the data file.
int NoBlanks(unsigned char)
{
    return 0;
}

// Owns the parser so that it is freed on every way out.
class Parser
{
public:
    Parser() { m_ok = csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI) == 0; }
    ~Parser() { csv_free(&m_parser); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    bool Ok() const { return m_ok; }
    csv_parser* Get() { return &m_parser; }

private:
    csv_parser m_parser{};
    bool m_ok = false;
};

} // namespace

} // namespace core

extern "C" __attribute__((visibility("default"))) bool
ocrprint_csv_to_data_file(std::string_view cp932Csv, std::size_t maxLineBytes, std::string& out,
                          core::CsvDataProblem& problem)
{
    using namespace core;
    out.clear();
    Collector collector;
    collector.MaxLineBytes = maxLineBytes;
    collector.Out = &out;
    Parser parser;
    if (!parser.Ok()) {
        problem = {CsvDataProblem::Kind::OutOfMemory, 1, 0, 0, {}};
        return false;
    }
    csv_set_space_func(parser.Get(), NoBlanks);
    // Fed in blocks, so that a bad record stops the work where it stands.
    constexpr std::size_t Block = 4096;
    for (std::size_t pos = 0; pos < cp932Csv.size() && !collector.Failed; pos += Block) {
        const std::string_view block = cp932Csv.substr(pos, Block);
        if (csv_parse(parser.Get(), block.data(), block.size(), OnField, OnRecord, &collector) !=
            block.size())
            break;
    }
    // The last record may lack its line end; a quote left open is an error.
    if (!collector.Failed && csv_error(parser.Get()) == CSV_SUCCESS)
        csv_fini(parser.Get(), OnField, OnRecord, &collector);
    if (!collector.Failed && csv_error(parser.Get()) != CSV_SUCCESS)
        collector.Fail(csv_error(parser.Get()) == CSV_EPARSE ? CsvDataProblem::Kind::NotCsv
                                                             : CsvDataProblem::Kind::OutOfMemory);
    if (collector.Failed) {
        problem = collector.Problem;
        return false;
    }
    return true;
}

static_assert(std::is_same_v<decltype(&ocrprint_csv_to_data_file), core::CsvReaderFunction>);
