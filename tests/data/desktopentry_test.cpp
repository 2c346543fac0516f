// The desktop integration names one id everywhere: the desktop file, its
// icon, the AppStream metadata, and the window program, which announces it so
// that the desktop finds its entry and icon for the window.
#include <QGuiApplication>
#include <QIcon>
#include <gtest/gtest.h>

#include "files.h"
#include "tapplication.h"
#include "version.h"

namespace {

struct IdRow
{
    const char* name;
    const char* file;  // under data/, "ID" standing for the id
    const char* holds; // a line or element it must hold, "ID" standing for the id
};

std::string WithId(std::string text)
{
    for (std::size_t at; (at = text.find("ID")) != std::string::npos;)
        text.replace(at, 2, core::DesktopFileName);
    return text;
}

class DesktopId : public ::testing::TestWithParam<IdRow>
{
};

TEST_P(DesktopId, IsNamedInTheFile)
{
    const IdRow& row = GetParam();
    const std::string path = testutil::SourceDir() + "/data/" + WithId(row.file);
    const std::string text = testutil::ReadFileBytes(path);
    ASSERT_FALSE(text.empty()) << path << " is missing or empty";
    EXPECT_NE(text.find(WithId(row.holds)), std::string::npos)
        << path << " does not hold " << WithId(row.holds);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DesktopId,
    ::testing::Values(IdRow{"DesktopFileIcon", "ID.desktop", "\nIcon=ID\n"},
                      IdRow{"DesktopFileStartsTheProgram", "ID.desktop", "\nExec=ocrprint\n"},
                      IdRow{"DesktopFileMenu", "ID.desktop", "\nCategories=Office;Finance;\n"},
                      // X11 gives the window the program's name as its class.
                      IdRow{"DesktopFileWindowClass", "ID.desktop", "\nStartupWMClass=ocrprint\n"},
                      IdRow{"MetainfoId", "ID.metainfo.xml.in", "<id>ID</id>"},
                      IdRow{"MetainfoLaunchable", "ID.metainfo.xml.in",
                            "<launchable type=\"desktop-id\">ID.desktop</launchable>"},
                      IdRow{"MetainfoIcon", "ID.metainfo.xml.in", "<icon type=\"stock\">ID</icon>"},
                      IdRow{"ScalableIcon", "icons/ID.svg", "<svg"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DesktopIdOfTheWindow, IsAnnouncedWithTheIcon)
{
    app::TApplication application;
    application.Initialize();
    application.SetWindowIcon();
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), core::DesktopFileName);
    const QList<QSize> sizes = QGuiApplication::windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(48, 48)) && sizes.contains(QSize(256, 256)))
        << "the window icon has " << sizes.size() << " sizes";
}

} // namespace
