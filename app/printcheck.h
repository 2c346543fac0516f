#pragma once
// What "印 刷" does before the declaration reaches the printer: the data file
// is read whole and judged by the rules of ocrprint-cli check, and whatever
// would spoil the form is said before anything is sent.

#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "datalint.h"
#include "printadjustment.h"

class QWidget;

namespace app {

// One press of "印 刷": reads the data file at its place whole; UTF-8 data
// (by check's rule) is printed as `print --encoding utf-8` prints it. A file
// that cannot be read, a character code page 932 does not have and a number
// that does not convert are shown in the error box and print nothing; the
// warnings are listed in a box that offers to print anyway, to cancel, or to
// look at the page first. A file without findings prints at once.
class PrintCheck
{
public:
    PrintCheck(QWidget* window, core::TPrintAdjustment& adjustment);

    // The first warnings the box lists.
    static constexpr std::size_t ListedWarnings = 10;

    // Returns once the declaration is printed or the user has been told why
    // not; a printer's refusal is thrown, as from the job.
    void Run();

private:
    // Reads and judges the data file; false, having shown why, when it
    // cannot be printed.
    bool Load();
    std::vector<print::Finding> Judge(const std::string& bytes) const;
    // False when the user does not want the declaration printed.
    bool Confirm(const std::vector<print::Finding>& warnings);
    QImage Picture(const std::vector<print::Finding>& warnings) const;
    void ShowError(const QString& text) const;
    // The data file's name with a line and column, as check names a place.
    QString Place(std::size_t line, std::size_t column = 0) const;

    QWidget* m_window;
    core::TPrintAdjustment& m_adjustment;
    std::string m_path;
    std::string m_bytes; // code page 932
    std::vector<print::Finding> m_findings;
    print::LintDevice m_device;
};

} // namespace app
