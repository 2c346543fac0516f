#pragma once
// print: the print data file ocrdat.prn and the declaration print job. The
// parser cuts one line of code page 932 bytes into a PrintRecord; the job
// finds the file, reads it in text mode and draws every accepted entry on one
// page of the print surface with the printer correction applied.
//
// It depends on core, surface and the calibration model (whose limits the job
// applies to the corrections) only: no widgets, no dialogs, nothing of the
// application shell, so that the program, the command-line tool and the tests
// share one drawing path.

#include "datafileerror.h"
#include "datalint.h"
#include "declarationjob.h"
#include "formimage.h"
#include "parseprintline.h"
#include "previewjob.h"
#include "printrecord.h"
