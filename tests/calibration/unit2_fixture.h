#pragma once

// What the measurement dialog's tests share: a file printer that keeps a
// trace, the dialog's captions, and the two dialogs on one set of
// corrections.
#include <QLineEdit>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "cp932.h"
#include "eprinter.h"
#include "fileprinter.h"
#include "form3controls.h"
#include "handlerguard.h"
#include "printerdevice.h"
#include "tprinter.h"
#include "unit2.h"
#include "unit3.h"
#include "widgets.h"

namespace form2test {

// Selects a PNG file printer at dpi (both axes) writing into dir for one
// test, with a trace of the operations.
class FilePrinter : public testutil::TracedFilePrinter
{
public:
    FilePrinter(const std::string& dir, int dpi, int offset = 0)
        : TracedFilePrinter(testutil::FileOptions(dir + "/page.png", dpi, dpi, offset, offset),
                            dir + "/trace.jsonl")
    {}
};

// No printer selected for the program's printer object, and a system without
// a default one, for one scope.
class NoPrinter
{
public:
    NoPrinter()
    {
        surface::PrinterObject()->SetDevice(nullptr);
        surface::PrinterObject()->SetDefaultDeviceFactory([]() -> std::unique_ptr<surface::Device> {
            throw core::EPrinter(core::EncodeCp932("デフォルト プリンタが存在しません"));
        });
    }
    ~NoPrinter()
    {
        surface::PrinterObject()->SetDefaultDeviceFactory(
            [] { return std::make_unique<surface::PrinterDevice>(); });
    }
    NoPrinter(const NoPrinter&) = delete;
    NoPrinter& operator=(const NoPrinter&) = delete;
};

inline const QString SheetButton = QStringLiteral("測定用紙の印刷");
inline const QString TestButton = QStringLiteral("テスト印刷");
inline const QString DoneButton = QStringLiteral("設定完了");
inline const QString CancelButton = QStringLiteral("キャンセル");
inline const char* const EditNames[] = {"Edit1", "Edit2", "Edit3", "Edit4"};

// A measurement dialog and an adjustment dialog on one set of corrections, as
// start-up makes them; the corrections are distinctive, so a stray write or
// a missing hand-over shows.
class Form2Test : public apptest::AppTest
{
protected:
    Form2Test()
    {
        m_application.Initialize();
        m_adjustment.HorzScale = -7.5;
        m_adjustment.VertScale = 6.5;
        m_adjustment.HorzOffset = 7.7;
        m_adjustment.VertOffset = -7.7;
        m_form3 = std::make_unique<calibration::TForm3>(m_adjustment);
        calibration::Form3 = m_form3.get();
        m_form2 = std::make_unique<calibration::TForm2>(m_adjustment);
        calibration::Form2 = m_form2.get();
        m_form3->ConnectMeasurement(*m_form2);
    }
    ~Form2Test() override
    {
        calibration::Form2 = nullptr;
        calibration::Form3 = nullptr;
        calibration::SetHandlerRunner(nullptr);
    }

    void Type(const char* edit, const QString& text)
    {
        testutil::TypeText(testutil::Child<QLineEdit>(m_form2.get(), edit), text);
    }
    void TypeAll(const char* const (&texts)[4])
    {
        for (int i = 0; i < 4; ++i)
            Type(EditNames[i], QString::fromUtf8(texts[i]));
    }

    void ExpectCorrectionsUntouched() const
    {
        EXPECT_EQ(m_adjustment.HorzScale, -7.5);
        EXPECT_EQ(m_adjustment.VertScale, 6.5);
        EXPECT_EQ(m_adjustment.HorzOffset, 7.7);
        EXPECT_EQ(m_adjustment.VertOffset, -7.7);
    }
    // The adjustment dialog as it was loaded: nothing handed over.
    void ExpectAdjustmentDialogUntouched()
    {
        const testutil::Form3Controls c(*m_form3);
        EXPECT_EQ(c.TrackBar1->value(), 5);
        EXPECT_EQ(c.TrackBar2->value(), 33);
        EXPECT_EQ(c.Edit1->text(), "7.7");
        EXPECT_EQ(c.Edit2->text(), "-7.7");
    }
    void ExpectLengths(double x, double y, double a, double b) const
    {
        EXPECT_EQ(m_adjustment.MeasuredX, x);
        EXPECT_EQ(m_adjustment.MeasuredY, y);
        EXPECT_EQ(m_adjustment.MeasuredA, a);
        EXPECT_EQ(m_adjustment.MeasuredB, b);
    }

    core::TPrintAdjustment m_adjustment;
    std::unique_ptr<calibration::TForm3> m_form3;
    std::unique_ptr<calibration::TForm2> m_form2;
};

} // namespace form2test
