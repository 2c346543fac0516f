#include "printcheck.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "adjustmentrules.h"
#include "askbox.h"
#include "cp932.h"
#include "datafileerror.h"
#include "declarationjob.h"
#include "dots.h"
#include "escape.h"
#include "exception.h"
#include "filedevice.h"
#include "findingtext.h"
#include "previewjob.h"
#include "previewwindow.h"
#include "printpress.h"
#include "textmodereader.h"
#include "tprinter.h"
#include "utf8data.h"
#include "utf8sniffer.h"
#include "wholefile.h"
#include "windowerror.h"

namespace app {

namespace {

// The preview is a picture on a screen: finer than this gains nothing but
// memory (an A4 page at 600 dpi is 35 million pixels).
constexpr std::int32_t PreviewDpi = 300;

std::int32_t Scaled(std::int32_t dots, std::int32_t to, std::int32_t from)
{
    return static_cast<std::int32_t>(static_cast<std::int64_t>(dots) * to / std::max(from, 1));
}

// The printer of the run, put back however the picture ends; no trace of the
// picture's drawing.
class BorrowedPrinter
{
public:
    explicit BorrowedPrinter(std::unique_ptr<surface::Device> device)
        : m_printer(*surface::PrinterObject()), m_trace(m_printer.Trace())
    {
        m_printer.SetTrace(nullptr);
        m_device = m_printer.ExchangeDevice(std::move(device));
    }
    ~BorrowedPrinter()
    {
        m_printer.ExchangeDevice(std::move(m_device));
        m_printer.SetTrace(m_trace);
    }
    BorrowedPrinter(const BorrowedPrinter&) = delete;
    BorrowedPrinter& operator=(const BorrowedPrinter&) = delete;

private:
    surface::TPrinter& m_printer;
    surface::TraceWriter* m_trace;
    std::unique_ptr<surface::Device> m_device;
};

} // namespace

PrintCheck::PrintCheck(QWidget* window, core::TPrintAdjustment& adjustment)
    : m_window(window), m_adjustment(adjustment), m_path(print::DataFilePath())
{}

void PrintCheck::Run()
{
    // The printer is asked and the corrections clamped first, as the job
    // does, whatever becomes of the file.
    print::QueryPrinter(m_adjustment);
    calibration::model::ClampCorrections(m_adjustment);
    m_device.Adjustment = m_adjustment;
    m_device.Area = surface::PrinterObject()->DeviceHandle()->Area();
    Load();

    // The job would stop at the first of them with a page half drawn:
    // nothing is sent.
    if (m_judged.Conversion)
        throw WindowError(Place(m_judged.Conversion->Line) +
                          QString::fromStdString(m_judged.Conversion->Values.at(0)));
    // A text no installed font draws cannot be printed anyway: the job
    // refuses it in its own words before anything is sent.
    if (m_judged.Warnings > 0 && !m_judged.NoFont && !Confirm())
        return;

    core::TextModeReader reader;
    reader.OpenBytes(std::move(m_bytes));
    print::PrintDeclaration(m_adjustment, reader);
}

void PrintCheck::Load()
{
    if (!core::ReadRegularFile(m_path, m_bytes)) {
        throw WindowError(QString::fromStdString(print::DataFileOpenError(m_path) + ": " +
                                                 core::EscapeControlChars(m_path)));
    }
    if (print::LooksLikeUtf8Data(m_bytes)) {
        // A file an editor saved: read as its code page 932 twin.
        std::string cp932;
        core::Utf8DataProblem problem;
        if (!core::Utf8DataToCp932(m_bytes, cp932, problem)) {
            throw WindowError(Place(problem.Line, problem.Column) +
                              QString::fromStdString(print::Utf8DataProblemText(problem)));
        }
        m_bytes = std::move(cp932);
    }
    Judge();
}

void PrintCheck::Judge()
{
    core::TextModeReader reader;
    reader.OpenBytes(m_bytes);
    print::LintDataFile(reader, m_device, *surface::PrinterObject()->PageCanvas(),
                        [this](const print::Finding& f) {
                            if (f.Code == print::LintCode::Conversion) {
                                if (!m_judged.Conversion)
                                    m_judged.Conversion = f;
                                return;
                            }
                            // The job skips a line with an empty field (a
                            // blank line) as it always has; the data is read
                            // as UTF-8 already when it is.
                            if (f.Error || f.Code == print::LintCode::Utf8Text ||
                                f.Code == print::LintCode::Utf8ByteOrderMark)
                                return;
                            m_judged.NoFont |= f.Code == print::LintCode::NoFont;
                            if (m_judged.Listed.size() < ListedWarnings)
                                m_judged.Listed.push_back(f);
                            ++m_judged.Warnings;
                            if (print::MarksEntry(f.Code))
                                m_judged.Marked.insert(f.Line);
                        });
}

bool PrintCheck::Confirm()
{
    QString text = QString::fromUtf8("このデータでは申告書が正しく印刷されないおそれがあります"
                                     "（警告 %1 件）。\n")
                       .arg(m_judged.Warnings);
    for (const print::Finding& f : m_judged.Listed) {
        text += QLatin1Char('\n');
        // A finding about the file as a whole has no line.
        if (f.Line > 0) {
            text += QString::fromUtf8("%1 行目").arg(f.Line);
            if (f.Column > 0)
                text += QString::fromUtf8(" %1 桁目").arg(f.Column);
            text += QStringLiteral(": ");
        }
        text += QString::fromStdString(print::FindingMessage(f));
    }
    if (m_judged.Warnings > m_judged.Listed.size())
        text += QLatin1Char('\n') +
                QString::fromUtf8("ほか %1 件").arg(m_judged.Warnings - m_judged.Listed.size());

    for (;;) {
        const int answer = resources::Ask(
            m_window, QMessageBox::Warning, QString::fromUtf8("警告"), text,
            {{QString::fromUtf8("このまま印刷"), QMessageBox::AcceptRole, "printAnyway"},
             {QString::fromUtf8("キャンセル"), QMessageBox::RejectRole, "cancel"},
             {QString::fromUtf8("プレビュー"), QMessageBox::ActionRole, "preview"}});
        calibration::PrintPress::Answered();
        if (answer != 2)
            return answer == 0;
        PreviewWindow preview(Picture(), m_window);
        preview.exec();
        calibration::PrintPress::Answered();
    }
}

QImage PrintCheck::Picture() const
{
    const core::TPrintAdjustment& judged = m_device.Adjustment;
    const surface::PageArea& area = m_device.Area;
    surface::FilePrinterOptions picture;
    picture.DpiX = std::min(judged.PrinterDpiX, PreviewDpi);
    picture.DpiY = std::min(judged.PrinterDpiY, PreviewDpi);
    picture.Paper = {"", area.PaperWidth * core::MmPerInch / judged.PrinterDpiX,
                     area.PaperHeight * core::MmPerInch / judged.PrinterDpiY};
    picture.Colour = true;
    picture.Format = "png";
    const QTemporaryDir dir;
    if (!dir.isValid())
        throw core::Exception(core::EncodeCp932(dir.errorString().toStdString()));
    picture.OutputPath = dir.filePath(QStringLiteral("preview.png")).toStdString();

    // The printable area in the picture's dots.
    const auto x = [&](std::int32_t d) { return Scaled(d, picture.DpiX, judged.PrinterDpiX); };
    const auto y = [&](std::int32_t d) { return Scaled(d, picture.DpiY, judged.PrinterDpiY); };
    const surface::PageArea shown{x(area.PaperWidth),     y(area.PaperHeight),
                                  x(area.PrintableLeft),  y(area.PrintableTop),
                                  x(area.PrintableRight), y(area.PrintableBottom)};
    {
        const BorrowedPrinter borrowed(std::make_unique<surface::FileDevice>(picture));
        core::TextModeReader reader;
        reader.OpenBytes(m_bytes);
        print::PrintPreview(reader, shown, m_judged.Marked);
    }
    QImage image(QString::fromStdString(picture.OutputPath));
    if (image.isNull())
        throw core::Exception(core::EncodeCp932(picture.OutputPath + " を読み込めません"));
    return image;
}

QString PrintCheck::Place(std::size_t line, std::size_t column) const
{
    QString place =
        QString::fromStdString(core::EscapeControlChars(m_path)) + QStringLiteral(":%1").arg(line);
    if (column > 0)
        place += QStringLiteral(":%1").arg(column);
    return place + QStringLiteral(": ");
}

} // namespace app
