// "印 刷" in the window: the same job, the same dots, as ocrprint-cli print.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <cerrno>
#include <cstring>

#include "app_fixture.h"
#include "filedevice.h"
#include "ocrtst.h"
#include "smalltmpfs.h"
#include "startup.h"
#include "tprinter.h"
#include "tracewriter.h"

namespace {

using apptest::AppTest;
using testutil::ModalWatcher;
using testutil::ScopedEnv;

const char* const Settings = "1.5\r\n-1\r\n0.5\r\n-2\r\n150\r\n200\r\n100\r\n150\r\n";

// A home of its own with a documents folder, and the file printer selected.
class PrintButtonTest : public AppTest
{
protected:
    PrintButtonTest()
        : m_home("HOME", m_dir.Path()), m_config("XDG_CONFIG_HOME", m_dir.File(".config"))
    {
        QDir().mkpath(QString::fromStdString(m_dir.File("Documents")));
        testutil::WriteFileBytes(SettingsFile(), Settings);
        surface::FilePrinterOptions options;
        options.OutputPath = m_dir.File("window.pdf");
        options.OffsetX = options.OffsetY = 100;
        surface::PrinterObject()->SetDevice(std::make_unique<surface::FileDevice>(options));
    }
    ~PrintButtonTest() override { surface::PrinterObject()->SetTrace(nullptr); }

    std::string DataFile() const { return m_dir.File("Documents/ocrdat.prn"); }

    // Presses "印 刷" with the trace going to path.
    void PressPrint(app::ProgramWindows& windows, const std::string& path)
    {
        surface::TraceWriter trace(path);
        surface::PrinterObject()->SetTrace(&trace);
        auto* button = windows.Main->findChild<QPushButton*>("Button1");
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        surface::PrinterObject()->SetTrace(nullptr);
    }

    ScopedEnv m_home;
    ScopedEnv m_config;
};

TEST_F(PrintButtonTest, WindowAndCommandLineDrawTheSameDots)
{
    const std::string sample =
        testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn");
    ASSERT_FALSE(sample.empty());
    testutil::WriteFileBytes(DataFile(), sample);

    auto windows = app::StartUp(m_application);
    windows->Main->show();
    PressPrint(*windows, m_dir.File("window.jsonl"));
    // The job clamps in place: VertScale 0.5 stays, nothing was out of range.
    EXPECT_EQ(windows->Main->PrintAdjustment.HorzScale, -2);
    EXPECT_EQ(windows->Main->PrintAdjustment.PrinterDpiX, 600);

    QProcess cli;
    cli.start(QString::fromStdString(testutil::BinDir() + "/ocrprint-cli"),
              {"print", "--data", QString::fromStdString(DataFile()), "--settings",
               QString::fromStdString(SettingsFile()), "-o",
               QString::fromStdString(m_dir.File("cli.pdf")), "--offset", "100,100", "--trace",
               QString::fromStdString(m_dir.File("cli.jsonl"))});
    ASSERT_TRUE(cli.waitForFinished(120000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    const std::string window = testutil::ReadFileBytes(m_dir.File("window.jsonl"));
    EXPECT_GT(window.size(), 10000u);
    EXPECT_EQ(window, testutil::ReadFileBytes(m_dir.File("cli.jsonl")));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(m_dir.File("window.pdf"))));
}

TEST_F(PrintButtonTest, ConversionErrorReachesTheErrorBoxAndTheProgramGoesOn)
{
    testutil::WriteFileBytes(DataFile(),
                             "10,10,9,1,0,1,a,b,c,d,e,ok\r\nPosX,1,2,3,4,5,a,b,c,d,e,x\r\n");
    auto windows = app::StartUp(m_application);
    windows->Main->show();
    testutil::BoxSeen seen;
    ModalWatcher watcher([&](QWidget* w) { seen = testutil::ReadAndCloseBox(w); });
    PressPrint(*windows, m_dir.File("bad.jsonl"));
    EXPECT_EQ(watcher.Count(), 1);
    EXPECT_EQ(seen.Title, apptest::ProgramTitle());
    EXPECT_EQ(seen.Text,
              QString::fromStdString(DataFile() + ":2: 'PosX' は浮動小数点数ではありません."));
    EXPECT_FALSE(surface::PrinterObject()->Printing());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_dir.File("window.pdf"))))
        << "the half-drawn page is abandoned";

    // The next press prints.
    testutil::WriteFileBytes(DataFile(), "10,10,9,1,0,1,a,b,c,d,e,ok\r\n");
    PressPrint(*windows, m_dir.File("good.jsonl"));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(m_dir.File("window.pdf"))));
}

// A full disk under the file printed to: the error box names the file and the
// system's reason, and the previous file is still there, byte for byte.
TEST_F(PrintButtonTest, AFileThatCannotBeWrittenIsNamedInTheErrorBox)
{
    QDir().mkpath(QString::fromStdString(m_dir.File("full")));
    const testutil::FullTmpfs full(m_dir.File("full"), {{"out.pdf", "previous"}});
    if (!full.Mounted())
        GTEST_SKIP() << full.Why();
    surface::FilePrinterOptions options;
    options.OutputPath = m_dir.File("full/out.pdf");
    surface::PrinterObject()->SetDevice(std::make_unique<surface::FileDevice>(options));
    testutil::WriteFileBytes(DataFile(), "10,10,9,1,0,1,a,b,c,d,e,ok\r\n");
    auto windows = app::StartUp(m_application);
    windows->Main->show();
    testutil::BoxSeen seen;
    ModalWatcher watcher([&](QWidget* w) { seen = testutil::ReadAndCloseBox(w); });
    PressPrint(*windows, m_dir.File("full.jsonl"));
    EXPECT_EQ(watcher.Count(), 1);
    EXPECT_EQ(seen.Text, QString::fromStdString(options.OutputPath + " に書き込めません: " +
                                                std::strerror(ENOSPC) + "."));
    EXPECT_EQ(testutil::ReadFileBytes(options.OutputPath), "previous");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_dir.File("full/.out.pdf.tmp"))));
    EXPECT_FALSE(surface::PrinterObject()->Printing());
}

// Fontconfig is read once per process: the window runs in a child of this
// test program, which a private configuration shows DejaVu alone.
TEST_F(PrintButtonTest, NoJapaneseFontStopsThePrintWithTheErrorBox)
{
    const char* const marker = "OCRPRINT_TEST_FONTS_HIDDEN";
    if (qEnvironmentVariableIsEmpty(marker)) {
        const char* const dejaVu = "/usr/share/fonts/truetype/dejavu";
        if (!QFile::exists(dejaVu))
            GTEST_SKIP() << dejaVu << " is not installed";
        testutil::WriteFileBytes(m_dir.File("fonts.conf"),
                                 "<?xml version=\"1.0\"?>\n<fontconfig><dir>" +
                                     std::string(dejaVu) + "</dir><cachedir>" +
                                     m_dir.File("fccache") + "</cachedir></fontconfig>\n");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("FONTCONFIG_FILE", QString::fromStdString(m_dir.File("fonts.conf")));
        env.insert(marker, "1");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=PrintButtonTest.NoJapaneseFontStopsThePrintWithTheErrorBox"});
        ASSERT_TRUE(child.waitForFinished(120000));
        const std::string output = child.readAll().toStdString();
        EXPECT_EQ(child.exitCode(), 0) << output;
        EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
        return;
    }
    testutil::WriteFileBytes(DataFile(), "10,10,9,1,0,1,a,b,c,d,e,12\r\n"
                                         "10,20,9,1,0,1,a,b,c,d,e,\x90\x5c\x8d\x90\r\n"); // 申告
    auto windows = app::StartUp(m_application);
    windows->Main->show();
    testutil::BoxSeen seen;
    ModalWatcher watcher([&](QWidget* w) { seen = testutil::ReadAndCloseBox(w); });
    PressPrint(*windows, m_dir.File("nofont.jsonl"));
    EXPECT_EQ(watcher.Count(), 1);
    EXPECT_EQ(seen.Title, apptest::ProgramTitle());
    EXPECT_EQ(seen.Text, QString::fromUtf8("「申」(U+7533) を印刷できるフォントがありません。"
                                           "日本語フォントの fonts-ipafont-gothic "
                                           "をインストールしてください."));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_dir.File("window.pdf"))))
        << "nothing may reach the printer";
}

TEST_F(PrintButtonTest, MissingDataFilePrintsNothingAndSaysSo)
{
    auto windows = app::StartUp(m_application);
    windows->Main->show();
    testutil::BoxSeen seen;
    ModalWatcher watcher([&](QWidget* w) { seen = testutil::ReadAndCloseBox(w); });
    PressPrint(*windows, m_dir.File("none.jsonl"));
    EXPECT_EQ(watcher.Count(), 1);
    EXPECT_EQ(seen.Title, apptest::ProgramTitle());
    EXPECT_EQ(seen.Text, QString::fromStdString("ocrdat.prn が見つかりません: " + DataFile()));
    EXPECT_EQ(testutil::ReadFileBytes(m_dir.File("none.jsonl")), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_dir.File("window.pdf"))));
    // The printer was asked all the same, and the corrections clamped.
    EXPECT_EQ(windows->Main->PrintAdjustment.PrinterOffsetX, 100);
}

} // namespace
