#pragma once

#include <QByteArray>
#include <QString>

// Paths as the program handles them: folders shown and stored with a trailing separator, and
// names that may come from a system where letter case does not matter.
namespace ondalis {

// The folder with a trailing separator ("/" or "\" already there is kept).
QString withTrailingSeparator(const QString& folder);

// Whether c separates folders in a path on this platform.
bool isPathSeparator(QChar c);

// The path of an existing entry whose name differs from `path` only by letter case, component
// by component; `path` itself when it exists, or when no single entry matches. "essai.p19"
// finds "ESSAI.P19"; a relative path is taken from the process's current folder.
QString existingPathIgnoringCase(const QString& path);

// Writes `bytes` as the whole content of `path`, safely: they go to a file beside it, which
// replaces the old file only once everything is on disk. On failure the old file is left as
// it was and `error` (when given) says why.
bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace ondalis
