#include "configfile/widgets/ouvrir.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "configfile/savename.h"
#include "platform/core/filepaths.h"
#include "platform/services/dialogservice.h"
#include "platform/widgets/filebrowser.h"

namespace ondalis {

namespace {

constexpr int Height = 298;

// An hourglass, the picture of the loading notice.
QPixmap hourglass() {
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(5, 2, 19, 2);
    p.drawLine(5, 22, 19, 22);
    p.setBrush(QColor(240, 220, 150));
    p.drawPolygon(QPolygonF({{7, 3}, {17, 3}, {12, 12}}));
    p.drawPolygon(QPolygonF({{12, 12}, {17, 21}, {7, 21}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 150, 40));
    p.drawPolygon(QPolygonF({{9, 7}, {15, 7}, {12, 12}}));
    p.drawPolygon(QPolygonF({{12, 16}, {16, 21}, {8, 21}}));
    return picture;
}

}  // namespace

void showNoSuchConfiguration(DialogService& dialogs) {
    dialogs.message(QStringLiteral("Nom de fichier incorrect ou chemin non valide"),
                    QStringLiteral("impossible d'ouvrir ce fichier"), MessageIcon::Error,
                    MessageButtons::Ok);
}

ouvrir::ouvrir(DialogService& dialogs, QString& configurationPath,
               std::function<bool()> chargeconfig, QWidget* owner)
    : BrowserDialog({QStringLiteral("Ouvrir une configuration"), QStringLiteral("Répertoire"),
                     QStringLiteral("Fichiers"), QStringLiteral("OUVRIR")},
                    Height, owner),
      dialogs_(dialogs),
      configurationPath_(configurationPath),
      chargeconfig_(std::move(chargeconfig)) {
    setObjectName(QStringLiteral("ouvrir"));

    ficharge = new QLineEdit(this);
    ficharge->setObjectName(QStringLiteral("ficharge"));
    ficharge->setAccessibleName(QStringLiteral("Fichier à ouvrir"));
    ficharge->setGeometry(8, ListsBottom + 10, Width - 16, 22);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setGeometry(8, ButtonsTop(Height) - 3, 192, 34);
    auto* picture = new QLabel(Frame1);
    picture->setPixmap(hourglass());
    picture->setAccessibleName(QStringLiteral("Sablier"));
    auto* notice = new QLabel(QStringLiteral("Patience: chargement du fichier"), Frame1);
    notice->setObjectName(QStringLiteral("notice"));
    auto* row = new QHBoxLayout(Frame1);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(picture);
    row->addWidget(notice, 1);
    Frame1->setAccessibleName(notice->text());
    Frame1->hide();

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, ficharge);
    setTabOrder(ficharge, Command1);
    setTabOrder(Command1, Command2);
    File1->setFocus();

    connect(File1, &FileList::fileClicked, this, &ouvrir::File1_Click);
    connect(File1, &FileList::fileActivated, this, &ouvrir::File1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &ouvrir::Command1_Click);
}

void ouvrir::File1_Click() {
    QString path = File1->path();
    QDir::setCurrent(path);
    ficharge->setText(withTrailingSeparator(path) + File1->fileName());
}

void ouvrir::File1_DblClick() {
    // A double click is a click first.
    File1_Click();
    Command1_Click();
}

void ouvrir::Command1_Click() {
    if (trimSpaces(ficharge->text()).isEmpty()) return;
    configurationPath_ = ficharge->text();
    const QString existing = existingPathIgnoringCase(configurationPath_);
    if (!QFileInfo(existing).isFile()) {
        showNoSuchConfiguration(dialogs_);
        return;
    }
    configurationPath_ = existing;
    Frame1->show();
    repaint();
    chargeconfig_();
    accept();
}

}  // namespace ondalis
