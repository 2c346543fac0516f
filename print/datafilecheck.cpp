#include "datafilecheck.h"

#include <QCoreApplication>

#include "cp932.h"
#include "declarationjob.h"
#include "econverterror.h"
#include "parseprintline.h"
#include "textmodereader.h"

namespace print {

int CheckDataFile(const std::string& path,
                  const std::function<void(int, const std::string&)>& onProblem)
{
    core::TextModeReader reader;
    if (!reader.Open(path))
        return -1;
    return CheckDataFile(reader, onProblem);
}

int CheckDataFile(core::TextModeReader& reader,
                  const std::function<void(int, const std::string&)>& onProblem)
{
    int problems = 0;
    PrintRecord record;
    ReadPieces(reader, [&](int number, const std::string& piece) {
        try {
            int field = 0;
            if (ParsePrintLine(record, piece, field) != 1) {
                ++problems;
                // The tool's own wording, in the user's language.
                onProblem(number, QCoreApplication::translate("ocrprint-cli", "field %1 is empty")
                                      .arg(field)
                                      .toStdString());
            }
        } catch (const core::EConvertError& e) {
            ++problems;
            onProblem(number, core::Cp932ToUtf8(e.Message()));
        }
        return true;
    });
    return problems;
}

} // namespace print
