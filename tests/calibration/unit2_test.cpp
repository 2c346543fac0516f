// What the measurement dialog's buttons do when the user types and clicks:
// the lengths stored, the corrections handed to the adjustment dialog, the
// pages printed, cancel and the close box, and a missing printer.
#include <QGuiApplication>
#include <QMessageBox>
#include <QStyleHints>
#include <QTest>
#include <algorithm>
#include <iterator>

#include "form3controls.h"
#include "measurestate.h"
#include "tprinter.h"
#include "unit2_fixture.h"

namespace {

using form2test::CancelButton;
using form2test::DoneButton;
using form2test::EditNames;
using form2test::FilePrinter;
using form2test::Form2Test;
using form2test::SheetButton;
using form2test::TestButton;
using testutil::Click;
using testutil::EditText;

// ------------------------------------------------------------- done button

struct DoneRow
{
    const char* name;
    int dpi;
    const char* typed[4]; // X, Y, A, B as typed
    const char* shown[4]; // the boxes afterwards; nullptr: as typed
    double lengths[4];    // MeasuredX, Y, A, B afterwards
    int trackBar1;        // the adjustment dialog's controls afterwards
    int trackBar2;
    const char* edit1;
    const char* edit2;
};

void PrintTo(const DoneRow& row, std::ostream* os)
{
    *os << row.name;
}

// clang-format off
const DoneRow DoneRows[] = {
    // Scale -2 (position 16); offset 100 - 15000 / 151 = 0.662, floored to 0.6.
    {"LongRectangleAt300dpi", 300, {"151", "200", "100", "150"}, {},
     {151, 200, 100, 150}, 16, 20, "0.6", "0"},
    // Scales -2 and 3; offsets 0.332 and -0.754 floored to 0.3 and -0.8.
    {"BothAxesAt600dpi", 600, {"150.5", "199", "100", "150"}, {},
     {150.5, 199, 100, 150}, 16, 26, "0.3", "-0.8"},
    // Scale 20 is limited to 10.
    {"ScaleLimitedToTen", 300, {"140", "200", "100", "150"}, {},
     {140, 200, 100, 150}, 40, 20, "-7.2", "0"},
    // -4.54 goes to the half step at or below it, 4.54 likewise.
    {"NegativeScaleTruncated", 300, {"152.27", "200", "100", "150"}, {},
     {152.27, 200, 100, 150}, 10, 20, "1.4", "0"},
    {"PositiveScaleTruncated", 300, {"147.73", "200", "100", "150"}, {},
     {147.73, 200, 100, 150}, 29, 20, "-1.6", "0"},
    // 0.29999999999999716 floors to 0.2.
    {"OffsetAHairBelowATenth", 300, {"150", "200", "99.7", "150"}, {},
     {150, 200, 99.7, 150}, 20, 20, "0.2", "0"},
    {"SmallNegativeOffsetFloorsDown", 300, {"150", "200", "100.04", "150"}, {},
     {150, 200, 100.04, 150}, 20, 20, "-0.1", "0"},
    {"SmallPositiveOffsetFloorsToZero", 300, {"150", "200", "99.96", "150"}, {},
     {150, 200, 99.96, 150}, 20, 20, "0", "0"},
    // The vertical offset 54 is handed over as it is; only OK refuses it.
    {"OffsetsAtTheExtremes", 300, {"100", "250", "80", "120"}, {},
     {100, 250, 80, 120}, 40, 0, "-20", "54"},
    {"AllEmpty", 300, {"", "", "", ""}, {"150", "200", "100", "150"},
     {150, 200, 100, 150}, 20, 20, "0", "0"},
    // A text that converts stays as the user typed it.
    {"AcceptedTextStaysAsTyped", 300, {"151.0", " 200", "100.00", "1.5E2"}, {},
     {151, 200, 100, 150}, 16, 20, "0.6", "0"},
    // Full-width digits come out of the box in ASCII and count; letters and a
    // lone minus (typed full-width) are replaced.
    {"FullWidthDigitsTakenLettersReplaced", 300, {"１５１", "abc", "1O0", "－"},
     {"151", "200", "100", "150"}, {151, 200, 100, 150}, 16, 20, "0.6", "0"},
    {"XAtItsUpperBound", 300, {"200", "200", "100", "150"}, {},
     {200, 200, 100, 150}, 0, 20, "25", "0"},
    {"XAtItsLowerBound", 300, {"100", "200", "100", "150"}, {},
     {100, 200, 100, 150}, 40, 20, "-50", "0"},
    {"XJustAboveItsRange", 300, {"200.01", "200", "100", "150"}, {"150", nullptr, nullptr, nullptr},
     {150, 200, 100, 150}, 20, 20, "0", "0"},
    {"XJustBelowItsRange", 300, {"99.99", "200", "100", "150"}, {"150", nullptr, nullptr, nullptr},
     {150, 200, 100, 150}, 20, 20, "0", "0"},
    {"YAtItsUpperBound", 300, {"150", "250", "100", "150"}, {},
     {150, 250, 100, 150}, 20, 0, "0", "30"},
    {"YJustAboveItsRange", 300, {"150", "250.5", "100", "150"}, {nullptr, "200", nullptr, nullptr},
     {150, 200, 100, 150}, 20, 20, "0", "0"},
    {"AAtItsLowerBound", 300, {"150", "200", "80", "150"}, {},
     {150, 200, 80, 150}, 20, 20, "20", "0"},
    {"AJustBelowItsRange", 300, {"150", "200", "79.9", "150"}, {nullptr, nullptr, "100", nullptr},
     {150, 200, 100, 150}, 20, 20, "0", "0"},
    {"BAtItsUpperBound", 300, {"150", "200", "100", "180"}, {},
     {150, 200, 100, 180}, 20, 20, "0", "-30"},
    {"BJustAboveItsRange", 300, {"150", "200", "100", "180.1"}, {nullptr, nullptr, nullptr, "150"},
     {150, 200, 100, 150}, 20, 20, "0", "0"},
};
// clang-format on

class DoneButtonTable : public Form2Test, public ::testing::WithParamInterface<DoneRow>
{
};

TEST_P(DoneButtonTable, StoresTheLengthsHandsTheCorrectionsOverAndCloses)
{
    const DoneRow& row = GetParam();
    FilePrinter printer(Dir().Path(), row.dpi);
    m_form2->show();
    TypeAll(row.typed);
    Click(m_form2.get(), DoneButton);

    EXPECT_FALSE(m_form2->isVisible());
    EXPECT_EQ(m_form2->result(), QDialog::Accepted);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(EditNames[i]);
        const char* shown = row.shown[i] ? row.shown[i] : row.typed[i];
        EXPECT_EQ(EditText(m_form2.get(), EditNames[i]).toStdString(), shown);
    }
    ExpectLengths(row.lengths[0], row.lengths[1], row.lengths[2], row.lengths[3]);

    const testutil::Form3Controls c(*m_form3);
    EXPECT_EQ(c.TrackBar1->value(), row.trackBar1);
    EXPECT_EQ(c.TrackBar2->value(), row.trackBar2);
    EXPECT_EQ(c.Edit1->text().toStdString(), row.edit1);
    EXPECT_EQ(c.Edit2->text().toStdString(), row.edit2);

    // The printer was asked, nothing was printed, and the corrections wait
    // for the adjustment dialog's OK.
    EXPECT_EQ(calibration::MeasureState.DpiX, row.dpi);
    EXPECT_EQ(calibration::MeasureState.DpiY, row.dpi);
    EXPECT_TRUE(printer.Ops().empty());
    ExpectCorrectionsUntouched();
}

INSTANTIATE_TEST_SUITE_P(TForm2, DoneButtonTable, ::testing::ValuesIn(DoneRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form2Test, DoneTakesThePrinterOffsetsAsTheyCome)
{
    FilePrinter printer(Dir().Path(), 600, 71);
    m_form2->show();
    Click(m_form2.get(), DoneButton);
    EXPECT_EQ(calibration::MeasureState.PhysOffsetX, 71);
    EXPECT_EQ(calibration::MeasureState.PhysOffsetY, 71);
    // The lengths loaded at creation are nominal: no correction.
    EXPECT_EQ(testutil::Form3Controls(*m_form3).TrackBar1->value(), 20);
    EXPECT_EQ(testutil::Form3Controls(*m_form3).Edit2->text(), "0");
}

// ------------------------------------------------------- test print, sheet

struct TestPrintRow
{
    const char* name;
    int dpi;
    const char* typed[4];
    const char* shown[4];
    double lengths[4];
    double horzScale, vertScale, horzOffset, vertOffset; // MeasureState afterwards
};

void PrintTo(const TestPrintRow& row, std::ostream* os)
{
    *os << row.name;
}

// clang-format off
const TestPrintRow TestPrintRows[] = {
    // The offsets floored to 0.01 mm: 0.662 gives 0.66.
    {"LongRectangleAt300dpi", 300, {"151", "200", "100", "150"}, {},
     {151, 200, 100, 150}, -2, 0, 0.66, 0},
    // -0.754 gives -0.76.
    {"BothAxesAt600dpi", 600, {"150.5", "199", "100", "150"}, {},
     {150.5, 199, 100, 150}, -2, 3, 0.33, -0.76},
    // A replaced length is shown in its box, and the sheet uses it.
    {"ReplacedLengths", 300, {"abc", "250.5", "79.9", ""}, {"150", "200", "100", "150"},
     {150, 200, 100, 150}, 0, 0, 0, 0},
    {"TwoFiftyForXIsReplaced", 300, {"250", "200", "100", "150"}, {"150", nullptr, nullptr, nullptr},
     {150, 200, 100, 150}, 0, 0, 0, 0},
    {"LettersForYAreReplaced", 300, {"151", "abc", "100", "150"}, {nullptr, "200", nullptr, nullptr},
     {151, 200, 100, 150}, -2, 0, 0.66, 0},
};
// clang-format on

class TestPrintTable : public Form2Test, public ::testing::WithParamInterface<TestPrintRow>
{
};

TEST_P(TestPrintTable, StoresTheLengthsAndPrintsOnePageWithTheFinerCorrections)
{
    const TestPrintRow& row = GetParam();
    FilePrinter printer(Dir().Path(), row.dpi);
    m_form2->show();
    TypeAll(row.typed);
    Click(m_form2.get(), TestButton);
    const auto expectShown = [&] {
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(EditNames[i]);
            const char* shown = row.shown[i] ? row.shown[i] : row.typed[i];
            EXPECT_EQ(EditText(m_form2.get(), EditNames[i]).toStdString(), shown);
        }
    };
    EXPECT_TRUE(m_form2->isVisible()); // the dialog stays open
    expectShown();
    ExpectLengths(row.lengths[0], row.lengths[1], row.lengths[2], row.lengths[3]);
    const calibration::model::TMeasureState& s = calibration::MeasureState;
    EXPECT_EQ(s.DpiX, row.dpi);
    EXPECT_DOUBLE_EQ(s.DerivedHorzScale, row.horzScale);
    EXPECT_DOUBLE_EQ(s.DerivedVertScale, row.vertScale);
    EXPECT_DOUBLE_EQ(s.DerivedHorzOffset, row.horzOffset);
    EXPECT_DOUBLE_EQ(s.DerivedVertOffset, row.vertOffset);

    // One document of one page: the adjusted test sheet.
    const auto ops = printer.Ops();
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops.front()["op"].toString(), "open");
    EXPECT_EQ(ops.front()["dpi_x"].toInt(), row.dpi);
    EXPECT_EQ(ops.back()["op"].toString(), "close");
    EXPECT_EQ(printer.Ops("open").size(), 1u);
    EXPECT_EQ(printer.Ops("close").size(), 1u);
    const auto texts = printer.Ops("text");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front()["text"].toString(), QStringLiteral("テスト印刷（調整適用済み）"));
    EXPECT_GT(testutil::ReadFileBytes(printer.Output()).size(), 0u);

    ExpectCorrectionsUntouched();
    ExpectAdjustmentDialogUntouched();
}

INSTANTIATE_TEST_SUITE_P(TForm2, TestPrintTable, ::testing::ValuesIn(TestPrintRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form2Test, SheetButtonPrintsTheUncorrectedSheetAndTouchesNothingElse)
{
    FilePrinter printer(Dir().Path(), 600, 50);
    m_form2->show();
    Type("Edit1", "abc"); // not looked at by this button
    Click(m_form2.get(), SheetButton);

    EXPECT_TRUE(m_form2->isVisible());
    EXPECT_EQ(EditText(m_form2.get(), "Edit1"), "abc");
    ExpectLengths(150, 200, 100, 150);
    EXPECT_EQ(calibration::MeasureState.DpiX, 600);
    EXPECT_EQ(calibration::MeasureState.PhysOffsetY, 50);
    const auto ops = printer.Ops();
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops.front()["op"].toString(), "open");
    EXPECT_EQ(ops.back()["op"].toString(), "close");
    EXPECT_EQ(printer.Ops("open").size(), 1u);
    const auto texts = printer.Ops("text");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front()["text"].toString(), QStringLiteral("誤差測定用紙（未調整）"));
    EXPECT_GT(testutil::ReadFileBytes(printer.Output()).size(), 0u);
    ExpectCorrectionsUntouched();
    ExpectAdjustmentDialogUntouched();
}

// ------------------------------------------------ cancel, close box, keys

TEST_F(Form2Test, CancelAndTheCloseBoxStoreNothingAndHandOverNothing)
{
    FilePrinter printer(Dir().Path(), 300);
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "cancel");
        m_form2->show();
        TypeAll({"140", "250.5", "", "90"});
        if (closeBox)
            m_form2->close();
        else
            Click(m_form2.get(), CancelButton);
        EXPECT_FALSE(m_form2->isVisible());
        EXPECT_EQ(m_form2->result(), QDialog::Rejected);
        // Nothing checked: the boxes keep what was typed.
        EXPECT_EQ(EditText(m_form2.get(), "Edit2"), "250.5");
        EXPECT_EQ(EditText(m_form2.get(), "Edit3"), "");
    }
    ExpectLengths(150, 200, 100, 150);
    ExpectCorrectionsUntouched();
    ExpectAdjustmentDialogUntouched();
    EXPECT_TRUE(printer.Ops().empty());
}

TEST_F(Form2Test, CancelAfterATestPrintKeepsTheLengthsItStored)
{
    FilePrinter printer(Dir().Path(), 300);
    m_form2->show();
    TypeAll({"151", "199", "101", "300"});
    Click(m_form2.get(), TestButton);
    Click(m_form2.get(), CancelButton);
    EXPECT_FALSE(m_form2->isVisible());
    ExpectLengths(151, 199, 101, 150);
    EXPECT_EQ(EditText(m_form2.get(), "Edit4"), "150");
    ExpectCorrectionsUntouched();
    ExpectAdjustmentDialogUntouched();
}

TEST_F(Form2Test, TheBoxesKeepTheirTextsBetweenShowings)
{
    m_form2->show();
    Type("Edit1", "123.4");
    Click(m_form2.get(), CancelButton);
    // The stored lengths change behind the dialog's back; nothing reloads.
    m_adjustment.MeasuredX = 170;
    m_adjustment.MeasuredB = 130;
    m_form2->show();
    EXPECT_EQ(EditText(m_form2.get(), "Edit1"), "123.4");
    EXPECT_EQ(EditText(m_form2.get(), "Edit4"), "150");
}

// ---------------------------------------------------------- no printer

struct NoPrinterRow
{
    const char* name;
    const char* button;
};

void PrintTo(const NoPrinterRow& row, std::ostream* os)
{
    *os << row.name;
}

class NoPrinterTable : public Form2Test, public ::testing::WithParamInterface<NoPrinterRow>
{
protected:
    const form2test::NoPrinter m_noPrinter;
};

TEST_P(NoPrinterTable, ShowsTheErrorBoxAndChangesNothing)
{
    calibration::MeasureState.DpiX = 123; // no query may overwrite it
    calibration::MeasureState.DerivedHorzOffset = 9.99;
    m_form2->show();
    TypeAll({"151", "abc", "100", "150"});
    std::vector<testutil::BoxSeen> boxes;
    testutil::ModalWatcher watcher(
        [&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    Click(m_form2.get(), QString::fromUtf8(GetParam().button));

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, QStringLiteral("Kavenor OCR印刷 R3.2"));
    EXPECT_EQ(boxes[0].Text, QStringLiteral("デフォルト プリンタが存在しません."));
    EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(boxes[0].ButtonCount, 1);

    EXPECT_TRUE(m_form2->isVisible());
    EXPECT_EQ(m_form2->result(), 0);
    EXPECT_EQ(EditText(m_form2.get(), "Edit2"), "abc");
    ExpectLengths(150, 200, 100, 150);
    ExpectCorrectionsUntouched();
    ExpectAdjustmentDialogUntouched();
    EXPECT_EQ(calibration::MeasureState.DpiX, 123);
    EXPECT_EQ(calibration::MeasureState.DerivedHorzOffset, 9.99);
    EXPECT_EQ(surface::PrinterObject()->CurrentDevice(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(TForm2, NoPrinterTable,
                         ::testing::Values(NoPrinterRow{"Done", "設定完了"},
                                           NoPrinterRow{"TestPrint", "テスト印刷"},
                                           NoPrinterRow{"Sheet", "測定用紙の印刷"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
