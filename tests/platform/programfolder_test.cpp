// The program folder: the executable's own folder, or the installed layout's data folder
// when it exists beside the executable's folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/core/programfolder.h"

namespace ondalis {
namespace {

TEST(ProgramFolder, IsTheInstalledFolderWhenPresentElseTheExecutablesFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("usr/bin"));
    QDir(root.path()).mkpath(QStringLiteral("usr/share/ondalis"));
    QDir(root.path()).mkpath(QStringLiteral("build/src/app"));
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString installed = root.filePath(QStringLiteral("usr/share/ondalis"));
    const QString buildTree = root.filePath(QStringLiteral("build/src/app"));
    const QString relative = QStringLiteral("../share/ondalis");

    EXPECT_EQ(programFolder(bin, relative), installed);
    EXPECT_EQ(programFolder(bin + QLatin1Char('/'), relative), installed);
    EXPECT_EQ(programFolder(buildTree, relative), buildTree);
    EXPECT_EQ(programFolder(bin, QString()), bin);
}

}  // namespace
}  // namespace ondalis
