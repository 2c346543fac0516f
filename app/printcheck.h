#pragma once
// What "印 刷" does before the declaration reaches the printer: the data file
// is read whole and judged by the rules of ocrprint-cli check, and whatever
// would spoil the form is said before anything is sent.

#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "datalint.h"
#include "previewjob.h"
#include "printadjustment.h"

class QWidget;

namespace app {

// One press of "印 刷": reads the data file at its place whole; UTF-8 data
// (by check's rule) is printed as `print --encoding utf-8` prints it. A file
// that cannot be read, a character code page 932 does not have, a number
// that does not convert and a character no installed font draws are shown in
// the error box and print nothing; the warnings are listed in a box that
// offers to print anyway, to cancel, or to look at the page first. A file
// without findings prints at once.
class PrintCheck
{
public:
    PrintCheck(QWidget* window, core::TPrintAdjustment& adjustment);

    // The first warnings the box lists.
    static constexpr std::size_t ListedWarnings = 10;

    // Returns once the declaration is printed or the user has chosen not to;
    // why it cannot be printed is thrown for the error box (WindowError), a
    // printer's refusal as from the job.
    void Run();

private:
    // Reads and judges the data file; throws WindowError when it cannot be
    // printed.
    void Load();
    void Judge();
    // False when the user does not want the declaration printed.
    bool Confirm();
    // The page as the preview draws it, the warnings' entries marked.
    QImage Picture() const;
    // The data file's name with a line and column, as check names a place.
    QString Place(std::size_t line, std::size_t column = 0) const;

    QWidget* m_window;
    core::TPrintAdjustment& m_adjustment;
    std::string m_path;
    std::string m_bytes; // code page 932
    // What the check found: the first conversion error, the warnings.
    struct Judged
    {
        std::optional<print::Finding> Conversion;
        bool NoFont = false; // a text no installed font draws
        std::size_t Warnings = 0;
        std::vector<print::Finding> Listed; // the first ListedWarnings
        print::MarkedLines Marked;
    } m_judged;
    print::LintDevice m_device;
};

} // namespace app
