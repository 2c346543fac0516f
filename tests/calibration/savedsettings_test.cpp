// The same typed lengths, once through the program's windows ("調整値の測定",
// the four boxes, "設定完了", "Ｏ Ｋ", "終 了") and once through
// "ocrprint-cli calibrate X Y A B --settings FILE": both run the calibration
// model's one sequence, so both leave the same settings file, byte for byte, except
// where the tool refuses a length the window replaces.
#include <QMessageBox>
#include <array>
#include <string>

#include "clirun.h"
#include "ocrtst.h"
#include "startup.h"
#include "unit2.h"
#include "unit2_fixture.h"
#include "unit3.h"

namespace {

using testutil::Click;
using testutil::ModalWatcher;
using testutil::Q;

// An earlier calibration that none of the rows gives.
const std::string EarlierFile = "1.5\r\n-1\r\n2.5\r\n-3\r\n140\r\n210\r\n90\r\n160\r\n";
const std::string EarlierCorrections = "1.5\r\n-1\r\n2.5\r\n-3\r\n";

struct SavedRow
{
    const char* name;
    int dpi;
    std::array<const char*, 4> typed; // X, Y, A, B
    // Accepted: the corrections saved, HorzOffset, VertOffset, VertScale,
    // HorzScale; the lengths after them as typed, or nominal where the tool
    // refuses. Refused: empty.
    std::array<const char*, 4> saved;
    const char* warning = nullptr; // the adjustment dialog's OK refuses with this; or null
    // The tool's exit status where it refuses a length the window replaces by
    // its nominal length (the earlier file stays); 0: the tool saves as well.
    int cliRefuses = 0;
};

void PrintTo(const SavedRow& row, std::ostream* os)
{
    *os << row.name;
}

// The file the window saves: the corrections, then the lengths.
std::string FileOf(const SavedRow& row)
{
    const std::array<const char*, 4> nominal = {"150", "200", "100", "150"};
    std::string file;
    for (const char* value : row.saved)
        file += std::string(value) + "\r\n";
    for (const char* value : row.cliRefuses != 0 ? nominal : row.typed)
        file += std::string(value) + "\r\n";
    return file;
}

const char* const Vertical = "縦方向調整値に誤りがあります。(±20mmまで)";

// clang-format off
const SavedRow SavedRows[] = {
    {"LongRectangleAt300dpi", 300, {"151", "200", "100", "150"}, {"0.6", "0", "0", "-2"}},
    {"BothAxesAt600dpi", 600, {"150.5", "199", "100", "150"}, {"0.3", "-0.8", "3", "-2"}},
    {"ScaleLimitedToTen", 300, {"140", "200", "100", "150"}, {"-7.2", "0", "0", "10"}},
    // -4.54 is handed over as track position 10, which OK stores as -5.
    {"NegativeScaleToTheHalfStepBelow", 300,
     {"152.27", "200", "100", "150"}, {"1.4", "0", "0", "-5"}},
    {"PositiveScaleToTheHalfStepBelow", 300,
     {"147.73", "200", "100", "150"}, {"-1.6", "0", "0", "4.5"}},
    {"OffsetAHairBelowATenth", 300, {"150", "200", "99.7", "150"}, {"0.2", "0", "0", "0"}},
    {"SmallNegativeOffsetFloorsDown", 300,
     {"150", "200", "100.04", "150"}, {"-0.1", "0", "0", "0"}},
    {"SmallPositiveOffsetFloorsToZero", 300, {"150", "200", "99.96", "150"}, {"0", "0", "0", "0"}},
    {"AllEmpty", 300, {"", "", "", ""}, {"0", "0", "0", "0"}, nullptr, 2},
    {"XJustBelowItsRange", 300, {"99.99", "200", "100", "150"}, {"0", "0", "0", "0"}, nullptr, 1},
    {"HorizontalOffsetAtItsLimit", 300, {"100", "200", "80", "150"}, {"-20", "0", "0", "10"}},
    // The test print's example, floored to tenths by the done button.
    {"DoneButtonTenths", 300, {"151", "199", "101", "149"}, {"-0.4", "0.2", "1.5", "-2"}},
    // The offsets -20 and 54: OK refuses the vertical one, no correction is
    // stored by either.
    {"VerticalOffsetRefused", 300, {"100", "250", "80", "120"}, {}, Vertical},
};
// clang-format on

class SavedSettings : public apptest::AppTest, public ::testing::WithParamInterface<SavedRow>
{
protected:
    ~SavedSettings() override { calibration::SetHandlerRunner(nullptr); }

    // The program from start-up to "終 了"; returns the settings file it saved
    // and the text of the warning box, if one came.
    std::pair<std::string, QString> ThroughTheWindows(const SavedRow& row)
    {
        testutil::WriteFileBytes(SettingsFile(), EarlierFile);
        auto windows = app::StartUp(m_application);
        form2test::FilePrinter printer(Dir().Path(), row.dpi);
        app::Form1->show();
        QWidget* const measurement = calibration::Form2;
        QWidget* const adjustment = calibration::Form3;
        QString warning;
        ModalWatcher adjusting(adjustment, [&](QWidget*) {
            ModalWatcher measuring(measurement, [&](QWidget*) {
                for (int i = 0; i < 4; ++i)
                    testutil::TypeText(
                        testutil::Child<QLineEdit>(measurement, form2test::EditNames[i]),
                        QString::fromUtf8(row.typed[i]));
                Click(measurement, form2test::DoneButton);
            });
            Click(adjustment, QStringLiteral("調整値の測定"));
            ModalWatcher box(testutil::IsMessageBox,
                             [&](QWidget* w) { warning = testutil::ReadAndCloseBox(w).Text; });
            Click(adjustment, QStringLiteral("Ｏ Ｋ"));
            if (adjustment->isVisible())
                Click(adjustment, form2test::CancelButton);
        });
        Click(app::Form1, QStringLiteral("誤差調整"));
        Click(app::Form1, QStringLiteral("終 了"));
        // Nothing was printed on the way.
        EXPECT_TRUE(printer.Ops().empty());
        return {testutil::ReadFileBytes(SettingsFile()), warning};
    }

    // ocrprint-cli calibrate on a settings file of its own.
    std::pair<std::string, testutil::Result> ThroughTheCommandLine(const SavedRow& row)
    {
        const testutil::TempDir dir;
        const std::string settings = dir.File("s.ini");
        testutil::WriteFileBytes(settings, EarlierFile);
        QStringList args{"calibrate"};
        for (const char* length : row.typed)
            args << QString::fromUtf8(length);
        args << "--settings" << Q(settings) << "--dpi" << QString::number(row.dpi);
        const testutil::Result r = testutil::RunCli(args, dir.Path());
        return {testutil::ReadFileBytes(settings), r};
    }
};

TEST_P(SavedSettings, DialogsAndCommandLineSaveTheSameFile)
{
    const SavedRow& row = GetParam();
    const auto [windowFile, warning] = ThroughTheWindows(row);
    const auto [cliFile, cli] = ThroughTheCommandLine(row);
    if (row.cliRefuses != 0) {
        EXPECT_EQ(warning, QString());
        EXPECT_EQ(windowFile, FileOf(row));
        EXPECT_EQ(cli.status, row.cliRefuses) << cli.err;
        EXPECT_EQ(cliFile, EarlierFile);
        return;
    }
    if (!row.warning) {
        EXPECT_EQ(cli.status, 0) << cli.err;
        EXPECT_EQ(warning, QString());
        EXPECT_EQ(windowFile, FileOf(row));
        EXPECT_EQ(cliFile, windowFile);
        return;
    }
    // Refused the same way: the window's warning box and the tool's message
    // say the same; the corrections stay as they were in both files. The
    // window has stored the lengths at its done button; the tool writes
    // nothing when it fails.
    EXPECT_EQ(warning, QString::fromUtf8(row.warning));
    EXPECT_EQ(cli.status, 1);
    EXPECT_NE(cli.err.find(row.warning), std::string::npos) << cli.err;
    EXPECT_EQ(windowFile.substr(0, EarlierCorrections.size()), EarlierCorrections);
    EXPECT_EQ(cliFile, EarlierFile);
}

INSTANTIATE_TEST_SUITE_P(Lengths, SavedSettings, ::testing::ValuesIn(SavedRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
