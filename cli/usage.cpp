#include "usage.h"

#include <QCoreApplication>
#include <QStringList>

#include "commandtable.h"

namespace cli {

namespace {

// Where the descriptions start; a longer name puts its description on the
// next line.
constexpr qsizetype Column = 26;

// "  name  first line" and the further lines of text below the first.
QString Entry(const QString& name, const QString& text)
{
    QString entry = QStringLiteral("  ") + name;
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (entry.size() + 2 > Column)
        entry += QLatin1Char('\n') + QString(Column, QLatin1Char(' '));
    else
        entry += QString(Column - entry.size(), QLatin1Char(' '));
    entry += lines.join(QLatin1Char('\n') + QString(Column, QLatin1Char(' ')));
    return entry + QLatin1Char('\n');
}

QString Syntax(const OptionInfo& option)
{
    QStringList names;
    for (const char* s = option.Shorts; *s != '\0'; ++s)
        names << QStringLiteral("-") + QLatin1Char(*s);
    names << QStringLiteral("--") + QLatin1String(option.Long);
    QString syntax = names.join(QStringLiteral(", "));
    if (option.ValueName != nullptr)
        syntax += QLatin1Char(' ') + QLatin1String(option.ValueName);
    return syntax;
}

QString ExitStatus()
{
    return QCoreApplication::translate("ocrprint-cli",
                                       "Exit status: 0 done; 1 an error; 2 a usage error.") +
           QLatin1Char('\n');
}

} // namespace

std::string UsageText()
{
    QString text =
        QCoreApplication::translate(
            "ocrprint-cli", "Usage: ocrprint-cli COMMAND [OPTIONS]\n"
                            "       ocrprint-cli COMMAND --help   (the options of one command)") +
        QStringLiteral("\n\n") + QCoreApplication::translate("ocrprint-cli", "Commands:") +
        QLatin1Char('\n');
    for (const CommandInfo& command : Commands()) {
        QString name = QLatin1String(command.Name);
        if (*command.Arguments != '\0')
            name += QLatin1Char(' ') + QLatin1String(command.Arguments);
        text += Entry(name, Tr(command.Description));
    }
    text += QLatin1Char('\n') +
            QCoreApplication::translate("ocrprint-cli",
                                        "Options (each command takes those it needs):") +
            QLatin1Char('\n');
    for (const OptionInfo& option : Options())
        text += Entry(Syntax(option), Tr(option.Help));
    text += QLatin1Char('\n') + ExitStatus();
    return text.toStdString();
}

std::string CommandUsageText(const CommandInfo& command)
{
    QString synopsis = QStringLiteral("ocrprint-cli ") + QLatin1String(command.Name);
    if (*command.Arguments != '\0')
        synopsis += QLatin1Char(' ') + QLatin1String(command.Arguments);
    QString text =
        QCoreApplication::translate("ocrprint-cli", "Usage: %1 [OPTIONS]").arg(synopsis) +
        QLatin1Char('\n') + Tr(command.Description) + QStringLiteral("\n\n") +
        QCoreApplication::translate("ocrprint-cli", "Options:") + QLatin1Char('\n');
    for (const OptionInfo& option : Options())
        if ((option.Commands & command.Bit) != 0)
            text += Entry(Syntax(option), Tr(option.Help));
    text += QLatin1Char('\n') + ExitStatus();
    return text.toStdString();
}

std::string UsageErrorText(const std::string& reason)
{
    return "ocrprint-cli: " + reason + "\n" +
           QCoreApplication::translate("ocrprint-cli", "Try 'ocrprint-cli --help'.").toStdString() +
           "\n";
}

} // namespace cli
