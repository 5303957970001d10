// The drive, folder and file lists and their links, on real folders, driven by clicks and keys.
#include "platform/widgets/filebrowser.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace ondalis {
namespace {

TEST(Drives, TheRootTheHomeFolderAndTheVolumesThatHoldFiles) {
    const QList<Volume> volumes = {
        {"/", "", "ext4", true},
        {"/media/jean/CLE_USB", "CLE_USB", "vfat", true},
        {"/run/media/jean/DVD", "", "iso9660", true},
        {"/mnt/donnees", "donnees", "ext4", true},
        {"/mnt/lecteur", "", "vfat", false},  // no medium
        {"/dev/shm", "", "tmpfs", true},
        {"/tmp", "", "tmpfs", true},
        {"/boot/efi", "", "vfat", true},
        {"/snap/core/1", "", "squashfs", true},
        {"/run/user/1000", "", "ext4", true},
        {"/home/jean", "", "ext4", true},  // already offered as the home folder
    };
    const QList<Drive> drives = drivesFrom("/home/jean", volumes);
    QStringList paths;
    for (const Drive& d : drives) paths << d.path;
    EXPECT_EQ(paths, QStringList({"/", "/home/jean", "/media/jean/CLE_USB", "/run/media/jean/DVD",
                                  "/mnt/donnees"}));
    EXPECT_EQ(drives[1].name, QStringLiteral("Dossier personnel (/home/jean)"));
    EXPECT_EQ(drives[2].name, QStringLiteral("CLE_USB (/media/jean/CLE_USB)"));
    EXPECT_EQ(drives[3].name, QStringLiteral("DVD (/run/media/jean/DVD)"));

    const struct {
        const char* folder;
        qsizetype drive;
    } owners[] = {{"/home/jean/cours", 1},        {"/home/jean", 1}, {"/home/jeanne", 0},
                  {"/media/jean/CLE_USB/a/b", 2}, {"/etc", 0},       {"/", 0}};
    for (const auto& o : owners) EXPECT_EQ(driveIndexOf(drives, o.folder), o.drive) << o.folder;
}

class Browser : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir d(dir.path());
        for (const char* sub : {"cours", "Archives", ".cache"}) ASSERT_TRUE(d.mkdir(sub));
        for (const char* name : {"essai.p19", "B.P19", "notes.txt", ".cache.P19", "c.P19x"})
            touch(d.filePath(name));
        touch(d.filePath("cours/ressort.P19"));
        files.setPattern("*.P19");
        for (QWidget* w : std::initializer_list<QWidget*>{&drives, &folders, &files}) {
            w->resize(200, 300);
            w->show();
        }
    }

    static void touch(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    static QStringList texts(const QListWidget& list) {
        QStringList t;
        for (int i = 0; i < list.count(); ++i) t << list.item(i)->text();
        return t;
    }

    static void doubleClick(QListWidget& list, int row) {
        // A double click is a click, then a second press that the system reports as double.
        const QPoint at = list.visualItemRect(list.item(row)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir dir;
    DriveList drives;
    FolderList folders;
    FileList files;
    FileBrowser browser{&drives, &folders, &files};
};

TEST_F(Browser, ListsTheFolderAndItsPatternWhateverTheCase) {
    ASSERT_TRUE(browser.setFolder(dir.path()));
    EXPECT_EQ(texts(files), QStringList({"B.P19", "essai.p19"}));
    // Ancestors from the root, the folder itself highlighted, then its visible subfolders.
    const QStringList shown = texts(folders);
    EXPECT_EQ(shown.first(), QStringLiteral("/"));
    EXPECT_EQ(shown.mid(shown.size() - 3),
              QStringList({QDir(dir.path()).dirName(), "Archives", "cours"}));
    EXPECT_EQ(folders.highlightedPath(), dir.path());
    EXPECT_FALSE(folders.setPath(dir.filePath("absent")));
    EXPECT_EQ(folders.path(), dir.path());
}

TEST_F(Browser, FilesAreClickedAndActivatedWithTheMouseAndTheKeys) {
    browser.setFolder(dir.path());
    QSignalSpy clicked(&files, &FileList::fileClicked);
    QSignalSpy activated(&files, &FileList::fileActivated);
    // The first arrow chooses the first file.
    files.setFocus();
    QTest::keyClick(&files, Qt::Key_Down);
    EXPECT_EQ(files.fileName(), QStringLiteral("B.P19"));
    QTest::mouseClick(files.viewport(), Qt::LeftButton, {},
                      files.visualItemRect(files.item(1)).center());
    EXPECT_EQ(files.fileName(), QStringLiteral("essai.p19"));
    QTest::keyClick(&files, Qt::Key_Up);
    QTest::keyClick(&files, Qt::Key_Return);
    doubleClick(files, 1);
    ASSERT_EQ(clicked.size(), 4);
    EXPECT_EQ(clicked[0][0].toString(), QStringLiteral("B.P19"));
    EXPECT_EQ(clicked[1][0].toString(), QStringLiteral("essai.p19"));
    EXPECT_EQ(clicked[2][0].toString(), QStringLiteral("B.P19"));
    ASSERT_EQ(activated.size(), 2);
    EXPECT_EQ(activated[0][0].toString(), QStringLiteral("B.P19"));
    EXPECT_EQ(activated[1][0].toString(), QStringLiteral("essai.p19"));
}

TEST_F(Browser, TheFileListFollowsTheFolderOpenedByDoubleClickOrEnter) {
    browser.setFolder(dir.path());
    const int cours = int(texts(folders).indexOf("cours"));
    // Arrows only highlight; Enter opens the highlighted folder.
    folders.setFocus();
    folders.setCurrentRow(cours - 1);
    QTest::keyClick(&folders, Qt::Key_Down);
    EXPECT_EQ(folders.path(), dir.path());
    QTest::keyClick(&folders, Qt::Key_Return);
    EXPECT_EQ(folders.path(), dir.filePath("cours"));
    EXPECT_EQ(files.path(), dir.filePath("cours"));
    EXPECT_EQ(texts(files), QStringList({"ressort.P19"}));
    // A double click on an ancestor goes back up.
    doubleClick(folders, int(texts(folders).indexOf(QDir(dir.path()).dirName())));
    EXPECT_EQ(files.path(), dir.path());
    EXPECT_EQ(texts(files), QStringList({"B.P19", "essai.p19"}));
}

TEST_F(Browser, ADriveThatCannotBeReadLeavesTheListsWhereTheyWere) {
    drives.setDrives({{"Racine", "/"},
                      {"Lecteur vide", dir.filePath("absent")},
                      {"Cours", dir.filePath("cours")}});
    browser.setFolder(dir.path());
    EXPECT_EQ(drives.currentIndex(), 0);
    drives.setFocus();
    QTest::keyClick(&drives, Qt::Key_Down);  // the empty drive
    EXPECT_EQ(drives.currentIndex(), 0);
    EXPECT_EQ(folders.path(), dir.path());
    EXPECT_EQ(files.path(), dir.path());
    drives.setCurrentIndex(1);
    QTest::keyClick(&drives, Qt::Key_Down);  // "Cours"
    EXPECT_EQ(drives.currentIndex(), 2);
    EXPECT_EQ(folders.path(), dir.filePath("cours"));
    EXPECT_EQ(texts(files), QStringList({"ressort.P19"}));
}

}  // namespace
}  // namespace ondalis
