#include "calculator/widgets/machine.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "calculator/keyfaces.h"
#include "platform/core/numberformat.h"
#include "platform/services/dialogservice.h"

namespace ondalis::calculator {

namespace {

constexpr int kClientWidth = 302;
constexpr int kClientHeight = 430;

// Columns and rows of the upper key block (six keys a row).
constexpr int kRowX[] = {9, 57, 105, 153, 201, 249};
constexpr int kRowY[] = {112, 153, 194, 235};
constexpr int kRowW = 44;
constexpr int kRowH = 35;
// The lower block: units on the left, digits in the framed rectangle, operators on the right.
constexpr int kLowY[] = {292, 325, 358, 391};
constexpr int kLowH = 29;
constexpr int kDigitX[] = {86, 126, 166};
constexpr int kDigitW = 37;
constexpr int kUnitX[] = {8, 44};
constexpr int kUnitW = 33;
constexpr int kOpX[] = {213, 255};
constexpr int kOpW = 39;

enum class Face { Text, Symbol, Picture };

struct KeySpec {
    const char* name;
    Key key;
    Face face;
    const char* caption;  // text, symbol, or base and exponent of a picture separated by '|'
    const char* tooltip;
    const char* spoken;  // what a screen reader says
    int x, y, w, h;
};

// clang-format off
const KeySpec kKeys[] = {
    {"invsin", Key::InvSin, Face::Text, "INV S&IN", "Inverse sinus", "Inverse sinus", kRowX[0], kRowY[0], kRowW, kRowH},
    {"invcos", Key::InvCos, Face::Text, "INV C&OS", "Inverse cosinus", "Inverse cosinus", kRowX[1], kRowY[0], kRowW, kRowH},
    {"Btoncommande3", Key::InvTan, Face::Text, "INV T&AN", "Inverse tangente", "Inverse tangente", kRowX[2], kRowY[0], kRowW, kRowH},
    {"bsin", Key::Sin, Face::Text, "&SIN", "Sinus", "Sinus", kRowX[3], kRowY[0], kRowW, kRowH},
    {"Bcos", Key::Cos, Face::Text, "&COS", "Cosinus", "Cosinus", kRowX[4], kRowY[0], kRowW, kRowH},
    {"Btan", Key::Tan, Face::Text, "&TAN", "Tangente", "Tangente", kRowX[5], kRowY[0], kRowW, kRowH},

    {"Bln", Key::Ln, Face::Text, "l&n", "", "Logarithme népérien", kRowX[0], kRowY[1], kRowW, kRowH},
    {"Blog", Key::Log, Face::Text, "&Log", "", "Logarithme décimal", kRowX[1], kRowY[1], kRowW, kRowH},
    {"Bexp", Key::ExpPower, Face::Picture, "e|x", "", "Exponentielle", kRowX[2], kRowY[1], kRowW, kRowH},
    {"B10x", Key::TenPower, Face::Picture, "10|x", "", "Dix puissance", kRowX[3], kRowY[1], kRowW, kRowH},
    {"racine", Key::SquareRoot, Face::Symbol, "\u221a\u203e", "Racine carré", "Racine carrée", kRowX[4], kRowY[1], kRowW, kRowH},
    {"Command5", Key::Inverse, Face::Text, "1/x", "Inverse", "Inverse", kRowX[5], kRowY[1], kRowW, kRowH},

    {"puissance", Key::Power, Face::Picture, "x|y", "", "Puissance", kRowX[0], kRowY[2], kRowW, kRowH},
    {"btcarre", Key::Square, Face::Picture, "x|2", "", "Carré", kRowX[1], kRowY[2], kRowW, kRowH},
    {"pi", Key::Pi, Face::Symbol, "\u03c0", "3.1415927", "Pi", kRowX[2], kRowY[2], kRowW, kRowH},
    {"Bpo", Key::OpenParen, Face::Text, "(", "", "Parenthèse ouvrante", kRowX[3], kRowY[2], kRowW, kRowH},
    {"bpf", Key::CloseParen, Face::Text, ")", "", "Parenthèse fermante", kRowX[4], kRowY[2], kRowW, kRowH},
    {"ANS", Key::Ans, Face::Text, "ANS", "Dernière réponse", "Dernière réponse", kRowX[5], kRowY[2], kRowW, kRowH},

    {"Command1", Key::MemoryAdd, Face::Text, "M+", "Ajouter à la méoire", "Ajouter à la mémoire", kRowX[0], kRowY[3], kRowW, kRowH},
    {"Command2", Key::MemorySubtract, Face::Text, "M-", "Soustraire à la mémoire", "Soustraire à la mémoire", kRowX[1], kRowY[3], kRowW, kRowH},
    {"Command3", Key::MemoryRecall, Face::Text, "RM", "Rappel mémoire", "Rappel mémoire", kRowX[2], kRowY[3], kRowW, kRowH},
    {"Command4", Key::MemoryClear, Face::Text, "CM", "Effacer la mémoire", "Effacer la mémoire", kRowX[3], kRowY[3], kRowW, kRowH},
    {"EFFACE", Key::Erase, Face::Symbol, "\u2190", "Effacer dernier caractère", "Effacer dernier caractère", kRowX[4], kRowY[3], kRowW, kRowH},
    {"RAZ", Key::ClearAll, Face::Text, "AC", "Tout effacer", "Tout effacer", kRowX[5], kRowY[3], kRowW, kRowH},

    {"pico", Key::Pico, Face::Text, "p", "pico", "pico", kUnitX[0], kLowY[0], kUnitW, kLowH},
    {"nano", Key::Nano, Face::Text, "n", "nano", "nano", kUnitX[1], kLowY[0], kUnitW, kLowH},
    {"micro", Key::Micro, Face::Text, "\u00b5", "micro", "micro", kUnitX[0], kLowY[1], kUnitW, kLowH},
    {"mil", Key::Milli, Face::Text, "m", "milli", "milli", kUnitX[1], kLowY[1], kUnitW, kLowH},
    {"kilo", Key::Kilo, Face::Text, "k", "kilo", "kilo", kUnitX[0], kLowY[2], kUnitW, kLowH},
    {"mega", Key::Mega, Face::Text, "M", "Méga", "Méga", kUnitX[1], kLowY[2], kUnitW, kLowH},
    {"giga", Key::Giga, Face::Text, "G", "Giga", "Giga", kUnitX[0], kLowY[3], kUnitW, kLowH},
    {"tera", Key::Tera, Face::Text, "T", "Téra", "Téra", kUnitX[1], kLowY[3], kUnitW, kLowH},

    {"B7", Key::Digit7, Face::Text, "7", "", "7", kDigitX[0], kLowY[0], kDigitW, kLowH},
    {"B8", Key::Digit8, Face::Text, "8", "", "8", kDigitX[1], kLowY[0], kDigitW, kLowH},
    {"B9", Key::Digit9, Face::Text, "9", "", "9", kDigitX[2], kLowY[0], kDigitW, kLowH},
    {"B4", Key::Digit4, Face::Text, "4", "", "4", kDigitX[0], kLowY[1], kDigitW, kLowH},
    {"B5", Key::Digit5, Face::Text, "5", "", "5", kDigitX[1], kLowY[1], kDigitW, kLowH},
    {"B6", Key::Digit6, Face::Text, "6", "", "6", kDigitX[2], kLowY[1], kDigitW, kLowH},
    {"B1", Key::Digit1, Face::Text, "1", "", "1", kDigitX[0], kLowY[2], kDigitW, kLowH},
    {"B2", Key::Digit2, Face::Text, "2", "", "2", kDigitX[1], kLowY[2], kDigitW, kLowH},
    {"B3", Key::Digit3, Face::Text, "3", "", "3", kDigitX[2], kLowY[2], kDigitW, kLowH},
    {"B0", Key::Digit0, Face::Text, "0", "", "0", kDigitX[0], kLowY[3], kDigitW, kLowH},
    {"Bpoint", Key::Point, Face::Text, ".", "", "Point décimal", kDigitX[1], kLowY[3], kDigitW, kLowH},
    {"BtoEXP", Key::Exponent, Face::Text, "EXP", "x 10\u00aa", "Exposant de dix", kDigitX[2], kLowY[3], kDigitW, kLowH},

    {"div", Key::Divide, Face::Symbol, "\u00f7", "", "Diviser", kOpX[0], kLowY[0], kOpW, kLowH},
    {"multip", Key::Multiply, Face::Text, "x", "", "Multiplier", kOpX[1], kLowY[0], kOpW, kLowH},
    {"moins", Key::Minus, Face::Text, "-", "", "Moins", kOpX[0], kLowY[1], kOpW, kLowH},
    {"plus", Key::Plus, Face::Text, "+", "", "Plus", kOpX[1], kLowY[1], kOpW, kLowH},
    {"EXE", Key::Exe, Face::Text, "EXE", "Calculer", "Calculer", kOpX[0], kLowY[2], kOpX[1] + kOpW - kOpX[0], kLowY[3] + kLowH - kLowY[2]},
};
// clang-format on

}  // namespace

Machine::Machine(DialogService& dialogs, CalculatorMemory& memory, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), keypad_(memory) {
    setObjectName(QStringLiteral("Machine"));
    setWindowTitle(QStringLiteral("Machine à calculer"));
    setAccessibleName(QStringLiteral("Machine à calculer"));
    setFixedSize(kClientWidth, kClientHeight);

    z1_ = new QLineEdit(this);
    z1_->setObjectName(QStringLiteral("z1"));
    z1_->setAccessibleName(QStringLiteral("Affichage de la calculatrice"));
    z1_->setReadOnly(true);
    z1_->setGeometry(8, 10, 286, 30);
    QFont displayFont(QStringLiteral("DejaVu Sans Mono"));
    displayFont.setPointSize(11);
    z1_->setFont(displayFont);
    z1_->installEventFilter(this);

    buildOptions();
    buildKeys();

    keypad_.onDisplay = [this](const QString& text) { showDisplay(text); };
    keypad_.onBeep = [this] { dialogs_.beep(); };
    z1_->setFocus();
}

void Machine::buildOptions() {
    const auto group = [this](const QString& caption, const QString& name, int x,
                              std::array<QRadioButton*, 2>& buttons, const QString& first,
                              const QString& second, const QString& arrayName) {
        auto* box = new QGroupBox(caption, this);
        box->setObjectName(name);
        box->setAccessibleName(caption);
        box->setGeometry(x, 46, 140, 60);
        const QString texts[] = {first, second};
        for (int i = 0; i < 2; ++i) {
            auto* button = new QRadioButton(texts[i], box);
            button->setObjectName(QStringLiteral("%1(%2)").arg(arrayName).arg(i));
            button->setAccessibleName(texts[i]);
            button->setFocusPolicy(Qt::NoFocus);
            button->setGeometry(10, 18 + 19 * i, 124, 19);
            buttons[std::size_t(i)] = button;
        }
    };
    group(QStringLiteral("Angles"), QStringLiteral("angleFrame"), 8, angle_,
          QStringLiteral("Degrés"), QStringLiteral("Radians"), QStringLiteral("angle"));
    group(QStringLiteral("Affichage"), QStringLiteral("CFrame"), 154, C_,
          QStringLiteral("Scientifique"), QStringLiteral("Standard"), QStringLiteral("C"));
    angle_[0]->setChecked(true);
    C_[1]->setChecked(true);

    connect(angle_[1], &QRadioButton::toggled, this, [this](bool radians) {
        keypad_.setAngleMode(radians ? AngleMode::Radians : AngleMode::Degrees);
    });
    for (int i = 0; i < 2; ++i) {
        connect(C_[std::size_t(i)], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) keypad_.setDisplayForm(DisplayForm(i));
            z1_->setFocus();
        });
    }
}

void Machine::buildKeys() {
    QFont symbolFont(QStringLiteral("DejaVu Sans"));
    symbolFont.setPointSize(12);
    QFont narrowFont = font();  // the inverse functions have long faces on narrow keys
    narrowFont.setPointSizeF(font().pointSizeF() * 0.8);
    for (const KeySpec& spec : kKeys) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setGeometry(spec.x, spec.y, spec.w, spec.h);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        const QString caption = QString::fromUtf8(spec.caption);
        switch (spec.face) {
            case Face::Text:
                if (caption.size() > 5) button->setFont(narrowFont);
                button->setText(caption);
                break;
            case Face::Symbol:
                button->setFont(symbolFont);
                button->setText(caption);
                break;
            case Face::Picture: {
                const QStringList parts = caption.split(QLatin1Char('|'));
                const QIcon icon = powerPicture(parts.at(0), parts.at(1));
                button->setIcon(icon);
                button->setIconSize(icon.availableSizes().value(0, QSize(30, 22)));
                break;
            }
        }
        button->setToolTip(QString::fromUtf8(spec.tooltip));
        button->setAccessibleName(QString::fromUtf8(spec.spoken));
        const Key key = spec.key;
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
    }
}

void Machine::press(Key key) {
    keypad_.press(key);
    z1_->setFocus();
}

void Machine::showDisplay(const QString& text) {
    z1_->setText(text);
    z1_->setFocus();
    // A message longer than the display is read from its start; what the user builds, from
    // its end, where the next key writes.
    z1_->setCursorPosition(keypad_.displayIsMessage() ? 0 : int(text.size()));
    z1_->repaint();
}

bool Machine::typeCharacter(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event->key() == Qt::Key_Escape) {
        reject();  // as in every dialog of the program
        return true;
    }
    const QString text = event->text();
    if (text.size() == 1) {
        if (const auto key = Keypad::keyForCharacter(text.at(0))) press(*key);
    }
    return true;
}

void Machine::keyPressEvent(QKeyEvent* event) {
    if (typeCharacter(event))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

bool Machine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == z1_ && event->type() == QEvent::KeyPress)
        return typeCharacter(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void Machine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i <= 301; ++i) {
        const int v = int(roundHalfEven(200 - i / 2.0));
        painter.setPen(QColor(v, v + 50, v + 50));
        painter.drawLine(i, 0, i, 430);
    }
    const auto box = [&painter](const QColor& colour, int x1, int y1, int x2, int y2) {
        painter.setPen(colour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(x1, y1, x2 - x1, y2 - y1);
    };
    box(Qt::white, 1, 1, 299, 428);
    painter.setPen(Qt::black);
    painter.drawLine(1, 1, 299, 1);
    painter.drawLine(1, 1, 1, 427);
    box(Qt::white, 82, 290, 206, 421);
    box(QColor(0, 128, 128), 81, 289, 205, 420);
}

}  // namespace ondalis::calculator
