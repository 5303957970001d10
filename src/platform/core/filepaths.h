#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

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

// A file named in an exercise file or in a request of the collection, relative to `folder`.
// Such names were often written on Windows: "\" separates their folders and their letter case
// may differ from the file's. The path of the file: `folder` + `name` when that file exists;
// otherwise the name with "\" read as a separator, and, when no file has exactly that name,
// the one file whose name matches it without regard to case, folder by folder. nullopt when
// there is no such file, or when two names match it (which one was meant is not guessed).
std::optional<QString> resolveStoredName(const QString& folder, const QString& name);

// `folder` + `name` with "\" read as a separator, in the platform's form: the file a message
// says is missing.
QString storedNamePath(const QString& folder, const QString& name);

// Writes `bytes` as the whole content of `path`, safely: they go to a file beside it, which
// replaces the old file only once everything is on disk. On failure the old file is left as
// it was and `error` (when given) says why.
bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace ondalis
