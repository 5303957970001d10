#include "platform/core/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ondalis {

QString programFolder(const QString& executableFolder, const QString& fromExecutable) {
    if (!fromExecutable.isEmpty()) {
        const QString installed = QDir::cleanPath(QDir(executableFolder).filePath(fromExecutable));
        if (QFileInfo(installed).isDir()) return installed;
    }
    return executableFolder;
}

QString programFolder() {
    return programFolder(QCoreApplication::applicationDirPath(),
                         QStringLiteral(ONDALIS_PROGRAM_DIR_FROM_BIN));
}

}  // namespace ondalis
