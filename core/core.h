#pragma once
// core: the shared types and helpers of ocrprint: the correction state record,
// the exceptions and the text an error is reported with (control bytes
// escaped), the strict and lenient text-to-number conversions, the general
// number form, MulDiv, code page 932 decoding and encoding, the one UTF-8
// decoder (utf8.h), UTF-8 data and spreadsheets' CSV turned into data file
// bytes, the text-mode line reader, how standard input is spelled and named
// (standardstream.h), the millimetre-to-dot arithmetic, the one safe way every
// output file is written (outputfile.h), the one check that no output destroys
// an input (outputguard.h) and the release's names (version.h).
//
// It depends on the C++ standard library and the C library (iconv, dlopen);
// libcsv only in its plugin (csvreader.cpp). No Qt at all, so that it builds
// and runs under the sanitizers on its own.

#include "conversions.h"
#include "cp932.h"
#include "csvdata.h"
#include "dots.h"
#include "econverterror.h"
#include "eprinter.h"
#include "errortext.h"
#include "escape.h"
#include "exception.h"
#include "muldiv.h"
#include "outputfile.h"
#include "outputguard.h"
#include "plugin.h"
#include "printadjustment.h"
#include "standardstream.h"
#include "textmodereader.h"
#include "utf8.h"
#include "utf8data.h"
#include "version.h"
