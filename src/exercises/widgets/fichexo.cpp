#include "exercises/widgets/fichexo.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "exercises/cataloguepictures.h"
#include "exercises/exerciseindex.h"
#include "platform/core/filepaths.h"
#include "platform/core/numberformat.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/filebrowser.h"
#include "platform/widgets/valuelabel.h"

namespace ondalis::exercises {

namespace {

const QString titleText = QStringLiteral("Ouvrir un exercice");
const QString correctedText = QStringLiteral("Exercice corrigé");
const QString notCorrectedText = QStringLiteral("Non corrigé");
// The hourglass; Symbola has it where DejaVu Sans does not.
constexpr char16_t hourglass = u'\u231B';

constexpr int StripHeight = 50;
constexpr int ColumnWidth = 240;
constexpr int Margin = 12;
constexpr int ButtonSize = 76;

QLabel* label(QWidget* parent, const char* name, const QString& text, const QFont& font) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name, const QString& spoken, const QFont& font) {
    auto* l = new ValueLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setAccessibleName(spoken);
    l->setFont(font);
    return l;
}

QToolButton* imageButton(QWidget* parent, const char* name, const QString& caption,
                         const QString& tip, const QIcon& icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setIcon(icon);
    b->setIconSize(QSize(48, 48));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

Fichexo::Fichexo(QString& exerciseFolder, const QString& programFolder,
                 std::function<bool(const QString&)> open, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint),
      exerciseFolder_(exerciseFolder),
      folderBefore_(exerciseFolder),
      open_(std::move(open)) {
    setObjectName(QStringLiteral("Fichexo"));
    setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 9));
    createControls();

    // Exactly over the main window.
    if (mainWindow) {
        QWidget* main = mainWindow->window();
        setWindowTitle(main->windowTitle());
        setWindowIcon(main->windowIcon());
        setGeometry(main->geometry());
        setWindowState(main->windowState());
    } else {
        setWindowTitle(QStringLiteral("Ondalis"));
        resize(800, 573);
    }
    layOut();

    titratexo->clear();
    Text1->clear();
    Text2->clear();
    File1->setPattern(QStringLiteral("*.E41"));
    if (!browser_->setFolder(programFolder)) browser_->setFolder(QDir::homePath());
}

void Fichexo::createControls() {
    const QFont base = DrawingSurface::makeFont(QStringLiteral("Arial"), 9);
    const QFont heading = DrawingSurface::makeFont(QStringLiteral("Arial"), 10, true);

    tito = new DrawingSurface(this);
    tito->setObjectName(QStringLiteral("tito"));
    tito->setAccessibleName(titleText);
    tito->setDescriber([] { return titleText; });

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setFrameShadow(QFrame::Raised);
    Frame1->setAccessibleName(titleText);

    Drive1 = new DriveList(Frame1);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setAccessibleName(QStringLiteral("Lecteur"));
    Dir1 = new FolderList(Frame1);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setAccessibleName(QStringLiteral("Dossiers"));
    Label5 = label(Frame1, "Label5", QStringLiteral("Liste des exercices:"), heading);
    File1 = new FileList(Frame1);
    File1->setObjectName(QStringLiteral("File1"));
    File1->setAccessibleName(QStringLiteral("Liste des exercices"));
    Label5->setBuddy(File1);
    browser_ = new FileBrowser(Drive1, Dir1, File1, this);

    fichierexo = new QLineEdit(Frame1);
    fichierexo->setObjectName(QStringLiteral("fichierexo"));
    fichierexo->setAccessibleName(QStringLiteral("Fichier de l'exercice sélectionné"));
    fichierexo->setReadOnly(true);

    intratro = label(Frame1, "intratro", QStringLiteral("Sélectionner un fichier"),
                     DrawingSurface::makeFont(QStringLiteral("Arial"), 12, false, true));
    titratexo = valueLabel(Frame1, "titratexo", QStringLiteral("Titre de l'exercice"),
                           DrawingSurface::makeFont(QStringLiteral("Arial"), 14, true));
    titratexo->setText(QStringLiteral("Titre"));
    titratexo->setWordWrap(true);
    titratexo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette titlePalette = titratexo->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    titratexo->setPalette(titlePalette);

    Label4 = label(Frame1, "Label4", QStringLiteral("Niveau de difficulté :"), heading);
    Imagalu = new QLabel(this);
    Imagalu->setObjectName(QStringLiteral("Imagalu"));
    Imagalu->setPixmap(starPicture(true));
    Imagalu->hide();
    Imagenoir = new QLabel(this);
    Imagenoir->setObjectName(QStringLiteral("Imagenoir"));
    Imagenoir->setPixmap(starPicture(false));
    Imagenoir->hide();
    for (std::size_t i = 0; i < Image4.size(); ++i) {
        Image4[i] = new QLabel(Frame1);
        Image4[i]->setObjectName(QStringLiteral("Image4_%1").arg(i));
        Image4[i]->setFixedSize(StarSize, StarSize);
    }

    Label1 = label(Frame1, "Label1", QStringLiteral("Notions abordées :"), heading);
    Text1 = new QPlainTextEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Notions abordées"));
    Text1->setReadOnly(true);
    Text1->setTabChangesFocus(true);
    Label1->setBuddy(Text1);

    const QFont corrected = DrawingSurface::makeFont(QStringLiteral("Arial"), 12, true);
    // The shadow first, so that the caption is drawn over it.
    Label3 = label(Frame1, "Label3", QString(), corrected);
    QPalette shadow = Label3->palette();
    shadow.setColor(QPalette::WindowText, QColor(160, 160, 150));
    Label3->setPalette(shadow);
    Label3->setAccessibleName(QStringLiteral("Ombre"));
    Label2 = valueLabel(Frame1, "Label2", QStringLiteral("Correction"), corrected);
    QPalette caption = Label2->palette();
    caption.setColor(QPalette::WindowText, QColor(0, 100, 0));
    Label2->setPalette(caption);

    Text2 = new QLineEdit(Frame1);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setAccessibleName(QStringLiteral("Durée indicative en sabliers"));
    Text2->setToolTip(QStringLiteral("Durée indicative"));
    QFont hourglasses = DrawingSurface::makeFont(QStringLiteral("Wingdings"), 14);
    hourglasses.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Symbola")});
    Text2->setFont(hourglasses);
    Text2->setFrame(false);

    ouvreur = imageButton(Frame1, "ouvreur", QStringLiteral("&Ouvrir"),
                          QStringLiteral("Ouvrir l'exercice sélectionné"), openExercisePicture());
    Image5 = imageButton(Frame1, "Image5", QStringLiteral("&Fermer"),
                         QStringLiteral("Fermer sans charger d'exercice"), closeCataloguePicture());

    Label8 = label(Frame1, "Label8",
                   QStringLiteral("Lecture impossible\nVérifier:\n- le nom du fichier,\n"
                                  "- l'état du lecteur."),
                   heading);
    Label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette problem = Label8->palette();
    problem.setColor(QPalette::WindowText, QColor(150, 30, 0));
    Label8->setPalette(problem);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Frame2->setAutoFillBackground(true);
    QPalette notice = Frame2->palette();
    notice.setColor(QPalette::Window, QColor(255, 255, 225));
    Frame2->setPalette(notice);
    auto* column = new QVBoxLayout(Frame2);
    auto* wait = label(Frame2, "Label6", QStringLiteral("Patienter quelques instants"), heading);
    auto* loading = label(Frame2, "Label7", QStringLiteral(" Chargement des fichiers"), base);
    wait->setAlignment(Qt::AlignCenter);
    loading->setAlignment(Qt::AlignCenter);
    column->addWidget(wait);
    column->addWidget(loading);
    Frame2->setAccessibleName(wait->text());
    Frame2->hide();

    // At first only the hint shows on the preview's side.
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, Label1, Label2, Label3, Text1, Text2,
                                                      ouvreur, Label8})
        w->hide();
    for (QLabel* star : Image4) star->hide();
    ouvreur->setEnabled(false);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, fichierexo);
    setTabOrder(fichierexo, Text1);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, ouvreur);
    setTabOrder(ouvreur, Image5);
    setTabOrder(Image5, Drive1);

    connect(File1, &FileList::fileClicked, this, &Fichexo::File1_Click);
    connect(File1, &FileList::pathChanged, this, [this] {
        fichierexo->clear();
        apercu();
    });
    connect(File1, &FileList::fileActivated, this, [this] {
        File1_Click();
        ouvreur_Click();
    });
    connect(fichierexo, &QLineEdit::returnPressed, this, &Fichexo::ouvreur_Click);
    connect(ouvreur, &QToolButton::clicked, this, &Fichexo::ouvreur_Click);
    connect(Image5, &QToolButton::clicked, this, &Fichexo::Image5_Click);
    connect(tito, &DrawingSurface::resized, this, &Fichexo::paintTitle);
}

void Fichexo::layOut() {
    const int w = width(), h = height();
    tito->setGeometry(0, 0, w, StripHeight);
    // The content frame runs from 8 pixels above the strip's bottom edge to the window's.
    const int top = StripHeight - 8;
    Frame1->setGeometry(8, top, std::max(0, w - 16), std::max(0, h - top - 8));
    Frame1->raise();

    const int fw = Frame1->width(), fh = Frame1->height();
    const int bottom = fh - Margin - 24;  // top of fichierexo
    Drive1->setGeometry(Margin, Margin, ColumnWidth, 24);
    Dir1->setGeometry(Margin, 42, ColumnWidth, 170);
    Label5->setGeometry(Margin, 220, ColumnWidth, 18);
    File1->setGeometry(Margin, 240, ColumnWidth, std::max(40, bottom - 8 - 240));
    fichierexo->setGeometry(Margin, bottom, std::max(0, fw - 2 * Margin), 24);

    const int x = Margin + ColumnWidth + 20, right = std::max(x + 200, fw - Margin);
    const int rw = right - x;
    intratro->setGeometry(x, 20, rw, 24);
    titratexo->setGeometry(x, Margin, rw, 56);
    Label4->setGeometry(x, 80, 160, StarSize);
    for (std::size_t i = 0; i < Image4.size(); ++i)
        Image4[i]->move(x + 160 + int(i) * (StarSize + 6), 80);
    Label1->setGeometry(x, 118, rw, 18);
    Text1->setGeometry(x, 138, rw, 110);
    Label2->setGeometry(x, 262, rw, 26);
    Label3->setGeometry(x + 2, 264, rw, 26);
    Text2->setGeometry(x, 296, std::min(rw, 480), 30);
    Label8->setGeometry(x, 80, rw, 90);
    const int buttonsTop = std::max(336, bottom - 8 - ButtonSize);
    Image5->setGeometry(right - ButtonSize, buttonsTop, ButtonSize, ButtonSize);
    ouvreur->setGeometry(right - 2 * ButtonSize - 8, buttonsTop, ButtonSize, ButtonSize);

    Frame2->resize(300, 70);
    Frame2->move((w - Frame2->width()) / 2, (h - Frame2->height()) / 2);
    Frame2->raise();
}

void Fichexo::paintTitle() {
    // A night-blue strip, lighter downwards.
    tito->setBackColor(QColor(0, 0, 96));
    const int h = tito->imageHeight(), w = tito->imageWidth();
    for (int y = 0; y < h; ++y) {
        const double f = h > 1 ? double(y) / (h - 1) : 0;
        tito->line(0, y, w - 1, y,
                   QColor(int(std::lround(10 * f)), int(std::lround(30 + 60 * f)),
                          int(std::lround(96 + 64 * f))));
    }
    tito->setFont(QStringLiteral("Arial"), 24, true);
    const int length = int(titleText.size());
    tito->moveTo(30, (h - tito->textHeight(titleText)) / 2.0 - 2);
    const double y = tito->currentY();
    for (int i = 1; i <= length; ++i) {
        const int blue = int(roundHalfEven(double(i) / length * 100 + 155));
        tito->setForeColor(QColor(255, 255, blue));
        tito->setCurrentY(y);
        tito->print(titleText.mid(i - 1, 1));
    }
}

void Fichexo::apercu() {
    const std::initializer_list<QWidget*> fields{Label4, Label1, Label2, Label3, Text1, Text2};
    Text1->clear();
    Text2->clear();
    titratexo->clear();
    for (QLabel* star : Image4) star->hide();
    for (QWidget* w : fields) w->hide();
    Label8->hide();
    const bool chosen = !isBlank(fichierexo->text());
    ouvreur->setEnabled(chosen);
    ouvreur->setVisible(chosen);
    intratro->setVisible(!chosen);
    if (!chosen) return;

    const std::optional<QByteArray> bytes = readIndexBytes(fichierexo->text());
    const std::optional<ExercisePreview> preview =
        bytes ? exercisePreview(*bytes) : std::optional<ExercisePreview>();
    if (!preview) {
        // Shown in place of the preview: a box here would take the keys of someone going
        // through the list with the arrows. Opening the file still gives the box.
        Label8->show();
        announceTextChange(Label8);
        return;
    }
    for (QWidget* w : fields) w->show();
    const QString corrected = preview->corrected ? correctedText : notCorrectedText;
    QPalette caption = Label2->palette();
    caption.setColor(QPalette::WindowText,
                     preview->corrected ? QColor(0, 100, 0) : QColor(150, 30, 0));
    Label2->setPalette(caption);
    Label2->setText(corrected);
    Label3->setText(corrected);

    for (int i = 0; i < int(Image4.size()); ++i) {
        const bool lit = preview->stars > i;
        Image4[i]->setPixmap((lit ? Imagalu : Imagenoir)->pixmap());
        Image4[i]->setAccessibleName(lit ? QStringLiteral("Étoile allumée")
                                         : QStringLiteral("Étoile éteinte"));
        Image4[i]->show();
    }
    Label4->setAccessibleDescription(
        QStringLiteral("%1 étoile%2 sur 3")
            .arg(preview->stars)
            .arg(preview->stars > 1 ? QStringLiteral("s") : QString()));
    Text1->setPlainText(preview->notions);
    titratexo->setText(preview->title);
    Text2->setText(QString(preview->hourglasses, QChar(hourglass)));
    Text2->setAccessibleDescription(
        QStringLiteral("%1 sablier%2")
            .arg(preview->hourglasses)
            .arg(preview->hourglasses > 1 ? QStringLiteral("s") : QString()));
}

void Fichexo::File1_Click() {
    if (File1->fileName().isEmpty()) return;
    const QString folder = withTrailingSeparator(File1->path());
    exerciseFolder_ = folder;
    QDir::setCurrent(folder);
    fichierexo->setText(folder + File1->fileName());
    apercu();
}

void Fichexo::ouvreur_Click() {
    const QString path = fichierexo->text();
    if (isBlank(path)) return;
    Frame2->show();
    Frame2->raise();
    Frame2->repaint();
    const bool opened = open_(path);
    Frame2->hide();
    if (opened) accept();
}

void Fichexo::Image5_Click() { reject(); }

void Fichexo::done(int result) {
    // Closed without an exercise opened: the open exercise keeps its folder.
    if (result != Accepted) exerciseFolder_ = folderBefore_;
    QDialog::done(result);
}

void Fichexo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    // The first exercise is chosen, and the list takes the keys.
    if (File1->count() > 0) {
        File1->setCurrentRow(0);
        File1->item(0)->setSelected(true);
        File1_Click();
    }
    File1->setFocus();
}

void Fichexo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void Fichexo::paintEvent(QPaintEvent*) {
    // The main window's background: white at the top to (200, 200, 180) at the bottom.
    QPainter p(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(200, 200, 180));
    p.fillRect(rect(), gradient);
}

}  // namespace ondalis::exercises
