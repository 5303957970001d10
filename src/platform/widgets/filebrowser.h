#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QList>
#include <QListWidget>
#include <QObject>
#include <QString>

namespace ondalis {

// A place where the user keeps files, as the drive list offers it: the file-system root, the
// home folder and each mounted volume (removable media included).
struct Drive {
    QString name;  // what the list shows
    QString path;  // its top folder
};

// A mounted volume as the system reports it.
struct Volume {
    QString rootPath;
    QString label;
    QByteArray fileSystemType;
    bool ready = true;
};

// The drives offered for a home folder and the mounted volumes: the root, the home folder, then
// each ready volume that holds the user's files, in the order given. Memory and system file
// systems (proc, tmpfs, squashfs…) and the system's own mount points (/proc, /sys, /dev, /run
// except /run/media, /snap, /boot) are left out; a folder already offered is not repeated.
QList<Drive> drivesFrom(const QString& home, const QList<Volume>& volumes);
// The drives of this computer now.
QList<Drive> currentDrives();
// The drive that holds `folder`: the one whose top folder is the longest to contain it;
// -1 when none does.
qsizetype driveIndexOf(const QList<Drive>& drives, const QString& folder);

// The drive list `Drive1`. It is filled with the computer's drives when created and again each
// time it is opened, so that a medium put in meanwhile appears.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    const QList<Drive>& drives() const { return drives_; }
    // Replaces the drives, keeping the selected one when it is still there.
    void setDrives(const QList<Drive>& drives);
    // Top folder of the selected drive; empty when none is selected.
    QString drive() const;
    // Selects the drive that holds `folder`, without signalling a choice.
    void showDriveOf(const QString& folder);

    void showPopup() override;

signals:
    // The user chose a drive (mouse or keys), even the one already selected.
    void driveChosen(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QList<Drive> drives_;
};

// The folder list `Dir1`: the folder's ancestors from the root, each one step further in, the
// folder itself highlighted, then its subfolders. A double click opens the folder clicked;
// arrows only highlight. Enter is signalled, for the owner to open the highlighted folder.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    QString path() const { return path_; }
    // Shows `folder` and signals pathChanged when it differs from the current one. False, and
    // nothing changes, when the folder cannot be listed.
    bool setPath(const QString& folder);
    // The highlighted folder; the current one when nothing is highlighted.
    QString highlightedPath() const;

signals:
    void pathChanged(const QString& path);
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString path_;
};

// The file list `File1`: the files of a folder whose names match a pattern such as "*.P19",
// whatever the letter case ("essai.p19" is listed), sorted by name, hidden files left out.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    QString pattern() const { return pattern_; }
    void setPattern(const QString& pattern);
    QString path() const { return path_; }
    // Lists `folder` and signals pathChanged when it differs from the current one. False, and
    // nothing changes, when the folder cannot be listed.
    bool setPath(const QString& folder);
    // Lists the folder again.
    void refresh();
    // The selected file's name; empty when none is selected.
    QString fileName() const;
    QStringList fileNames() const;
    // Selects a file by name (no signal); false when it is not listed.
    bool selectFile(const QString& name);

signals:
    void pathChanged(const QString& path);
    // A file was selected with a click or the arrow keys.
    void fileClicked(const QString& name);
    // A file was double-clicked, or Enter was pressed on it.
    void fileActivated(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString pattern_ = QStringLiteral("*.*");
    QString path_;
};

// The three linked lists of a file browser (open and save dialogs, exercise catalogue):
//  - a drive chosen moves the folder list to its top folder, then the drive list is set back to
//    the drive of the folder list (a drive that cannot be read leaves both where they were),
//    then the file list follows the folder list; each step is tried even if one before failed;
//  - a folder opened in the folder list moves the file list there;
//  - Enter in the folder list opens its highlighted folder.
// The lists stay the owner's controls; the browser only links them.
class FileBrowser : public QObject {
    Q_OBJECT
public:
    FileBrowser(DriveList* drives, FolderList* folders, FileList* files, QObject* parent = nullptr);

    // Puts the three lists on `folder` (a dialog starts on the process's current folder).
    // False when the folder cannot be listed; the lists then stay where they were.
    bool setFolder(const QString& folder);
    QString folder() const;

    void driveChanged(const QString& drivePath);
    void folderChanged();
    void folderEnterPressed();

private:
    DriveList* drives_;
    FolderList* folders_;
    FileList* files_;
};

}  // namespace ondalis
