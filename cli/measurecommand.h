#pragma once

#include "commandline.h"

namespace cli {

// measure SCAN: X, Y, A and B measured on a scan of the measurement sheet,
// with the figure's skew and the fit's residual.
int RunMeasure(const CommandLine& line);

// calibrate --scan SCAN: the lengths measured on the scan, then run as if they
// had been typed as X Y A B.
int WithScannedLengths(const CommandLine& line, int (*run)(const CommandLine&));

} // namespace cli
