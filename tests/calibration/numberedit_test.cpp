// The numeric edit boxes of both dialogs: Latin digits asked of the input
// method, and full-width digits, point and signs turned into ASCII as an
// input method commits them.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "unit2.h"
#include "unit3.h"
#include "widgets.h"

namespace {

using testutil::Child;

const char* const AllBoxes[] = {"TForm2/Edit1", "TForm2/Edit2", "TForm2/Edit3",
                                "TForm2/Edit4", "TForm3/Edit1", "TForm3/Edit2"};

class NumberBoxes : public ::testing::Test
{
protected:
    QLineEdit* Box(const std::string& name)
    {
        const std::string edit = name.substr(name.find('/') + 1);
        QWidget* form = name.rfind("TForm2", 0) == 0 ? static_cast<QWidget*>(&m_form2)
                                                     : static_cast<QWidget*>(&m_form3);
        return Child<QLineEdit>(form, edit.c_str());
    }

    core::TPrintAdjustment m_adjustment;
    calibration::TForm2 m_form2{m_adjustment};
    calibration::TForm3 m_form3{m_adjustment};
};

TEST_F(NumberBoxes, AskTheInputMethodForLatinNumbers)
{
    for (const char* name : AllBoxes) {
        SCOPED_TRACE(name);
        QLineEdit* edit = Box(name);
        ASSERT_NE(edit, nullptr);
        const Qt::InputMethodHints hints =
            edit->inputMethodQuery(Qt::ImHints).value<Qt::InputMethodHints>();
        EXPECT_TRUE(hints.testFlag(Qt::ImhFormattedNumbersOnly));
        EXPECT_TRUE(hints.testFlag(Qt::ImhPreferLatin));
    }
}

struct CommitRow
{
    const char* name;
    const char* before; // the box's text, the cursor at its end
    const char* commit; // what the input method commits
    const char* shown;
};

void PrintTo(const CommitRow& row, std::ostream* os)
{
    *os << row.name;
}

class CommitTable : public NumberBoxes, public ::testing::WithParamInterface<CommitRow>
{
};

TEST_P(CommitTable, ShowsTheNumberInAscii)
{
    const CommitRow& row = GetParam();
    for (const char* name : AllBoxes) {
        SCOPED_TRACE(name);
        QLineEdit* edit = Box(name);
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromUtf8(row.before));
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(row.commit));
        QApplication::sendEvent(edit, &commit);
        EXPECT_EQ(edit->text().toStdString(), row.shown);
        // One character for one: the cursor stays after what was typed.
        EXPECT_EQ(edit->cursorPosition(), edit->text().size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommitTable,
    ::testing::Values(CommitRow{"FullWidthNumber", "", "１５１．２", "151.2"},
                      CommitRow{"FullWidthMinus", "", "－０．５", "-0.5"},
                      CommitRow{"MinusSign", "", "−３", "-3"},
                      CommitRow{"EnDashAndHyphen", "", "–1‐", "-1-"},
                      CommitRow{"KanaModeMinusAndPoint", "", "ー１。５", "-1.5"},
                      CommitRow{"PlusAndIdeographicSpace", "", "＋２　", "+2 "},
                      CommitRow{"AppendedToAsciiText", "15", "０．５", "150.5"},
                      CommitRow{"FullWidthLettersStay", "1", "ｅ２", "1ｅ2"},
                      CommitRow{"AsciiUnchanged", "", " -1.5E2 ", " -1.5E2 "}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
