// Each printer's calibration in a file of its own beside ocrprn2.ini: the
// printer's name as a safe file name, listed back as it was given.
#include <gtest/gtest.h>

#include "files.h"
#include "printercalibrations.h"
#include "scopedenv.h"
#include "settingsfile.h"
#include "settingsfile_fixture.h"

namespace {

struct KeyRow
{
    const char* name;
    std::string device; // the device's name
    std::string key;
    std::string file; // under printers/
};

class PrinterKeys : public ::testing::TestWithParam<KeyRow>
{
protected:
    testutil::TempDir m_dir;
    testutil::ScopedEnv m_config{"XDG_CONFIG_HOME", m_dir.File("config")};
};

TEST_P(PrinterKeys, KeptUnderASafeNameAndListedBack)
{
    const KeyRow& row = GetParam();
    const std::string key = settings::PrinterKey(row.device);
    EXPECT_EQ(key, row.key);
    const std::string path = settings::PrinterCalibrationPath(key);
    EXPECT_EQ(path, m_dir.File("config/ocrprint/printers/") + row.file);

    const core::TPrintAdjustment a =
        settingstest::FromFileOrder({1.5, -1, 2, -2, 151, 201, 99, 149});
    ASSERT_TRUE(settings::SavePrinterCalibration(key, a));
    EXPECT_EQ(settings::CalibratedPrinters(), std::vector<std::string>{key});
    core::TPrintAdjustment loaded;
    EXPECT_EQ(settings::LoadPrinterCalibration(key, loaded).Source,
              settings::PrinterCalibrationSource::Printer);
    EXPECT_EQ(settingstest::FileOrder(loaded), settingstest::FileOrder(a));
    // ocrprn2.ini holds the last one saved, byte for byte the same.
    EXPECT_EQ(testutil::ReadFileBytes(settings::SettingsFilePath()), testutil::ReadFileBytes(path));

    ASSERT_TRUE(settings::ForgetPrinterCalibration(key));
    EXPECT_TRUE(settings::CalibratedPrinters().empty());
    EXPECT_FALSE(settings::ForgetPrinterCalibration(key));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PrinterKeys,
    ::testing::Values(KeyRow{"Queue", "Laser_2-a", "Laser_2-a", "Laser_2-a.ini"},
                      KeyRow{"InstanceIsItsQueue", "ocr300/fine", "ocr300", "ocr300.ini"},
                      KeyRow{"DotsEscaped", "..", "..", "%2E%2E.ini"},
                      KeyRow{"HiddenNameEscaped", ".adopted", ".adopted", "%2Eadopted.ini"},
                      KeyRow{"BytesEscaped", "a b@\x82\xA0", "a b@\x82\xA0", "a%20b%40%82%A0.ini"},
                      KeyRow{"FilePrinter", "file:/tmp/out.pdf", "/file", "@file.ini"},
                      KeyRow{"QueueNamedLikeTheFilePrinter", "@file", "@file", "%40file.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
