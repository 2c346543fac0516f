#pragma once

#include <QValidator>

class QLineEdit;

namespace calibration {

// The numeric edit boxes of the two dialogs. A Japanese input method left in
// full-width mode types "１５１．２", which the conversions do not take, and
// the dialog would then go on with the nominal value without a word. The box
// asks the input method for Latin digits, and what comes full-width all the
// same is turned into ASCII as it is typed: the digits, the point, plus, the
// minus in its usual forms and the ideographic space. Nothing else is touched,
// so a wrong text stays visible and is treated as the dialogs treat it.
class NumberEditValidator : public QValidator
{
    Q_OBJECT

public:
    explicit NumberEditValidator(QObject* parent = nullptr);

    // Converts input in place; every text is acceptable.
    State validate(QString& input, int& pos) const override;

    // The text with its full-width digits, point, signs and spaces in ASCII;
    // one character for one, so the cursor stays where it was.
    static QString ToAscii(QString text);
};

// Sets an edit box up as a numeric one: the input method hints and the
// conversion above.
void SetUpNumberEdit(QLineEdit* edit);

} // namespace calibration
