#pragma once

#include <string>

#include "printersetup.h"

class QPrintDialog;
class QPrinter;

namespace app {

// The printer setup dialog works on a QPrinter; the print surface takes the
// choice as a plain surface::PrinterSetup. These two convert between them, so
// that only the application needs Qt's print support.

// Sets printer to setup, so that the dialog opens on the printer in use.
void SetUpQPrinter(const surface::PrinterSetup& setup, QPrinter& printer);

// What the dialog left in printer. current is the setup in use: "print to
// file" keeps its queue and options, whose resolution and margins the file is
// laid out with.
surface::PrinterSetup SetupFromQPrinter(const QPrinter& printer,
                                        const surface::PrinterSetup& current);

// Makes dialog show "print to file" onto file, the choice in use; nothing
// for an empty file (a queue in use).
void ShowPrintToFile(QPrintDialog& dialog, const std::string& file);

// The dialog chooses the printer, it prints nothing: its title and its
// confirm button say so ("プリンタ設定", "選択") instead of Qt's "Print".
void LabelAsChoosing(QPrintDialog& dialog);
inline constexpr const char* ChooseButtonText = "選択";
inline constexpr const char* SetupDialogTitle = "プリンタ設定";
// Said once, when the dialog's choice was landscape: the form is printed
// portrait all the same, since it is a portrait page.
inline constexpr const char* LandscapeNote =
    "申告書は縦向きの用紙です。横向きを選んでも縦向きのまま印刷され、欠けるところはありません。";

} // namespace app
