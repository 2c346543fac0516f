#include "tapplication.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>
#include <stdexcept>

#include "cp932.h"
#include "errortext.h"
#include "exception.h"
#include "fonts.h"
#include "handlerguard.h"
#include "qttranslations.h"
#include "resources.h"
#include "tprinter.h"
#include "version.h"
#include "windowerror.h"

namespace app {

TApplication* Application = nullptr;

namespace {

// The QApplication of the program: an exception that escapes the delivery of
// an event (a slot connected without the guard, a paint handler) still ends up
// in the error box instead of ending the program.
// Whether a quit came while a page was being handed over.
bool g_quitDeferred = false;

class GuardedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        // The close box or "終 了" during a hand-over: the program ends once
        // the handler that prints has finished, its page handed over or its
        // failure shown (a quitting application shows no more boxes).
        if (event->type() == QEvent::Quit && receiver == this &&
            surface::PrinterObject()->Printing()) {
            g_quitDeferred = true;
            return true;
        }
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            TApplication::Protect([] { throw; });
        }
        return false;
    }
};

// The message as code page 932 bytes: the program's own exceptions carry them,
// the standard library's speak UTF-8.
std::string MessageOf(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const core::Exception*>(&error))
        return own->Message();
    return core::EncodeCp932(error.what());
}

} // namespace

TApplication::TApplication(int& argc, char** argv)
    : m_application(std::make_unique<GuardedApplication>(argc, argv))
{
    Application = this;
}

TApplication::TApplication()
{
    Application = this;
}

TApplication::~TApplication()
{
    if (m_qtTranslator)
        QCoreApplication::removeTranslator(m_qtTranslator.get());
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    surface::InstallFontSubstitutions();
    resources::Initialize();
    calibration::SetHandlerRunner(&TApplication::Protect);

    // The window's X11 class and Wayland app id name the desktop entry, so the
    // desktop shows the entry's name and icon for it.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(core::DesktopFileName));

    // The printer dialog and the message boxes' buttons are Qt's: they speak
    // the user's language, as the rest of the desktop does.
    if (!m_qtTranslator) {
        m_qtTranslator = std::make_unique<QTranslator>();
        if (LoadQtTranslations(*m_qtTranslator, QLocale::system()))
            QCoreApplication::installTranslator(m_qtTranslator.get());
    }
    // The window's own texts are Japanese whatever the locale; so are the
    // model's, which it shows in its boxes.
    if (!m_modelTranslator) {
        m_modelTranslator = std::make_unique<QTranslator>();
        if (m_modelTranslator->load(QStringLiteral(":/i18n/window/ocrprint-cli_ja.qm")))
            QCoreApplication::installTranslator(m_modelTranslator.get());
    }
}

void TApplication::SetWindowIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/ocrprint-48.png"));
    icon.addFile(QStringLiteral(":/icons/ocrprint-256.png"));
    QGuiApplication::setWindowIcon(icon);
}

int TApplication::Run()
{
    return QApplication::exec();
}

void TApplication::ShowException(const std::exception& error)
{
    if (const auto* worded = dynamic_cast<const WindowError*>(&error)) {
        ShowErrorText(worded->Text());
        return;
    }
    const std::string text = core::FormatErrorMessage(MessageOf(error));
    ShowErrorText(QString::fromStdU16String(core::DecodeCp932(text)));
}

void TApplication::ShowErrorText(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, Title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void TApplication::HandleException(const std::exception& error)
{
    // After "終 了" or the close box the window is gone: a failure that comes
    // later (a job the scheduler kept waiting) opens no box of its own then,
    // it is said on standard error.
    if (Application && !g_quitDeferred) {
        Application->ShowException(error);
        return;
    }
    std::fprintf(stderr, "ocrprint: %s\n", core::Cp932ToUtf8(MessageOf(error)).c_str());
}

void TApplication::Protect(const std::function<void()>& handler) noexcept
{
    try {
        try {
            handler();
        } catch (const std::exception& error) {
            HandleException(error);
        } catch (...) {
            HandleException(std::runtime_error("unknown exception"));
        }
    } catch (...) {
        // Showing the error failed as well; the program goes on regardless.
    }
    if (g_quitDeferred && !surface::PrinterObject()->Printing()) {
        g_quitDeferred = false;
        if (QCoreApplication* application = QCoreApplication::instance())
            QCoreApplication::postEvent(application, new QEvent(QEvent::Quit));
    }
}

} // namespace app
