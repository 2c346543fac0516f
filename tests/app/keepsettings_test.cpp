// The main window's end of the run and the settings file: a file that was
// not loaded is never replaced unasked, a failed save keeps the window, and
// the close box asks before a change is lost.
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <optional>
#include <unistd.h>
#include <vector>

#include "app_fixture.h"
#include "ocrtst.h"
#include "smalltmpfs.h"

namespace {

using apptest::AppTest;
using testutil::ModalWatcher;

const std::string Old = "1\r\n2\r\n3\r\n4\r\n150\r\n200\r\n100\r\n150\r\n";

enum class Place
{
    Private,  // the user's own file, mode 600
    Refused,  // mode 666: anyone could have written it
    Foreign,  // another user's (needs root to make)
    FullDisk, // the user's own file on a full tmpfs
};

enum class End
{
    ExitButton,
    CloseBox,
};

struct KeepRow
{
    const char* name;
    Place place;
    bool change; // HorzOffset 7 after start-up, as 誤差調整's OK stores it
    End end;
    const char* answer; // the question's button; nullptr: no question
    // The boxes in order, each by the start of its text; "@" is the file.
    std::vector<const char*> boxes;
    bool stays;       // the window is still open
    const char* file; // the settings file afterwards; nullptr: as it was
};

void PrintTo(const KeepRow& row, std::ostream* os)
{
    *os << row.name;
}

const char* const Notice = "@ を読み込みませんでした: ほかのユーザーも書き込めるファイルです\n"
                           "調整値は初期値です。\n"
                           "終 了 は、確認なしにこのファイルを置き換えません。";
const char* const ForeignNotice = "@ を読み込みませんでした: ほかのユーザーのファイルです\n"
                                  "調整値は初期値です。";
const char* const Question = "調整値が変更されています。保存しますか?";
const char* const ReplaceQuestion =
    "調整値が変更されています。\n保存すると、読み込まなかった @ を置き換えます。";
const char* const WriteError = "@ に書き込めません: ";
const char* const SavedOwn = "7\r\n2\r\n3\r\n4\r\n150\r\n200\r\n100\r\n150\r\n";
const char* const SavedOverDefaults = "7\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n";

class KeepTable : public AppTest, public ::testing::WithParamInterface<KeepRow>
{
};

TEST_P(KeepTable, EndsAsTheUserSays)
{
    const KeepRow& row = GetParam();
    std::optional<testutil::FullTmpfs> tmpfs;
    if (row.place == Place::FullDisk) {
        tmpfs.emplace(Dir().File(".config/ocrprint"),
                      std::map<std::string, std::string>{{"ocrprn2.ini", Old}});
        if (!tmpfs->Mounted())
            GTEST_SKIP() << tmpfs->Why();
    } else {
        testutil::WriteFileBytes(SettingsFile(), Old);
    }
    std::filesystem::permissions(SettingsFile(), row.place == Place::Refused
                                                     ? std::filesystem::perms(0666)
                                                     : std::filesystem::perms(0600));
    if (row.place == Place::Foreign && ::chown(SettingsFile().c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot give the file to another user";
    const QString file = QString::fromStdString(SettingsFile());

    std::vector<QString> texts;
    std::vector<QStringList> captions;
    bool visible = true;
    std::string after;
    {
        ModalWatcher watcher([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            texts.push_back(box->text());
            QStringList names;
            QAbstractButton* answer = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                names << button->text();
                if (row.answer && button->text() == QString::fromUtf8(row.answer))
                    answer = button;
            }
            names.sort(); // the style orders the buttons by role
            captions.push_back(names);
            (answer ? answer : box->buttons().front())->click();
        });
        app::TForm1 form;
        form.show();
        QTest::qWait(50); // the start-up notice
        if (row.change)
            form.PrintAdjustment.HorzOffset = 7;
        if (row.end == End::ExitButton)
            QTest::mouseClick(form.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        else
            form.close();
        QTest::qWait(50);
        visible = form.isVisible();
        after = testutil::ReadFileBytes(SettingsFile());
    }

    ASSERT_EQ(texts.size(), row.boxes.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        const QString expected = QString::fromUtf8(row.boxes[i]).replace('@', file);
        EXPECT_TRUE(texts[i].startsWith(expected)) << texts[i].toStdString();
        if (row.boxes[i] == Question || row.boxes[i] == ReplaceQuestion) {
            EXPECT_EQ(captions[i],
                      (QStringList{QStringLiteral("キャンセル"), QStringLiteral("保存して終了"),
                                   QStringLiteral("保存しないで終了")}));
        }
    }
    EXPECT_EQ(visible, row.stays);
    EXPECT_EQ(after, row.file ? row.file : Old);
}

INSTANTIATE_TEST_SUITE_P(Exit, KeepTable,
                         ::testing::Values(KeepRow{"RefusedFileNoticeThenExitKeepsIt",
                                                   Place::Refused,
                                                   false,
                                                   End::ExitButton,
                                                   nullptr,
                                                   {Notice},
                                                   false,
                                                   nullptr},
                                           KeepRow{"ForeignFileNoticeThenExitKeepsIt",
                                                   Place::Foreign,
                                                   false,
                                                   End::ExitButton,
                                                   nullptr,
                                                   {ForeignNotice},
                                                   false,
                                                   nullptr},
                                           KeepRow{"RefusedFileChangedExitCancel",
                                                   Place::Refused,
                                                   true,
                                                   End::ExitButton,
                                                   "キャンセル",
                                                   {Notice, ReplaceQuestion},
                                                   true,
                                                   nullptr},
                                           KeepRow{"RefusedFileChangedExitWithoutSaving",
                                                   Place::Refused,
                                                   true,
                                                   End::ExitButton,
                                                   "保存しないで終了",
                                                   {Notice, ReplaceQuestion},
                                                   false,
                                                   nullptr},
                                           KeepRow{"RefusedFileChangedExitReplacesWhenTold",
                                                   Place::Refused,
                                                   true,
                                                   End::ExitButton,
                                                   "保存して終了",
                                                   {Notice, ReplaceQuestion},
                                                   false,
                                                   SavedOverDefaults},
                                           KeepRow{"FullDiskExitShowsTheBoxAndStays",
                                                   Place::FullDisk,
                                                   true,
                                                   End::ExitButton,
                                                   nullptr,
                                                   {WriteError},
                                                   true,
                                                   nullptr},
                                           KeepRow{"ExitSavesWithoutAsking",
                                                   Place::Private,
                                                   true,
                                                   End::ExitButton,
                                                   nullptr,
                                                   {},
                                                   false,
                                                   SavedOwn},
                                           KeepRow{"CloseBoxUnchangedAsksNothing",
                                                   Place::Private,
                                                   false,
                                                   End::CloseBox,
                                                   nullptr,
                                                   {},
                                                   false,
                                                   nullptr},
                                           KeepRow{"CloseBoxSaveAndEnd",
                                                   Place::Private,
                                                   true,
                                                   End::CloseBox,
                                                   "保存して終了",
                                                   {Question},
                                                   false,
                                                   SavedOwn},
                                           KeepRow{"CloseBoxEndWithoutSaving",
                                                   Place::Private,
                                                   true,
                                                   End::CloseBox,
                                                   "保存しないで終了",
                                                   {Question},
                                                   false,
                                                   nullptr},
                                           KeepRow{"CloseBoxCancel",
                                                   Place::Private,
                                                   true,
                                                   End::CloseBox,
                                                   "キャンセル",
                                                   {Question},
                                                   true,
                                                   nullptr},
                                           KeepRow{"CloseBoxSaveOnAFullDiskStays",
                                                   Place::FullDisk,
                                                   true,
                                                   End::CloseBox,
                                                   "保存して終了",
                                                   {Question, WriteError},
                                                   true,
                                                   nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
