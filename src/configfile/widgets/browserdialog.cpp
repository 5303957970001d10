#include "configfile/widgets/browserdialog.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/filebrowser.h"

namespace ondalis {

namespace {

QLabel* caption(QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, w, 16);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(text);
    b->setGeometry(x, y, 101, 28);
    return b;
}

}  // namespace

BrowserDialog::BrowserDialog(const Texts& texts, int height, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(texts.caption);
    setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    setFixedSize(Width, height);
    if (owner) move(owner->window()->pos() + QPoint(20, 20));

    Label1 = caption(this, "Label1", QStringLiteral("Lecteur:"), 8, 8, 185);
    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(8, 24, 185, 22);
    Label2 = caption(this, "Label2", texts.folders, 8, 52, 185);
    Dir1 = new FolderList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(8, 68, 185, ListsBottom - 68);
    Label3 = caption(this, "Label3", texts.files, 208, 8, 209);
    File1 = new FileList(this);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setGeometry(208, 24, 209, ListsBottom - 24);
    File1->setAccessibleName(texts.files);
    Label1->setBuddy(Drive1);
    Label2->setBuddy(Dir1);
    Label3->setBuddy(File1);

    Command1 = button(this, "Command1", texts.action, 208, ButtonsTop(height));
    Command2 = button(this, "Command2", QStringLiteral("ANNULER"), 316, ButtonsTop(height));
    Command1->setDefault(true);
    connect(Command2, &QPushButton::clicked, this, &BrowserDialog::Command2_Click);

    File1->setPattern(QStringLiteral("*.P19"));
    browser_ = new FileBrowser(Drive1, Dir1, File1, this);
    if (!browser_->setFolder(QDir::currentPath())) browser_->setFolder(QDir::homePath());
}

void BrowserDialog::Command2_Click() { reject(); }

BusyPointer::BusyPointer(QWidget* window) : window_(window) { show(); }
BusyPointer::~BusyPointer() { restore(); }
void BusyPointer::show() { window_->setCursor(Qt::WaitCursor); }
void BusyPointer::restore() { window_->unsetCursor(); }

}  // namespace ondalis
