#pragma once

#include <QString>

namespace ondalis {

// The program folder, where the program finds "ZANTEK.TMP", "SPIREX.PEM" and its exercises.
// It is the executable's folder, unless the folder `fromExecutable` (a path relative to the
// executable's folder, "../share/ondalis" for the installed layout) exists: an installed
// executable in <prefix>/bin then uses <prefix>/share/ondalis.
QString programFolder(const QString& executableFolder, const QString& fromExecutable);

// The program folder of the running program, for the layout it was built for.
QString programFolder();

}  // namespace ondalis
