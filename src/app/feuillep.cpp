#include "app/feuillep.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>

#include <QCheckBox>
#include "app/buttonpictures.h"
#include "app/feuillep_state.h"
#include "mainwindow/sizerule.h"
#include "mainwindow/widgets/statushints.h"
#include "mainwindow/widgets/tabstrip.h"
#include "platform/canvas/palette.h"
#include "platform/core/numberformat.h"
#include "platform/core/periodictimer.h"
#include "platform/services/dialogservice.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/valuelabel.h"
#include "recording/widgets/recordingpanel.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/scenesurface.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis {

namespace {

const QString startStatus = QStringLiteral(
    "Vous pouvez modifier les paramètres,\r\nouvrir une configuration ou un exercice");

// The table is text, not an image, and it pastes into any program of the desktop.
const QString copyConfirmation =
    QStringLiteral("Le tableau est copié : vous pouvez le coller dans une autre application");

QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption, int left,
                           int width) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 0, width, 41);
    QString spoken = caption;
    b->setAccessibleName(spoken.remove(QLatin1Char('&')));
    return b;
}

QToolButton* animationButton(QWidget* parent, const char* name, const QString& tip,
                             const QIcon& icon, int left) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 248, 24, 24);
    b->setIcon(icon);
    b->setIconSize(QSize(20, 20));
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setAutoRaise(false);
    return b;
}

ValueLabel* readoutLabel(QWidget* parent, const char* name, const QString& spoken, int top) {
    auto* l = new ValueLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(42, top, 69, 19);
    l->setFixedSize(69, 19);  // a new value then asks for no layout pass
    l->setTextFormat(Qt::PlainText);
    l->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8.25, true));
    l->setAutoFillBackground(true);
    l->setAttribute(Qt::WA_OpaquePaintEvent);  // its black background comes with its digits
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(pal);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setContentsMargins(0, 0, 3, 0);
    l->setAccessibleName(spoken);
    return l;
}

}  // namespace

feuilleP::feuilleP(DialogService& dialogs, PrinterService& printer,
                   std::unique_ptr<PeriodicTimer> timer, const QString& programFolder,
                   QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      printer_(printer),
      timer_(std::move(timer)),
      programFolder_(programFolder),
      handshake_(programFolder) {
    setObjectName(QStringLiteral("feuilleP"));
    setWindowTitle(QStringLiteral("Ondalis"));
    setMouseTracking(true);
    resize(800, 573);
    Timer1 = timer_.get();
    connect(Timer1, &PeriodicTimer::timeout, this, &feuilleP::Timer1_Timer);
    createControls();
    createHints();
    createPrinting();
    createExport();
    describeForScreenReaders();
    createHelp();
    createMeasure();
    createConfigurationCommands();
    createAnalysis();
    createSceneKeys();
    createProjection();
    Form_Load();
}

feuilleP::~feuilleP() = default;

ParameterEdit* feuilleP::Text5(int index) const { return Picture3->Text5[index]; }

void feuilleP::createControls() {
    const QFont buttonFont = DrawingSurface::makeFont(QStringLiteral("Arial"), 8);
    Command2 = commandButton(this, "Command2", QStringLiteral("&Ouvrir"), 0, 113);
    Command11 = commandButton(this, "Command11", QStringLiteral("&Enregistrer"), 112, 121);
    Command4 = commandButton(this, "Command4", QStringLiteral("Co&pier"), 232, 113);
    Command10 = commandButton(this, "Command10", QStringLiteral("&Imprimer"), 344, 121);
    Command8 = commandButton(this, "Command8", QStringLiteral("&Calculatrice"), 464, 121);
    Command7 = commandButton(this, "Command7", QStringLiteral("&Aide"), 584, 105);
    Command1 = commandButton(this, "Command1", QStringLiteral("&Fermer"), 688, 113);
    for (QPushButton* b : {Command2, Command11, Command4, Command10, Command8, Command7, Command1})
        b->setFont(buttonFont);

    menucopie = new QMenu(this);
    menucopie->setObjectName(QStringLiteral("menucopie"));
    QAction* copim = menucopie->addAction(QStringLiteral("Copier l'animation"));
    copim->setObjectName(QStringLiteral("copim"));
    QAction* copigraph = menucopie->addAction(QStringLiteral("Copier le graphe"));
    copigraph->setObjectName(QStringLiteral("copigraph"));
    QAction* copitab = menucopie->addAction(QStringLiteral("Copier le contenu du tableau"));
    copitab->setObjectName(QStringLiteral("copitab"));

    Picture4 = new DrawingSurface(this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setAccessibleName(QStringLiteral("Valeurs instantanées"));
    Picture4->setBackColor(QColor(192, 192, 192));
    Picture4->setGeometry(8, 48, 161, 169);
    Label3 = readoutLabel(Picture4, "Label3", QStringLiteral("Temps t en secondes"), 8);
    Label1 = readoutLabel(Picture4, "Label1", QStringLiteral("Position x en centimètres"), 30);
    Label6 = readoutLabel(Picture4, "Label6", QStringLiteral("Vitesse en mètres par seconde"), 52);
    Label7 = readoutLabel(Picture4, "Label7",
                          QStringLiteral("Accélération en mètres par seconde carrée"), 74);
    Label5 = readoutLabel(Picture4, "Label5", QStringLiteral("Énergie cinétique en joules"), 96);
    Label8 = readoutLabel(Picture4, "Label8",
                          QStringLiteral("Énergie potentielle élastique en joules"), 118);
    Label9 = readoutLabel(Picture4, "Label9", QStringLiteral("Énergie mécanique en joules"), 140);

    Frame1 = new DrawingSurface(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(QStringLiteral("Graphe"));
    Frame1->setGeometry(176, 48, 617, 225);

    Image4 = animationButton(this, "Image4", QStringLiteral("Retrouver la position initiale"),
                             initialPositionPicture(), 32);
    Command18 = animationButton(this, "Command18", QStringLiteral("Stop"), stopPicture(), 64);
    command15 =
        animationButton(this, "command15", QStringLiteral("Simulation"), startPicture(), 96);
    command16 = animationButton(this, "command16", QStringLiteral("Pause"), pausePicture(), 128);

    Picture2 = new SceneSurface(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setAccessibleName(QStringLiteral("Animation"));
    Picture2->setGeometry(8, 280, 785, 57);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(80, 344, 32, 32);
    Image2->setPixmap(hintPicture());
    Image2->setAccessibleName(QStringLiteral("Aide contextuelle"));

    info = new ValueLabel(this, ValueLabel::Role::StatusLine);
    info->setObjectName(QStringLiteral("info"));
    info->setGeometry(128, 344, 233, 33);
    info->setWordWrap(true);
    info->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setAccessibleName(QStringLiteral("Ligne d'état"));

    fich = new QLineEdit(this);
    fich->setObjectName(QStringLiteral("fich"));
    fich->setGeometry(432, 344, 361, 19);
    fich->setReadOnly(true);
    fich->setTextMargins(100, 0, 0, 0);  // the exercise button covers the start of the field
    fich->setAccessibleName(QStringLiteral("Fichier d'exercice"));
    fich->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));

    btexo = new QPushButton(QStringLiteral("E&xercices"), this);
    btexo->setObjectName(QStringLiteral("btexo"));
    btexo->setGeometry(432, 344, 97, 19);
    btexo->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    btexo->setAccessibleName(QStringLiteral("Exercices"));

    supertext = new RichTextPane(this);
    supertext->setObjectName(QStringLiteral("supertext"));
    supertext->setGeometry(432, 362, 361, 183);
    supertext->setAccessibleName(QStringLiteral("Texte de l'exercice"));
    createExerciseMenu();

    Onglets = new TabStrip(this);
    Onglets->setObjectName(QStringLiteral("Onglets"));
    Picture3 = new ParametersPanel();
    Onglets->setPanel(1, Picture3);
    createPanels();
    Onglets->setGeometry(8, 384, 417, 161);
    Onglets->paintStrip();  // lays the panels out before the window is first shown

    for (int i = 0; i < 4; ++i) {
        ParameterEdit* edit = Picture3->Text5[i];
        connect(edit, &ParameterEdit::entered, this, [this, i] { Text5_GotFocus(i); });
        connect(edit, &QLineEdit::textChanged, this, [this] { state_->parametersRead = false; });
        connect(edit, &ParameterEdit::left, this, [this, i] { Text5_LostFocus(i); });
        connect(edit, &ParameterEdit::enterPressed, this, [this, i] { Text5_LostFocus(i); });
    }

    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command4, &QPushButton::clicked, this, &feuilleP::popUpCopyMenu);
    connect(Frame1, &DrawingSurface::mouseMoved, this,
            [this](Qt::MouseButtons, int x, int) { Frame1_MouseMove(x); });
    connect(copim, &QAction::triggered, this, &feuilleP::copim);
    connect(copigraph, &QAction::triggered, this, &feuilleP::copigraph);
    connect(copitab, &QAction::triggered, this, &feuilleP::copitab);
    connect(Command8, &QPushButton::clicked, this, &feuilleP::Command8_Click);

    connect(command15, &QToolButton::clicked, this, &feuilleP::command15_Click);
    connect(command16, &QToolButton::clicked, this, &feuilleP::command16_Click);
    connect(Command18, &QToolButton::clicked, this, &feuilleP::Command18_Click);
    connect(Image4, &QToolButton::clicked, this, &feuilleP::Image4_Click);
    connect(
        Picture2, &DrawingSurface::mousePressed, this,
        [this](Qt::MouseButton b, Qt::MouseButtons, int x, int y) { Picture2_MouseDown(b, x, y); });
    connect(Picture2, &DrawingSurface::mouseMoved, this,
            [this](Qt::MouseButtons b, int x, int y) { Picture2_MouseMove(b, x, y); });
    connect(
        Picture2, &DrawingSurface::mouseReleased, this,
        [this](Qt::MouseButton b, Qt::MouseButtons, int x, int y) { Picture2_MouseUp(b, x, y); });

    setTabOrder(Command2, Command11);
    setTabOrder(Command11, Command4);
    setTabOrder(Command4, Command10);
    setTabOrder(Command10, Command8);
    setTabOrder(Command8, Command7);
    setTabOrder(Command7, Command1);
}

void feuilleP::createHints() {
    hints_ = new StatusHints([this](const QString& t) { setStatusText(t); },
                             [this] { return statusText(); }, this);
    hints_->add(Command1, QStringLiteral("Pour retrouver le module principal et quitter cette "
                                         "application"));
    hints_->add(Command10, QStringLiteral("Pour configurer l'imprimante et imprimer l'image"));
    hints_->add(Command11, QStringLiteral("Pour conserver la configuration en cours"));
    hints_->add(Command2, QStringLiteral("Pour retrouver une situation enregistrée"));
    hints_->add(Command7, QStringLiteral("Si vous rencontrez une difficulté avec cette "
                                         "application"));
    hints_->add(Command8, QStringLiteral("Machine à calculer"));
    hints_->add(command15, QStringLiteral("Vous pouvez activer ou arrêter l'animation ou "
                                          "retrouver la position initiale"));
    hints_->add(command16, QStringLiteral("Vous pouvez activer ou arrêter l'animation ou "
                                          "retrouver la position initiale."));
    hints_->add(Command18, QStringLiteral("Vous pouvez activer ou arrêter l'animation ou "
                                          "retrouver la position initiale"));
    hints_->add(Picture3, QStringLiteral("Vous pouvez modifier tous les paramètres"));
    hints_->add(Picture4, QStringLiteral("Modifier les paramètres depuis l'onglet Paramètres"));
    hints_->add(btexo, QStringLiteral("Ouvrir un énoncé, enregistrer le texte, obtenir la "
                                      "correction, imprimer ou fermer."));
    hints_->add(Picture6, recordingPanelHint());
    hints_->add(Frame2, QStringLiteral("Vous pouvez représenter les forces sur l'animation"));
    hints_->add(Picture1, QStringLiteral("Les modifications de ces paramètres interviennent sur le "
                                         "mobile en mouvement"));
    hints_->add(Picture1->Check1(), QStringLiteral("Les options d'affichage s'appliquent "
                                                   "également à l'image copiée ou imprimée."));
    for (int i = 0; i < 10; ++i)
        if (i != 4) hints_->add(Label4(i), QStringLiteral("Modifier la couleur d'affichage"));
    hints_->addUnlessShowing(Command4,
                             QStringLiteral("Copier pour placer l'image dans le presse- papiers "
                                            "puis coller depuis Word, Paint..."),
                             copyConfirmation);
}

void feuilleP::popUpCopyMenu() {
    const QPoint pointer = QCursor::pos();
    const bool underPointer = Command4->rect().contains(Command4->mapFromGlobal(pointer));
    menucopie->popup(underPointer ? pointer : Command4->mapToGlobal(QPoint(0, Command4->height())));
}

QString feuilleP::statusText() const { return info->text(); }
void feuilleP::setStatusText(const QString& text) {
    if (info->text() == text) return;
    info->setText(text);
    announceTextChange(info);
}

void feuilleP::Form_Load() {
    handshake_.setRunning(true);
    applySizeRule();
    intro();
    Text5(PositionField)->setText(QStringLiteral("0"));
    Text5(MassField)->setText(QStringLiteral("145"));
    Text5_LostFocus(StiffnessField);
    setStatusText(startStatus);
    copyMessage = copyConfirmation;
    update();
    Frame2->VScroll1()->setValue(70);
    Frame2->VScroll3()->setValue(-10);
    // Once more with the vector scales in place: the reset and the whole scene.
    Command13_Click();
    Picture6->setDurationIndex(3);
    Picture6->tetetab();
}

void feuilleP::Form_Activate() {
    appareil();
    const QString request = handshake_.takeExerciseRequest();
    if (request.trimmed().isEmpty()) return;
    serveExerciseRequest(request);
}

bool feuilleP::Form_QueryUnload() {
    if (textModified && !askAbandonText()) return false;
    return dialogs_.message(QStringLiteral("Quitter vraiment Ondalis ?"), QStringLiteral("Fermer"),
                            MessageIcon::Question, MessageButtons::OkCancel) == MessageResult::Ok;
}

void feuilleP::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    run_.pause();
    followRun();
    if (state_->machine) state_->machine->close();
    handshake_.setRunning(false);
    emit unloaded();
}

void feuilleP::closeEvent(QCloseEvent* event) {
    if (unloaded_ || !Form_QueryUnload()) {
        event->setAccepted(unloaded_);
        return;
    }
    Form_Unload();
    event->accept();
}

void feuilleP::applySizeRule() { sizeRule_.apply(); }

void feuilleP::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sizeRule_.windowShown();
}

void feuilleP::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    sizeRule_.windowMoved();
}

void feuilleP::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sizeRule_.windowResized();
}

void feuilleP::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
    if (event->type() == QEvent::WindowStateChange) sizeRule_.windowStateChanged();
}

void feuilleP::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // Vertical gradient from white to (200, 200, 180), one line per pixel row (only the rows
    // that need repainting).
    const QRect exposed = event->rect();
    for (int i = std::max(0, exposed.top()); i <= std::min(600, exposed.bottom()); ++i) {
        const int rg = int(roundHalfEven(255 - i * 55.0 / 600));
        const int b = int(roundHalfEven(255 - i * 75.0 / 600));
        p.setPen(QColor(rg, rg, b));
        p.drawLine(0, i, 800, i);
    }
    const QRect text = supertext->geometry();
    p.setPen(qbColor(8));
    p.setBrush(Qt::NoBrush);
    const QPoint shadowTopLeft(text.left() + 3, fich->geometry().top() + 3);
    const QPoint shadowBottomRight(text.left() + text.width() + 3, text.top() + text.height() + 3);
    p.drawRect(QRect(shadowTopLeft, shadowBottomRight - QPoint(1, 1)));

    const QPoint a = Image4->geometry().topLeft();
    p.setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 14, true));
    const int ascent = p.fontMetrics().ascent();
    p.setPen(qbColor(8));
    p.drawText(QPoint(a.x() + 1, a.y() - 26 + ascent), QStringLiteral("Animation :"));
    p.setPen(qbColor(9));
    p.drawText(QPoint(a.x(), a.y() - 27 + ascent), QStringLiteral("Animation :"));
}

void feuilleP::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    // Only the bare background: a move passed on by a control leaves the text alone.
    if (childAt(event->position().toPoint())) return;
    if (statusText() != startStatus) setStatusText(startStatus);
}

}  // namespace ondalis
