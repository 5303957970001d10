#include "app/launchfile.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/core/filepaths.h"

namespace ondalis {

LaunchFile launchFile(const QStringList& arguments, const QString& currentFolder) {
    QString argument;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (options && a == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (a.isEmpty() || (options && a.startsWith(QLatin1Char('-')))) continue;
        argument = a;
        break;
    }
    if (argument.isEmpty()) return {};

    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        if (url.isLocalFile()) argument = url.toLocalFile();
    }
    const QString absolute = QDir::cleanPath(QDir(currentFolder).absoluteFilePath(argument));
    const QString path = existingPathIgnoringCase(absolute);
    const bool exercise =
        QFileInfo(path).suffix().compare(QLatin1String("E41"), Qt::CaseInsensitive) == 0;
    return {exercise ? LaunchFile::Kind::Exercise : LaunchFile::Kind::Configuration, path};
}

}  // namespace ondalis
