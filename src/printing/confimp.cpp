#include "printing/confimp.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/updown.h"
#include "platform/widgets/valuelabel.h"
#include "printing/printpage.h"

namespace ondalis {

namespace {

const QString dialogTitle = QStringLiteral("Imprimer");

QFont dialogFont() { return DrawingSurface::makeFont(QStringLiteral("Arial"), 8); }

template <typename W>
W* place(W* w, const char* name, const QRect& geometry) {
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    return w;
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setBuddy(buddy);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left) {
    auto* b = place(new QPushButton(text, parent), name, QRect(left, 214, 105, 25));
    QString spoken = text;
    b->setAccessibleName(spoken.remove(QLatin1Char('&')));
    return b;
}

// An hourglass, beside the waiting notice.
QPixmap hourglass() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 2));
    p.drawLine(7, 3, 25, 3);
    p.drawLine(7, 29, 25, 29);
    p.setBrush(QColor(255, 255, 224));
    p.drawPolygon(QPolygonF({{9, 4}, {23, 4}, {16, 16}}));
    p.drawPolygon(QPolygonF({{16, 16}, {23, 28}, {9, 28}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 160, 40));
    p.drawPolygon(QPolygonF({{12, 8}, {20, 8}, {16, 14}}));
    p.drawPolygon(QPolygonF({{16, 22}, {21, 27}, {11, 27}}));
    return pixmap;
}

}  // namespace

QString printerCaption(const PrinterService& printer) {
    if (printer.printsToFile()) return QStringLiteral("Fichier PDF (nom demandé à l'impression)");
    return printer.deviceName();
}

confimp::confimp(DialogService& dialogs, PrinterService& printer, const DrawingSurface& animation,
                 const DrawingSurface& graph, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), printer_(printer), animation_(animation), graph_(graph) {
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(dialogTitle);
    setFont(dialogFont());
    setFixedSize(361, 247);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Frame1 = place(new QGroupBox(QStringLiteral("Options"), this), "Frame1", {8, 4, 345, 105});
    Option1 = place(new QRadioButton(QStringLiteral("Imprimer l'animation"), Frame1), "Option1",
                    {16, 20, 240, 18});
    Option2 = place(new QRadioButton(QStringLiteral("Imprimer le graphe"), Frame1), "Option2",
                    {16, 40, 240, 18});
    chec_[0] = place(new QCheckBox(QStringLiteral("Centrer l'image horizontalement"), Frame1),
                     "Chec_0", {16, 62, 300, 18});
    chec_[1] = place(new QCheckBox(QStringLiteral("Centrer l'image verticalement"), Frame1),
                     "Chec_1", {16, 82, 300, 18});
    Option1->setChecked(true);
    chec_[0]->setChecked(true);

    Text1 = place(new QLineEdit(QStringLiteral("Calvane - Ondalis"), this), "Text1",
                  {140, 120, 213, 21});
    Text1->setAccessibleName(QStringLiteral("Titre de la page"));
    caption(this, QStringLiteral("Titre de la page :"), {8, 122, 130, 17}, Text1);

    auto* copies = new ValueLabel(this);
    Label4 = place(copies, "Label4", {140, 150, 33, 21});
    Label4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setAccessibleName(QStringLiteral("Nombre d'exemplaires"));
    Label4->setText(QStringLiteral("1"));
    UpDown1 = place(new UpDown(this), "UpDown1", {174, 149, 17, 24});
    UpDown1->setRange(1, maxCopies);
    UpDown1->setValue(1);
    UpDown1->setAccessibleName(QStringLiteral("Nombre d'exemplaires"));
    UpDown1->setArrowNames(QStringLiteral("Un exemplaire de plus"),
                           QStringLiteral("Un exemplaire de moins"));
    caption(this, QStringLiteral("Nombre d'exemplaires :"), {8, 152, 130, 17}, UpDown1);

    defaut = place(new QLineEdit(this), "defaut", {140, 180, 213, 21});
    defaut->setReadOnly(true);
    defaut->setAccessibleName(QStringLiteral("Imprimante"));
    caption(this, QStringLiteral("Imprimante :"), {8, 182, 130, 17}, defaut);

    Command1 = button(this, "Command1", QStringLiteral("&OK"), 8);
    Command2 = button(this, "Command2", QStringLiteral("&Imprimantes"), 128);
    Command3 = button(this, "Command3", QStringLiteral("&Annuler"), 248);
    Command1->setDefault(true);

    Frame2 = place(new QGroupBox(QStringLiteral("Veuillez patienter quelques instants..."), this),
                   "Frame2", {8, 4, 345, 105});
    Frame2->setAccessibleName(Frame2->title());
    auto* picture = new QLabel(Frame2);
    picture->setPixmap(hourglass());
    picture->setGeometry(156, 40, 32, 32);
    picture->setAccessibleName(QStringLiteral("Sablier"));
    Frame2->hide();

    setTabOrder(Option1, Option2);
    setTabOrder(Option2, chec_[0]);
    setTabOrder(chec_[0], chec_[1]);
    setTabOrder(chec_[1], Text1);
    setTabOrder(Text1, UpDown1);
    setTabOrder(UpDown1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    Option1->setFocus();

    connect(UpDown1, &UpDown::valueChanged, this, &confimp::UpDown1_Change);
    connect(Command1, &QPushButton::clicked, this, &confimp::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &confimp::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &confimp::Command3_Click);
    Form_Load();
}

void confimp::Form_Load() {
    if (QWidget* owner = parentWidget()) {
        const QRect main = owner->window()->frameGeometry();
        move(main.left() + (main.width() - frameGeometry().width()) / 2, main.top() + 20);
    }
    defaut->setText(printerCaption(printer_));
    defaut->setCursorPosition(0);
}

void confimp::UpDown1_Change() {
    Label4->setText(QString::number(UpDown1->value()));
    UpDown1->setValueText(Label4->text());
}

void confimp::showWaitingNotice(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command2),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Frame1)})
        w->setVisible(!shown);
    Frame2->setVisible(shown);
    if (shown)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    repaint();
}

void confimp::Command1_Click() {
    // The notice comes once printing has started: not while the PDF file's name is asked for.
    bool noticeShown = false;
    PrintJob job;
    job.copies = UpDown1->value();
    job.title = Text1->text();
    job.image = Option1->isChecked() ? animation_.image() : graph_.image();
    job.centreAcross = chec_[0]->isChecked();
    job.centreDown = chec_[1]->isChecked();
    const PrintOutcome outcome = printCopies(printer_, job, [this, &noticeShown] {
        showWaitingNotice(true);
        noticeShown = true;
    });
    if (noticeShown) showWaitingNotice(false);
    if (outcome == PrintOutcome::Printed) {
        accept();
        return;
    }
    if (outcome == PrintOutcome::Failed)
        dialogs_.message(printer_.errorText(), dialogTitle, MessageIcon::Error, MessageButtons::Ok);
    Command1->setFocus();
}

void confimp::Command2_Click() {
    // A cancelled set-up keeps the previous printer.
    dialogs_.printerSetup(printer_);
    Form_Load();
}

void confimp::Command3_Click() { reject(); }

}  // namespace ondalis
