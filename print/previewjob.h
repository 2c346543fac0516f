#pragma once

#include <set>
#include <string>

#include "device.h"

namespace core {
class TextModeReader;
}

namespace print {

// The lines of the data file whose entries are marked.
using MarkedLines = std::set<int>;

// Draws the declaration of the open data file where its entries are meant to
// land on the paper, as a calibrated printer prints them: on the current
// printer, which must print the whole paper (a file printer without margins)
// at the resolution the entries were judged in. The printable area of the
// judged device is outlined in blue; every entry of a marked line gets a red box and its
// line number in red. Entries the job would skip are not drawn; the preview
// goes past a conversion error and draws a character no installed face has,
// which the job would stop at.
surface::DocumentOutput PrintPreview(core::TextModeReader& reader, const surface::PageArea& judged,
                                     const MarkedLines& marked);

} // namespace print
