#pragma once

#include <QString>
#include <exception>
#include <string>

namespace app {

// An error whose text is written for the error box as it stands: it names a
// path or a character that code page 932 may not hold, and ends as it is
// worded (no full stop added). Thrown from a handler like any other error, so
// that the next press of a print button is a retry.
class WindowError : public std::exception
{
public:
    explicit WindowError(QString text) : m_text(std::move(text)), m_utf8(m_text.toStdString()) {}
    const QString& Text() const { return m_text; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_text;
    std::string m_utf8;
};

} // namespace app
