#pragma once
// What the program and the CSV reader plugin (csvreader.cpp, with libcsv)
// agree on: the module's file and its one entry point, which does the work of
// CsvToDataFile.

#include <cstddef>
#include <string>
#include <string_view>

#include "csvdata.h"

namespace core {

inline constexpr const char* CsvReaderPluginFile = "ocrprint-csv.so";
inline constexpr const char* CsvReaderEntry = "ocrprint_csv_to_data_file";
using CsvReaderFunction = bool (*)(std::string_view cp932Csv, std::size_t maxLineBytes,
                                   std::string& out, CsvDataProblem& problem);

} // namespace core
