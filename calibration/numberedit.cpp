#include "numberedit.h"

#include <QLineEdit>

namespace calibration {

namespace {

// The ASCII character a full-width or look-alike character stands for in a
// number, or the character itself.
char16_t AsciiOf(char16_t c)
{
    if (c >= u'０' && c <= u'９')
        return static_cast<char16_t>(u'0' + (c - u'０'));
    switch (c) {
    case u'．': // full-width full stop
    case u'。': // what the point key gives in kana mode
    case u'｡':  // its half-width form
        return u'.';
    case u'＋':
        return u'+';
    case u'－': // full-width hyphen-minus
    case u'−':  // minus sign
    case u'‐':  // hyphen
    case u'‑':  // non-breaking hyphen
    case u'‒':  // figure dash
    case u'–':  // en dash
    case u'﹣': // small hyphen-minus
    case u'ー': // the minus key in kana mode
    case u'ｰ':  // its half-width form
        return u'-';
    case u'　': // ideographic space
        return u' ';
    default:
        return c;
    }
}

} // namespace

NumberEditValidator::NumberEditValidator(QObject* parent) : QValidator(parent) {}

QValidator::State NumberEditValidator::validate(QString& input, int&) const
{
    input = ToAscii(std::move(input));
    return Acceptable;
}

QString NumberEditValidator::ToAscii(QString text)
{
    for (QChar& c : text)
        c = QChar(AsciiOf(c.unicode()));
    return text;
}

void SetUpNumberEdit(QLineEdit* edit)
{
    edit->setInputMethodHints(edit->inputMethodHints() | Qt::ImhFormattedNumbersOnly |
                              Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    edit->setValidator(new NumberEditValidator(edit));
}

} // namespace calibration
