#pragma once
// surface: the print surface that every print job draws on. One printer object
// (PrinterObject()) with its canvas, pen, brush and font, in device dots from
// the printable area's corner, over one small device interface with two back
// ends: the system's printers (PDF pages handed to CUPS) and the file printer
// (PDF or PNG at a chosen resolution). The trace writer records what is drawn.
//
// It depends on core and on Qt Core and Gui; never on Qt's print support or
// Widgets (the print dialog converts its choice into a PrinterSetup), nor on
// the jobs that use it.

#include "device.h"
#include "documentscope.h"
#include "filedevice.h"
#include "fonts.h"
#include "outputwriteerror.h"
#include "printercaps.h"
#include "printerdevice.h"
#include "tbrush.h"
#include "tfont.h"
#include "tpen.h"
#include "tprinter.h"
#include "tprintercanvas.h"
#include "tracewriter.h"
