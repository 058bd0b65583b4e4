#pragma once

#include "platform/printer.h"

#include <QList>
#include <QSizeF>

namespace platform {

// The two label papers the label engine switches between by number: the
// driver's 40 x 28 mm medium (the 28 x 38 label paper) and its 47 x 65 mm
// medium (the 65 x 45 label paper), either way round.
inline constexpr int kSmallLabelPaperNumber = 513;
inline constexpr int kLargeLabelPaperNumber = 514;
// Media that are neither standard sizes nor the two label papers.
inline constexpr int kFirstOtherPaperNumber = 515;

// Numbers a driver's media, given in the driver's order (their `number` is
// ignored). The first medium within 1 mm of 40 x 28 mm, either way round,
// becomes 513, the first within 1 mm of 47 x 65 mm 514; a standard size keeps
// its Windows paper number, the first medium of each such size only; every
// other medium gets the next free number from 515 upward, in the driver's
// order. No number is given twice.
QList<PaperForm> numberPaperForms(const QList<PaperForm> &media);

// The Windows paper number of a medium that really is a standard size
// (within 0.5 mm, as loaded), or 0. A label that is merely close to a
// standard size (45 x 65 mm is not JIS B9's 45 x 64 mm) has none.
int standardPaperNumber(QSizeF sizeMm);

// The media of the SATO label printers this program is made for, in a
// driver's usual order, unnumbered: 40 x 28, 47 x 65, 45 x 65, 65 x 45 and
// 38 x 28 mm labels, and A4.
QList<PaperForm> labelPrinterMedia();

} // namespace platform
