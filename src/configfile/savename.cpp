#include "configfile/savename.h"

#include <QDir>

#include "platform/core/filepaths.h"

namespace ondalis {

namespace {

// Index just after the last folder separator; 0 when the name holds none.
qsizetype fileNameStart(const QString& name) {
    for (qsizetype i = name.size(); i > 0; --i)
        if (isPathSeparator(name[i - 1])) return i;
    return 0;
}

}  // namespace

QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' ')) ++first;
    while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
    return text.mid(first, last - first);
}

QString bareFileName(const QString& name) { return name.mid(fileNameStart(name)); }

QString withoutExtensions(const QString& name) {
    const qsizetype start = fileNameStart(name);
    const qsizetype dot = name.indexOf(QLatin1Char('.'), start);
    return dot < 0 ? name : name.left(dot);
}

bool namesAFile(const QString& name) { return !bareFileName(withoutExtensions(name)).isEmpty(); }

QString completedConfigurationPath(const QString& name, const QString& listFolder) {
    QString path = withoutExtensions(name);
    // A bare name, or a folder typed relative to where the lists stand.
    if (QDir::isRelativePath(path)) path = withTrailingSeparator(listFolder) + path;
    return path + QStringLiteral(".P19");
}

QString configurationCaption(const QString& path) {
    return QStringLiteral("Ondalis - ") + QDir::cleanPath(path);
}

}  // namespace ondalis
