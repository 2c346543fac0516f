#include "usage.h"

#include <QCoreApplication>
#include <QStringList>

#include "commandtable.h"
#include "diagnostics.h"

namespace cli {

namespace {

// Where the descriptions start; a longer name puts its description on the
// next line. Lines end before Width columns.
constexpr qsizetype Column = 26;
constexpr qsizetype Width = 80;

// A wide (CJK) character takes two columns, and a line may break after it.
bool IsWide(QChar c)
{
    return c.unicode() >= 0x1100;
}

qsizetype Columns(const QString& text)
{
    qsizetype columns = 0;
    for (const QChar c : text)
        columns += IsWide(c) ? 2 : 1;
    return columns;
}

// The texts are written broken for the tool's help; joined again, a break
// becomes a space, one between two Japanese characters nothing.
QString Unbroken(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\n')) {
            out += text[i];
            continue;
        }
        const bool wide =
            i > 0 && IsWide(text[i - 1]) && i + 1 < text.size() && IsWide(text[i + 1]);
        if (!wide)
            out += QLatin1Char(' ');
    }
    return out;
}

// The text in lines of at most width columns, broken at a space or after a
// wide character; a word longer than a line stays whole.
QStringList Wrapped(const QString& text, qsizetype width)
{
    QStringList lines;
    QString line;
    qsizetype breakAt = -1; // where line may end; what follows starts the next
    for (const QChar c : Unbroken(text)) {
        if (c == QLatin1Char(' '))
            breakAt = line.size();
        // No line starts with a closing mark.
        else if (breakAt == line.size() && QStringView(u"。、）」").contains(c))
            breakAt = -1;
        line += c;
        if (Columns(line) > width && breakAt > 0) {
            lines << line.left(breakAt).trimmed();
            line = line.mid(breakAt).trimmed();
            breakAt = -1;
        }
        if (IsWide(c))
            breakAt = line.size();
    }
    if (!line.trimmed().isEmpty())
        lines << line.trimmed();
    return lines;
}

// "  name  first line" and the further lines of text below the first.
QString Entry(const QString& name, const QString& text)
{
    QString entry = QStringLiteral("  ") + name;
    if (entry.size() + 2 > Column)
        entry += QLatin1Char('\n') + QString(Column, QLatin1Char(' '));
    else
        entry += QString(Column - entry.size(), QLatin1Char(' '));
    entry += Wrapped(text, Width - 1 - Column)
                 .join(QLatin1Char('\n') + QString(Column, QLatin1Char(' ')));
    return entry + QLatin1Char('\n');
}

QString Syntax(const OptionInfo& option, unsigned commandBit)
{
    QStringList names;
    for (const char* s = option.Shorts; *s != '\0'; ++s)
        names << QStringLiteral("-") + QLatin1Char(*s);
    names << QStringLiteral("--") + QLatin1String(option.Long);
    QString syntax = names.join(QStringLiteral(", "));
    if (const char* value = OptionValueName(option, commandBit))
        syntax += QLatin1Char(' ') + QLatin1String(value);
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
        text += Entry(Syntax(option, 0), Tr(option.Help));
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
        QLatin1Char('\n') + Wrapped(Tr(command.Description), Width - 1).join(QLatin1Char('\n')) +
        QStringLiteral("\n\n") + QCoreApplication::translate("ocrprint-cli", "Options:") +
        QLatin1Char('\n');
    for (const OptionInfo& option : Options())
        if ((option.Commands & command.Bit) != 0)
            text += Entry(Syntax(option, command.Bit), Tr(OptionHelp(option, command.Bit)));
    text += QLatin1Char('\n') + ExitStatus();
    return text.toStdString();
}

void ReportUsageError(const std::string& reason)
{
    Report(QStringLiteral("%1"), {MessageArg::Shown(reason)});
    Report(QCoreApplication::translate("ocrprint-cli", "Try 'ocrprint-cli --help'."));
}

} // namespace cli
