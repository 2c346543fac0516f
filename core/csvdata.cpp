#include "csvdata.h"

#include "csvreaderplugin.h"
#include "plugin.h"

namespace core {

bool CsvToDataFile(std::string_view cp932Csv, std::size_t maxLineBytes, std::string& out,
                   CsvDataProblem& problem)
{
    // libcsv comes with the plugin, on the first spreadsheet of the run.
    static Plugin plugin(CsvReaderPluginFile);
    static const auto read = reinterpret_cast<CsvReaderFunction>(plugin.Symbol(CsvReaderEntry));
    if (!read) {
        out.clear();
        problem = {CsvDataProblem::Kind::NoReader, 0, 0, 0, plugin.Reason()};
        return false;
    }
    return read(cp932Csv, maxLineBytes, out, problem);
}

} // namespace core
