#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <string>

class QApplication;
class QTranslator;

namespace app {

// The application object: the QApplication, the title, and the one place where
// an exception that escapes a handler is caught and shown.
class TApplication
{
public:
    // Creates the program's QApplication, which also catches whatever escapes
    // an event handler of Qt's own.
    TApplication(int& argc, char** argv);
    // Works with the QApplication that already exists (the tests).
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Prepares the toolkit: the Japanese faces the windows ask for, the
    // pictures, the dialogs' handlers running through Protect, the program's
    // desktop entry, and Qt's own texts in the user's language.
    void Initialize();
    // The windows' icon, which every window has from then on. Apart from
    // Initialize: decoding its pictures is a fifth of the work before the main
    // window can appear, so start-up gives it once the window is there.
    void SetWindowIcon();
    // The message loop, until the main window closes.
    int Run();

    // Names the program; the caption of the error box.
    QString Title;

    // The error box: the exception's message with core::FormatErrorMessage (a
    // WindowError's text as it stands), the title as caption, the critical
    // icon and one OK button. Returns when the user has closed it.
    void ShowException(const std::exception& error);

    // Shows error through the program's Application, or writes it to the
    // standard error stream when there is none.
    static void HandleException(const std::exception& error);

    // Runs handler; whatever it throws is shown and the program goes on.
    static void Protect(const std::function<void()>& handler) noexcept;

    // A slot for connect() that runs handler through Protect.
    template <typename T> static auto Guard(T* object, void (T::*handler)())
    {
        return [object, handler] { Protect([object, handler] { (object->*handler)(); }); };
    }
    template <typename F> static auto Guard(F handler)
    {
        return [handler = std::move(handler)] { Protect(handler); };
    }

private:
    void ShowErrorText(const QString& text);

    std::unique_ptr<QApplication> m_application;
    std::unique_ptr<QTranslator> m_qtTranslator;
    std::unique_ptr<QTranslator> m_modelTranslator;
};

// The program's application object while one exists.
extern TApplication* Application;

} // namespace app
