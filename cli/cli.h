#pragma once
// cli: ocrprint-cli, the command-line companion. It parses the command line,
// chooses the printer (a system queue or the file printer), and runs the same
// jobs as the program's buttons through the same print surface, reporting on
// standard error in the words of the program's error box. Its own texts (help,
// usage errors, notices) are translated (translations/); the program's
// messages are not.
//
// It depends on core, surface, print, the calibration model and the settings
// file, and on Qt Core and Gui: nothing of Qt Widgets, no windows. Nothing
// depends on it.

#include "argumentcodec.h"
#include "commandline.h"
#include "commands.h"
#include "commandtable.h"
#include "diagnostics.h"
#include "usage.h"
