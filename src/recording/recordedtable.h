#pragma once

#include <QString>
#include <QStringList>

#include "simulation/run.h"

// The value table as data: the recorded samples, one row each, seven columns t, x, ẋ, ẍ, Ec,
// Epe, Em. The texts the table shows and copies are derived from the numbers.
namespace ondalis {

// The texts of a data row: t in the general number format, then x, v, a, Ec, Epe, Em in the
// three-significant-digit form.
QStringList tableRowTexts(const MotionSample& sample);

// The copy of the table (`copitab`): a first line of seven empty header cells, one line per
// sample, then `emptyRows` lines of seven empty cells (the table's build shows one empty row
// until the first sample is written); cells separated by TAB and lines by LF, no line end after
// the last line.
QString copitabText(const RecordedSamples& samples, int emptyRows = 0);

}  // namespace ondalis
