#include "platform/services/printersetupform.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusTipEvent>

#include "platform/widgets/drawingsurface.h"

namespace ondalis {

namespace {

template <typename W>
W* place(W* w, const char* name, const QRect& geometry) {
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    return w;
}

QString spoken(QString text) {
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QLatin1String(" :"))) text.chop(2);
    if (text.endsWith(QLatin1String("..."))) text.chop(3);
    return text;
}

// A caption and the control it names: the control is named after it for screen readers, and
// reached with the caption's accelerator.
QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    if (buddy) {
        l->setBuddy(buddy);
        buddy->setAccessibleName(spoken(text));
    }
    return l;
}

// A value read from the system, selectable so that it can be read again and copied.
QLabel* value(QWidget* parent, const char* name, const QRect& geometry, const QString& spokenName) {
    auto* l = place(new QLabel(parent), name, geometry);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setAccessibleName(spokenName);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    const QString& hint) {
    auto* b = place(new QPushButton(text, parent), name, geometry);
    b->setAccessibleName(spoken(text));
    b->setStatusTip(hint);
    return b;
}

void hint(QWidget* control, const QString& text) {
    control->setStatusTip(text);
    control->setAccessibleDescription(text);
}

const QString startHint = QStringLiteral("Choisissez l'imprimante, son papier et l'orientation");

}  // namespace

confimprimante::confimprimante(std::vector<PrinterDescription> printers,
                               const PrinterSettings& current, QWidget* parent)
    : QDialog(parent), printers_(std::move(printers)), settings_(current) {
    setObjectName(QStringLiteral("confimprimante"));
    setWindowTitle(QStringLiteral("Configuration de l'impression"));
    setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    setFixedSize(425, 283);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    if (printers_.empty()) printers_.push_back(pdfFileDescription());

    auto* printerFrame =
        place(new QGroupBox(QStringLiteral("Imprimante"), this), "Frame1", {8, 4, 409, 124});
    Combo1 = place(new QComboBox(printerFrame), "Combo1", {96, 20, 200, 22});
    caption(printerFrame, QStringLiteral("&Nom :"), {12, 23, 80, 17}, Combo1);
    hint(Combo1, QStringLiteral("L'imprimante qui reçoit les pages, ou un fichier PDF"));
    for (const PrinterDescription& p : printers_)
        Combo1->addItem(p.name.isEmpty() ? QStringLiteral("Fichier PDF") : p.name);
    Command1 = button(printerFrame, "Command1", QStringLiteral("&Propriétés..."), {304, 19, 97, 24},
                      QStringLiteral("Impression recto verso et couleur de cette imprimante"));
    const QString rows[] = {QStringLiteral("État :"), QStringLiteral("Type :"),
                            QStringLiteral("Emplacement :"), QStringLiteral("Commentaire :")};
    const char* names[] = {"Label5", "Label6", "Label7", "Label8"};
    QLabel* values[4];
    for (int i = 0; i < 4; ++i) {
        caption(printerFrame, rows[i], {12, 50 + 17 * i, 80, 16}, nullptr);
        values[i] = value(printerFrame, names[i], {96, 50 + 17 * i, 305, 16}, spoken(rows[i]));
    }
    Label5 = values[0];
    Label6 = values[1];
    Label7 = values[2];
    Label8 = values[3];

    auto* paperFrame =
        place(new QGroupBox(QStringLiteral("Papier"), this), "Frame2", {8, 134, 255, 58});
    Combo2 = place(new QComboBox(paperFrame), "Combo2", {60, 22, 185, 22});
    caption(paperFrame, QStringLiteral("&Taille :"), {12, 25, 46, 17}, Combo2);
    hint(Combo2, QStringLiteral("Le format du papier"));

    auto* orientationFrame =
        place(new QGroupBox(QStringLiteral("Orientation"), this), "Frame3", {271, 134, 146, 58});
    Option1 = place(new QRadioButton(QStringLiteral("P&ortrait"), orientationFrame), "Option1",
                    {12, 18, 126, 18});
    Option2 = place(new QRadioButton(QStringLiteral("Pa&ysage"), orientationFrame), "Option2",
                    {12, 36, 126, 18});
    hint(Option1, QStringLiteral("La page en hauteur"));
    hint(Option2, QStringLiteral("La page en largeur"));
    (current.orientation == QPageLayout::Landscape ? Option2 : Option1)->setChecked(true);

    info = place(new QLabel(startHint, this), "info", {8, 200, 409, 36});
    info->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setAccessibleName(QStringLiteral("Ligne d'état"));

    Command2 = button(this, "Command2", QStringLiteral("OK"), {216, 248, 97, 25},
                      QStringLiteral("Garder ces choix pour les prochaines impressions"));
    Command3 = button(this, "Command3", QStringLiteral("Annuler"), {320, 248, 97, 25},
                      QStringLiteral("Fermer sans rien changer"));
    Command2->setDefault(true);

    setTabOrder(Combo1, Command1);
    setTabOrder(Command1, Combo2);
    setTabOrder(Combo2, Option1);
    setTabOrder(Option1, Command2);
    setTabOrder(Command2, Command3);

    int selected = 0;
    for (int i = 0; i < int(printers_.size()); ++i)
        if (printers_[i].name == current.printer) selected = i;
    Combo1->setCurrentIndex(selected);
    Combo1_Click();
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        // Another printer starts from its own default paper and properties.
        settings_.pageSize = selectedPrinter().defaultPageSize;
        settings_.duplex = QPrinter::DuplexNone;
        settings_.colorMode = selectedPrinter().colorModes.contains(QPrinter::Color)
                                  ? QPrinter::Color
                                  : QPrinter::GrayScale;
        Combo1_Click();
    });
    // The hint follows the pointer and, for the keyboard, the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && isAncestorOf(now) && !now->statusTip().isEmpty())
            info->setText(now->statusTip());
    });
    connect(Command1, &QPushButton::clicked, this, &confimprimante::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
    Combo1->setFocus();
}

const PrinterDescription& confimprimante::selectedPrinter() const {
    return printers_[std::max(0, Combo1->currentIndex())];
}

void confimprimante::Combo1_Click() {
    const PrinterDescription& p = selectedPrinter();
    Label5->setText(p.state);
    Label6->setText(p.type);
    Label7->setText(p.location);
    Label8->setText(p.comment);
    Command1->setEnabled(!p.duplexModes.isEmpty() || p.colorModes.size() > 1);
    Combo2->clear();
    QList<QPageSize> sizes = p.pageSizes;
    if (sizes.isEmpty())
        sizes.append(p.defaultPageSize.isValid() ? p.defaultPageSize : QPageSize(QPageSize::A4));
    int selected = -1;
    for (int i = 0; i < sizes.size(); ++i) {
        Combo2->addItem(pageSizeText(sizes[i]), QVariant::fromValue(sizes[i]));
        if (sizes[i].isEquivalentTo(settings_.pageSize)) selected = i;
        if (selected < 0 && sizes[i].isEquivalentTo(p.defaultPageSize)) selected = i;
    }
    Combo2->setCurrentIndex(std::max(0, selected));
}

void confimprimante::Command1_Click() {
    proprietes window(selectedPrinter(), settings(), this);
    if (window.exec() == QDialog::Accepted) {
        const PrinterSettings chosen = window.settings();
        settings_.duplex = chosen.duplex;
        settings_.colorMode = chosen.colorMode;
    }
    Command1->setFocus();
}

PrinterSettings confimprimante::settings() const {
    PrinterSettings s = settings_;
    s.printer = selectedPrinter().name;
    if (Combo2->currentIndex() >= 0) s.pageSize = Combo2->currentData().value<QPageSize>();
    s.orientation = Option2->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return s;
}

bool confimprimante::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (!tip.isEmpty()) info->setText(tip);
        return true;
    }
    return QDialog::event(event);
}

proprietes::proprietes(const PrinterDescription& printer, const PrinterSettings& current,
                       QWidget* parent)
    : QDialog(parent), settings_(current) {
    setObjectName(QStringLiteral("proprietes"));
    setWindowTitle(printer.name.isEmpty()
                       ? QStringLiteral("Propriétés du fichier PDF")
                       : QStringLiteral("Propriétés de l'imprimante %1").arg(printer.name));
    setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    setFixedSize(329, 123);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* frame = place(new QGroupBox(QStringLiteral("Options"), this), "Frame1", {8, 4, 313, 78});
    Combo1 = place(new QComboBox(frame), "Combo1", {120, 20, 181, 22});
    caption(frame, QStringLiteral("&Recto verso :"), {12, 23, 104, 17}, Combo1);
    Combo1->addItem(duplexText(QPrinter::DuplexNone), int(QPrinter::DuplexNone));
    for (QPrinter::DuplexMode mode : printer.duplexModes)
        Combo1->addItem(duplexText(mode), int(mode));
    Combo1->setCurrentIndex(std::max(0, Combo1->findData(int(current.duplex))));
    Combo1->setEnabled(Combo1->count() > 1);

    Combo2 = place(new QComboBox(frame), "Combo2", {120, 48, 181, 22});
    caption(frame, QStringLiteral("&Couleur :"), {12, 51, 104, 17}, Combo2);
    QList<QPrinter::ColorMode> colors = printer.colorModes;
    if (colors.isEmpty()) colors.append(current.colorMode);
    for (QPrinter::ColorMode mode : colors) Combo2->addItem(colorModeText(mode), int(mode));
    Combo2->setCurrentIndex(std::max(0, Combo2->findData(int(current.colorMode))));
    Combo2->setEnabled(Combo2->count() > 1);

    Command1 = place(new QPushButton(QStringLiteral("OK"), this), "Command1", {120, 90, 97, 25});
    Command2 =
        place(new QPushButton(QStringLiteral("Annuler"), this), "Command2", {224, 90, 97, 25});
    Command1->setAccessibleName(QStringLiteral("OK"));
    Command2->setAccessibleName(QStringLiteral("Annuler"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

PrinterSettings proprietes::settings() const {
    PrinterSettings s = settings_;
    s.duplex = QPrinter::DuplexMode(Combo1->currentData().toInt());
    s.colorMode = QPrinter::ColorMode(Combo2->currentData().toInt());
    return s;
}

}  // namespace ondalis
