// A scan dropped onto the measurement dialog: the four boxes get the lengths
// measured on it, to 0.1 mm, the dialog says the skew, and the done button
// derives from them as from typed lengths; a scan it cannot measure changes
// nothing and says why.
#include <QApplication>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "files.h"
#include "rastermeasure.h"
#include "scansim.h"
#include "sheetjobs.h"
#include "startup.h"
#include "unit2_fixture.h"

namespace {

using form2test::EditNames;
using form2test::Form2Test;

class DropTest : public Form2Test
{
protected:
    // The sheet from a printer 0.8 % too wide, 0.5 % too short, 1.3 mm to
    // the right and 2.1 mm too high, on a simulated scanner at 300 dpi.
    std::string Scan(testutil::ScanConditions conditions)
    {
        surface::FilePrinterOptions options =
            testutil::FileOptions(m_dir.File("sheet.png"), 600, 600);
        options.Error = {0.8, -0.5, 1.3, -2.1};
        {
            testutil::TracedFilePrinter printer(options, m_dir.File("trace.jsonl"));
            calibration::model::TMeasureState state;
            calibration::model::PrintMeasurementSheet(state);
        }
        const QImage page = testutil::ReadGrey(m_dir.File("sheet.png"));
        const std::string file = m_dir.File("scan.png");
        EXPECT_TRUE(
            testutil::SimulateScan(page, 600, conditions).save(QString::fromStdString(file)));
        return file;
    }

    void Drop(const std::string& file)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
        // As a drag ends: entered, then dropped.
        QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(m_form2.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_form2.get(), &drop);
        EXPECT_TRUE(drop.isAccepted());
    }

    QString Said()
    {
        auto* box = m_form2->findChild<QMessageBox*>();
        return box ? box->text() : QString();
    }

    QString Box(int i) { return testutil::EditText(m_form2.get(), EditNames[i]); }

    testutil::TempDir m_dir;
};

// Turned a little on a dark background, blurred and noisy, at 300 dpi.
constexpr testutil::ScanConditions Straightish{300, 0.6, 40, 1, 2};

class DropFormats : public DropTest, public testing::WithParamInterface<bool>
{
};

TEST_P(DropFormats, FillsTheFourBoxesAndSaysTheSkew)
{
    const std::string png = Scan(Straightish);
    m_form2->SetPdfScanReader(&app::ReadPdfScan);
    // The PDF some scanners save is read as start-up has the dialog read it.
    Drop(GetParam()
             ? testutil::SaveAsPdf(QImage(QString::fromStdString(png)), 300, m_dir.File("scan.pdf"))
             : png);
    // 150 x 1.008, 200 x 0.995, 100 x 1.008 + 1.3, 150 x 0.995 - 2.1.
    const double expected[] = {151.2, 199.0, 102.1, 147.15};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(EditNames[i]);
        bool ok = false;
        const double shown = Box(i).toDouble(&ok);
        ASSERT_TRUE(ok) << Box(i).toStdString();
        EXPECT_EQ(Box(i), QString::number(shown, 'f', 1));
        EXPECT_NEAR(shown, expected[i], 0.1);
    }
    EXPECT_TRUE(Said().contains("傾き 0.00°")) << Said().toStdString();
    // The buttons take them as typed.
    testutil::Click(m_form2.get(), form2test::DoneButton);
    EXPECT_EQ(m_adjustment.MeasuredX, Box(0).toDouble());
    EXPECT_EQ(m_adjustment.MeasuredB, Box(3).toDouble());
}

INSTANTIATE_TEST_SUITE_P(Scans, DropFormats, testing::Bool(),
                         [](const auto& info) { return info.param ? "Pdf" : "Png"; });

TEST_F(DropTest, AScanItCannotMeasureChangesNothing)
{
    testutil::ScanConditions lid = Straightish;
    lid.Background = 250;
    const std::string file = Scan(lid);
    const QString before[] = {Box(0), Box(1), Box(2), Box(3)};
    Drop(file);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Box(i), before[i]);
    EXPECT_TRUE(Said().contains("ふたを開けたまま")) << Said().toStdString();
}

} // namespace
