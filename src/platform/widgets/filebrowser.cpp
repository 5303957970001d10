#include "platform/widgets/filebrowser.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/core/filepaths.h"

namespace ondalis {

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;
constexpr int IndentPerLevel = 12;

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// "/a/b/" and "/a/b" name the same folder; the root keeps its "/".
QString folderPath(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

bool contains(const QString& top, const QString& folder) {
    if (folder == top) return true;
    return folder.startsWith(withTrailingSeparator(top));
}

bool isListable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

bool isSystemFileSystem(const QByteArray& type) {
    static const QByteArray types[] = {
        "autofs",   "binfmt_misc", "bpf",      "cgroup",  "cgroup2",    "configfs",   "debugfs",
        "devpts",   "devtmpfs",    "efivarfs", "fusectl", "hugetlbfs",  "mqueue",     "nsfs",
        "overlay",  "proc",        "pstore",   "ramfs",   "rpc_pipefs", "securityfs", "selinuxfs",
        "squashfs", "sysfs",       "tmpfs",    "tracefs"};
    return std::find(std::begin(types), std::end(types), type) != std::end(types);
}

bool isSystemMountPoint(const QString& root) {
    if (contains(QStringLiteral("/run/media"), root)) return false;
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot"})
        if (contains(QString::fromLatin1(system), root)) return true;
    return false;
}

// Indents each entry of the folder list by its depth.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + IndentPerLevel * index.data(LevelRole).toInt());
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += IndentPerLevel * index.data(LevelRole).toInt();
        return size;
    }
};

}  // namespace

QList<Drive> drivesFrom(const QString& home, const QList<Volume>& volumes) {
    QList<Drive> drives{{QStringLiteral("Racine du système (/)"), QStringLiteral("/")}};
    auto offered = [&drives](const QString& path) {
        return std::any_of(drives.begin(), drives.end(),
                           [&path](const Drive& d) { return d.path == path; });
    };
    const QString homePath = folderPath(home);
    if (!home.isEmpty() && !offered(homePath))
        drives.append({QStringLiteral("Dossier personnel (%1)").arg(homePath), homePath});
    for (const Volume& v : volumes) {
        const QString root = folderPath(v.rootPath);
        if (!v.ready || v.rootPath.isEmpty() || offered(root)) continue;
        if (isSystemFileSystem(v.fileSystemType) || isSystemMountPoint(root)) continue;
        const QString label = v.label.isEmpty() ? QFileInfo(root).fileName() : v.label;
        drives.append({QStringLiteral("%1 (%2)").arg(label, root), root});
    }
    return drives;
}

QList<Drive> currentDrives() {
    QList<Volume> volumes;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
        volumes.append({s.rootPath(), s.name(), s.fileSystemType(), s.isValid() && s.isReady()});
    return drivesFrom(QDir::homePath(), volumes);
}

qsizetype driveIndexOf(const QList<Drive>& drives, const QString& folder) {
    const QString f = folderPath(folder);
    qsizetype best = -1;
    for (qsizetype i = 0; i < drives.size(); ++i) {
        const QString top = folderPath(drives[i].path);
        if (contains(top, f) && (best < 0 || top.size() > folderPath(drives[best].path).size()))
            best = i;
    }
    return best;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    setAccessibleName(QStringLiteral("Lecteur"));
    setDrives(currentDrives());
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < drives_.size()) emit driveChosen(drives_[index].path);
    });
}

void DriveList::setDrives(const QList<Drive>& drives) {
    const QString selected = drive();
    const QSignalBlocker blocker(this);
    drives_ = drives;
    clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const Drive& d : drives_) addItem(icon, d.name, d.path);
    qsizetype index = -1;
    for (qsizetype i = 0; i < drives_.size(); ++i)
        if (drives_[i].path == selected) index = i;
    setCurrentIndex(int(index));
}

QString DriveList::drive() const {
    const int index = currentIndex();
    return index >= 0 && index < drives_.size() ? drives_[index].path : QString();
}

void DriveList::showDriveOf(const QString& folder) {
    const qsizetype index = driveIndexOf(drives_, folder);
    if (index < 0) return;
    const QSignalBlocker blocker(this);
    setCurrentIndex(int(index));
}

void DriveList::showPopup() {
    setDrives(currentDrives());
    QComboBox::showPopup();
}

void DriveList::keyPressEvent(QKeyEvent* event) {
    // Enter chooses nothing here; it must not reach the dialog's default button either.
    if (isEnter(event)) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Répertoire"));
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(item->data(PathRole).toString()); });
}

bool FolderList::setPath(const QString& folder) {
    if (folder.isEmpty() || !isListable(folder)) return false;
    const QString path = folderPath(folder);
    QDir dir(path);
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);

    QSignalBlocker blocker(this);
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QStringList ancestors;
    QDir up(path);
    do {
        ancestors.prepend(up.absolutePath());
    } while (!up.isRoot() && up.cdUp());
    int level = 0;
    QListWidgetItem* current = nullptr;
    for (const QString& a : ancestors) {
        const QString name = QDir(a).isRoot() ? a : QFileInfo(a).fileName();
        auto* item = new QListWidgetItem(open, name, this);
        item->setData(PathRole, a);
        item->setData(LevelRole, level++);
        current = item;
    }
    for (const QString& s : subfolders) {
        auto* item = new QListWidgetItem(closed, s, this);
        item->setData(PathRole, dir.absoluteFilePath(s));
        item->setData(LevelRole, level);
    }
    setCurrentItem(current);
    if (current) scrollToItem(current);
    blocker.unblock();

    const bool changed = path != path_;
    path_ = path;
    if (changed) emit pathChanged(path_);
    return true;
}

QString FolderList::highlightedPath() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->data(PathRole).toString() : path_;
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        event->accept();
        emit enterPressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Fichiers"));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit fileActivated(item->text()); });
}

void FileList::setPattern(const QString& pattern) {
    pattern_ = pattern;
    refresh();
}

bool FileList::setPath(const QString& folder) {
    if (folder.isEmpty() || !isListable(folder)) return false;
    const QString path = folderPath(folder);
    const bool changed = path != path_;
    path_ = path;
    refresh();
    if (changed) emit pathChanged(path_);
    return true;
}

void FileList::refresh() {
    const QSignalBlocker blocker(this);
    clear();
    if (path_.isEmpty()) return;
    // Without QDir::CaseSensitive, the pattern matches whatever the letter case.
    const QStringList names =
        QDir(path_).entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(names);
    setCurrentRow(-1);
}

QString FileList::fileName() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QStringList FileList::fileNames() const {
    QStringList names;
    for (int i = 0; i < count(); ++i) names << item(i)->text();
    return names;
}

bool FileList::selectFile(const QString& name) {
    const QList<QListWidgetItem*> found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    const QSignalBlocker blocker(this);
    setCurrentItem(found.first());
    return true;
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        event->accept();
        if (!fileName().isEmpty()) emit fileActivated(fileName());
        return;
    }
    const QString before = fileName();
    QListWidget::keyPressEvent(event);
    // The first arrow in a list where nothing is chosen yet only moves the cursor: choose too.
    const bool moves = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                       event->key() == Qt::Key_Home || event->key() == Qt::Key_End ||
                       event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
    if (QListWidgetItem* now = currentItem(); moves && now && !now->isSelected())
        now->setSelected(true);
    if (fileName() != before && !fileName().isEmpty()) emit fileClicked(fileName());
}

FileBrowser::FileBrowser(DriveList* drives, FolderList* folders, FileList* files, QObject* parent)
    : QObject(parent), drives_(drives), folders_(folders), files_(files) {
    connect(drives_, &DriveList::driveChosen, this, &FileBrowser::driveChanged);
    connect(folders_, &FolderList::pathChanged, this, &FileBrowser::folderChanged);
    connect(folders_, &FolderList::enterPressed, this, &FileBrowser::folderEnterPressed);
}

bool FileBrowser::setFolder(const QString& folder) {
    if (!folders_->setPath(folder)) return false;
    drives_->showDriveOf(folders_->path());
    files_->setPath(folders_->path());
    return true;
}

QString FileBrowser::folder() const { return folders_->path(); }

void FileBrowser::driveChanged(const QString& drivePath) {
    folders_->setPath(drivePath);
    drives_->showDriveOf(folders_->path());
    files_->setPath(folders_->path());
}

void FileBrowser::folderChanged() { files_->setPath(folders_->path()); }

void FileBrowser::folderEnterPressed() { folders_->setPath(folders_->highlightedPath()); }

}  // namespace ondalis
