#include "platform/core/filepaths.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace ondalis {

QString withTrailingSeparator(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))) return folder;
    return folder + QLatin1Char('/');
}

bool isPathSeparator(QChar c) { return c == QLatin1Char('/') || c == QDir::separator(); }

QString existingPathIgnoringCase(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path)) return path;
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    const QStringList parts = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    // `resolved` ends with a separator: the root, or a drive such as "C:/".
    QString resolved = QStringLiteral("/");
    qsizetype first = 0;
    if (!absolute.startsWith(QLatin1Char('/')) && !parts.isEmpty()) {
        resolved = parts.first() + QLatin1Char('/');
        first = 1;
    }
    for (qsizetype i = first; i < parts.size(); ++i) {
        QString found = parts[i];
        if (!QFileInfo::exists(resolved + found)) {
            found.clear();
            const QStringList entries = QDir(resolved).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(parts[i], Qt::CaseInsensitive) != 0) continue;
                if (!found.isEmpty()) return path;  // two names differ only by case
                found = entry;
            }
            if (found.isEmpty()) return path;
        }
        resolved += found;
        if (i + 1 < parts.size()) resolved += QLatin1Char('/');
    }
    return resolved;
}

namespace {

// The name with "\\" as a separator, after the folder (with a separator between them).
QString storedNameJoined(const QString& folder, const QString& name) {
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (folder.isEmpty()) return path;
    if (path.startsWith(QLatin1Char('/'))) path.remove(0, 1);
    return withTrailingSeparator(folder) + path;
}

}  // namespace

std::optional<QString> resolveStoredName(const QString& folder, const QString& name) {
    const QString exact = folder + name;
    if (QFileInfo(exact).isFile()) return exact;
    const QString found = existingPathIgnoringCase(storedNameJoined(folder, name));
    if (QFileInfo(found).isFile()) return found;
    return std::nullopt;
}

QString storedNamePath(const QString& folder, const QString& name) {
    return QDir::toNativeSeparators(storedNameJoined(folder, name));
}

bool writeFileSafely(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    // A short write (a full disk) shows only as a failed flush, which leaves no error for
    // commit() to see: without this check the old file would be replaced by a truncated one.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit())
        return true;
    if (error)
        *error = file.error() != QFileDevice::NoError ? file.errorString()
                                                      : QStringLiteral("Écriture incomplète");
    file.cancelWriting();
    return false;
}

}  // namespace ondalis
