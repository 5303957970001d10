// The calculator window driven by real clicks and key presses: keys, faces and tooltips, the
// option groups, the display and its caret, the beep, the keyboard mapping and the background.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <ostream>

#include "calculator/widgets/machine.h"
#include "fake_dialogs.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace ondalis::calculator {
namespace {

const QString kOperatorsMessage =
    QStringLiteral("Erreur saisie: incompréhension sur opérateurs: ^ * / + -");

class MachineTest : public ::testing::Test {
protected:
    MachineTest() : machine(dialogs, memory) {
        machine.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&machine));
        z1 = machine.findChild<QLineEdit*>(QStringLiteral("z1"));
    }

    QPushButton* key(const char* name) {
        auto* button = machine.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    // Clicks the keys named in a list such as "B2 multip B3 EXE".
    void click(const char* names) {
        for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' ')))
            QTest::mouseClick(key(name.toLatin1().constData()), Qt::LeftButton);
    }
    QRadioButton* option(const char* name) {
        return machine.findChild<QRadioButton*>(QString::fromLatin1(name));
    }
    QString display() const { return z1->text(); }

    testing::FakeDialogs dialogs;
    CalculatorMemory memory;
    Machine machine;
    QLineEdit* z1 = nullptr;
};

TEST_F(MachineTest, IsAFixedSizeDialogWithItsCaption) {
    EXPECT_EQ(machine.windowTitle(), "Machine à calculer");
    EXPECT_EQ(machine.size(), QSize(302, 430));
    ASSERT_NE(z1, nullptr);
    EXPECT_TRUE(z1->isReadOnly());
    EXPECT_EQ(display(), "");
}

struct KeyFace {
    const char* name;
    const char* face;  // text shown (with its access letter), empty for picture keys
    const char* tooltip;
};

TEST_F(MachineTest, EveryKeyHasItsFaceTooltipAndSpokenName) {
    const KeyFace keys[] = {
        {"B0", "0", ""},
        {"B1", "1", ""},
        {"B2", "2", ""},
        {"B3", "3", ""},
        {"B4", "4", ""},
        {"B5", "5", ""},
        {"B6", "6", ""},
        {"B7", "7", ""},
        {"B8", "8", ""},
        {"B9", "9", ""},
        {"Bpoint", ".", ""},
        {"BtoEXP", "EXP", "x 10ª"},
        {"pico", "p", "pico"},
        {"nano", "n", "nano"},
        {"micro", "µ", "micro"},
        {"mil", "m", "milli"},
        {"kilo", "k", "kilo"},
        {"mega", "M", "Méga"},
        {"giga", "G", "Giga"},
        {"tera", "T", "Téra"},
        {"plus", "+", ""},
        {"moins", "-", ""},
        {"multip", "x", ""},
        {"div", "÷", ""},
        {"puissance", "", ""},
        {"btcarre", "", ""},
        {"racine", "√‾", "Racine carré"},
        {"Command5", "1/x", "Inverse"},
        {"B10x", "", ""},
        {"Bexp", "", ""},
        {"Bln", "l&n", ""},
        {"Blog", "&Log", ""},
        {"bsin", "&SIN", "Sinus"},
        {"Bcos", "&COS", "Cosinus"},
        {"Btan", "&TAN", "Tangente"},
        {"invsin", "INV S&IN", "Inverse sinus"},
        {"invcos", "INV C&OS", "Inverse cosinus"},
        {"Btoncommande3", "INV T&AN", "Inverse tangente"},
        {"pi", "π", "3.1415927"},
        {"Bpo", "(", ""},
        {"bpf", ")", ""},
        {"ANS", "ANS", "Dernière réponse"},
        {"EFFACE", "←", "Effacer dernier caractère"},
        {"RAZ", "AC", "Tout effacer"},
        {"EXE", "EXE", "Calculer"},
        {"Command1", "M+", "Ajouter à la méoire"},
        {"Command2", "M-", "Soustraire à la mémoire"},
        {"Command3", "RM", "Rappel mémoire"},
        {"Command4", "CM", "Effacer la mémoire"},
    };
    EXPECT_EQ(machine.findChildren<QPushButton*>().size(), qsizetype(std::size(keys)));
    for (const KeyFace& k : keys) {
        QPushButton* button = key(k.name);
        if (!button) continue;
        SCOPED_TRACE(k.name);
        EXPECT_EQ(button->text(), QString::fromUtf8(k.face));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(k.tooltip));
        EXPECT_FALSE(button->accessibleName().isEmpty());
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(machine.rect().contains(button->geometry()));
        if (QString::fromUtf8(k.face).isEmpty()) {
            EXPECT_FALSE(button->icon().isNull());
        }
    }
    EXPECT_EQ(key("bsin")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    EXPECT_EQ(key("Btoncommande3")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_A));
    EXPECT_EQ(key("Bln")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_N));
    EXPECT_EQ(key("div")->font().family(), "DejaVu Sans");
}

TEST_F(MachineTest, KeysDoNotOverlap) {
    const auto buttons = machine.findChildren<QPushButton*>();
    for (qsizetype i = 0; i < buttons.size(); ++i)
        for (qsizetype j = i + 1; j < buttons.size(); ++j)
            EXPECT_FALSE(buttons[i]->geometry().intersects(buttons[j]->geometry()))
                << buttons[i]->objectName().toStdString() << " "
                << buttons[j]->objectName().toStdString();
}

TEST_F(MachineTest, OptionGroupsAndTheirDefaults) {
    auto* angles = machine.findChild<QGroupBox*>(QStringLiteral("angleFrame"));
    auto* form = machine.findChild<QGroupBox*>(QStringLiteral("CFrame"));
    ASSERT_TRUE(angles && form);
    EXPECT_EQ(angles->title(), "Angles");
    EXPECT_EQ(form->title(), "Affichage");
    EXPECT_EQ(option("angle(0)")->text(), "Degrés");
    EXPECT_EQ(option("angle(1)")->text(), "Radians");
    EXPECT_EQ(option("C(0)")->text(), "Scientifique");
    EXPECT_EQ(option("C(1)")->text(), "Standard");
    EXPECT_TRUE(option("angle(0)")->isChecked());
    EXPECT_TRUE(option("C(1)")->isChecked());
}

TEST_F(MachineTest, EveryControlHasASpokenName) {
    for (QWidget* w : machine.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty()) continue;  // parts that Qt adds inside controls
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

TEST_F(MachineTest, ClicksBuildEvaluateAndChain) {
    click("B2 multip B3 EXE");
    EXPECT_EQ(display(), " 6");
    click("plus B1 EXE");
    EXPECT_EQ(display(), " 7");
    EXPECT_EQ(dialogs.beeps, 0);
}

TEST_F(MachineTest, AFailureBeepsAndTheNextKeyContinuesTheExpression) {
    click("B4 div B0 EXE");
    EXPECT_EQ(display(), "Calcul impossible");
    EXPECT_EQ(dialogs.beeps, 1);
    click("B2");
    EXPECT_EQ(display(), "4 / 02");
}

TEST_F(MachineTest, EffaceRemovesAFunctionName) {
    click("B2 multip bsin");
    EXPECT_EQ(display(), "2 * sin ");
    click("EFFACE");
    EXPECT_EQ(display(), "2 * ");
    click("EFFACE");
    EXPECT_EQ(display(), "2");
}

TEST_F(MachineTest, TheDisplayKeepsTheFocusAndTheCaretAtTheEnd) {
    click("B1 B2 multip pi");
    EXPECT_TRUE(z1->hasFocus());
    EXPECT_EQ(z1->cursorPosition(), display().size());
    click("EXE");
    EXPECT_EQ(z1->cursorPosition(), display().size());
    EXPECT_TRUE(z1->hasFocus());
}

TEST_F(MachineTest, TypedCharactersGoThroughTheKeyboardMapping) {
    QTest::keyClicks(z1, QStringLiteral("2*3"));
    EXPECT_EQ(display(), "2 * 3");
    QTest::keyClick(z1, Qt::Key_Return);
    EXPECT_EQ(display(), " 6");
    QTest::keyClicks(z1, QStringLiteral("+1"));
    QTest::keyClick(z1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(display(), " 7");
    QTest::keyClicks(z1, QStringLiteral("(1.5e-3-d)"));
    EXPECT_EQ(display(), "(1.5E-3 - E)");
    QTest::keyClick(z1, Qt::Key_Backspace);
    QTest::keyClick(z1, Qt::Key_Backspace);
    EXPECT_EQ(display(), "(1.5E-3 - ");
    QTest::keyClicks(z1, QStringLiteral("2^2/4"));
    EXPECT_EQ(display(), "(1.5E-3 - 2 ^ 2 / 4");
}

TEST_F(MachineTest, OtherCharactersAreIgnored) {
    QTest::keyClicks(z1, QStringLiteral("7abc xyz=%;"));
    QTest::keyClick(z1, Qt::Key_Tab);
    QTest::keyClick(&machine, Qt::Key_Tab);
    EXPECT_EQ(display(), "7");
    EXPECT_TRUE(machine.isVisible());
    QTest::keyClick(&machine, Qt::Key_8);  // also when the window itself gets the key
    EXPECT_EQ(display(), "78");
}

// Issue 18: what a pupil types, with the keys and the keyboard, shows what a pupil's own
// calculator shows.
struct PupilCase {
    const char* steps;  // keys to click, 'text' to type, Return
    bool radians;
    const char* shown;
};

void PrintTo(const PupilCase& c, std::ostream* os) { *os << '"' << c.steps << '"'; }

class MachinePupilTest : public MachineTest, public ::testing::WithParamInterface<PupilCase> {};

TEST_P(MachinePupilTest, ShowsWhatAPupilsCalculatorShows) {
    if (GetParam().radians) QTest::mouseClick(option("angle(1)"), Qt::LeftButton);
    for (const QString& step : QString::fromUtf8(GetParam().steps).split(QLatin1Char(' '))) {
        if (step.startsWith(QLatin1Char('\'')))
            QTest::keyClicks(z1, step.mid(1, step.size() - 2));
        else if (step == QLatin1String("Return"))
            QTest::keyClick(z1, Qt::Key_Return);
        else
            click(step.toLatin1().constData());
    }
    EXPECT_EQ(display(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Issue18, MachinePupilTest,
    ::testing::Values(
        // The decimal comma typed on the keyboard is the decimal point.
        PupilCase{"'2,5*2' Return", false, " 5"}, PupilCase{"'0,1+0,2' Return", false, " .3"},
        // Whole numbers of right angles in degrees are exact; tan 90 does not exist.
        PupilCase{"bsin '180' Return", false, " 0"}, PupilCase{"Bcos '90' Return", false, " 0"},
        PupilCase{"Btan '90' Return", false, "Calcul impossible"},
        // A short decimal within the rounding of the last digit is shown as that decimal.
        PupilCase{"'1/3*3' Return", false, " 1"},
        PupilCase{"bsin '(' pi '/6)' Return", true, " .5"}));

TEST_F(MachineTest, AMessageLongerThanTheDisplayIsShownFromItsStart) {
    for (const char* typed : {"2**3", "(2+3"}) {
        SCOPED_TRACE(typed);
        click("RAZ");
        QTest::keyClicks(z1, QString::fromLatin1(typed));
        QTest::keyClick(z1, Qt::Key_Return);
        ASSERT_TRUE(display().startsWith(QLatin1String("Erreur saisie: ")));
        ASSERT_GT(z1->fontMetrics().horizontalAdvance(display()), z1->width());
        EXPECT_EQ(z1->cursorPosition(), 0);
        // What the display paints is the start of the message.
        QLineEdit start;
        start.setFont(z1->font());
        start.setReadOnly(true);
        start.resize(z1->size());
        start.setText(display());
        start.setCursorPosition(0);
        z1->clearFocus();
        const auto image = [](QWidget* w) {
            return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        EXPECT_EQ(image(z1), image(&start));
        // The next key goes on with the expression, written up to its end.
        QTest::keyClick(z1, Qt::Key_1);
        EXPECT_EQ(z1->cursorPosition(), display().size());
    }
}

TEST_F(MachineTest, EscapeClosesTheWindow) {
    QTest::keyClicks(z1, QStringLiteral("12"));
    QTest::keyClick(z1, Qt::Key_Escape);
    EXPECT_FALSE(machine.isVisible());
    EXPECT_EQ(machine.result(), QDialog::Rejected);
    machine.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&machine));
    QTest::keyClick(&machine, Qt::Key_Escape);  // also when the window itself gets the key
    EXPECT_FALSE(machine.isVisible());
}

TEST_F(MachineTest, OverflowIsShownWithABeepAndNeverReused) {
    QTest::keyClicks(z1, QStringLiteral("1E400"));
    QTest::keyClick(z1, Qt::Key_Return);
    EXPECT_EQ(display(), "Dépassement de capacité");
    EXPECT_EQ(dialogs.beeps, 1);
    click("ANS");
    EXPECT_EQ(display(), "1E400");
    click("RAZ multip");
    EXPECT_EQ(display(), "");
}

TEST_F(MachineTest, NeverAWrongNumber) {
    QTest::keyClicks(z1, QStringLiteral("5-(0-3)^2"));
    QTest::keyClick(z1, Qt::Key_Return);
    EXPECT_EQ(display(), "-4");
    click("B1 plus Bpo B2 multip moins Bpo B0 moins B3 bpf bpf EXE");
    EXPECT_EQ(display(), " 7");
    QTest::keyClicks(z1, QStringLiteral("(2+3)4"));
    QTest::keyClick(z1, Qt::Key_Return);
    EXPECT_EQ(display(), kOperatorsMessage);
    EXPECT_EQ(dialogs.beeps, 1);
}

TEST_F(MachineTest, OptionsChangeAnglesAndTheDisplayForm) {
    QTest::mouseClick(option("C(0)"), Qt::LeftButton);
    click("B1 B2 B3 B4 B5 EXE");
    EXPECT_EQ(display(), "1.2345E+04");
    QTest::mouseClick(option("C(1)"), Qt::LeftButton);
    EXPECT_EQ(display(), " 12345");
    QTest::mouseClick(option("angle(1)"), Qt::LeftButton);
    click("bsin Bpo pi div B2 bpf EXE");
    EXPECT_EQ(display(), " 1");
    QTest::mouseClick(option("angle(0)"), Qt::LeftButton);
    click("bsin B3 B0 EXE");
    EXPECT_EQ(display(), " .5");
}

TEST_F(MachineTest, TheMemoryLastsAcrossWindows) {
    click("B2 multip B3 EXE Command1");
    EXPECT_EQ(memory.value, 6);
    Machine second(dialogs, memory);
    QTest::mouseClick(second.findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
    EXPECT_EQ(second.findChild<QLineEdit*>(QStringLiteral("z1"))->text(), "6");
    QTest::mouseClick(second.findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
    EXPECT_EQ(memory.value, 0);
}

TEST_F(MachineTest, PaintsTheGradientAndTheFrames) {
    const QImage image = machine.grab().toImage();
    const auto rgb = [&image](int x, int y) { return image.pixelColor(x, y).rgb(); };
    EXPECT_EQ(rgb(0, 200), QColor(200, 250, 250).rgb());
    EXPECT_EQ(rgb(5, 300), QColor(198, 248, 248).rgb());   // 197.5 rounds to the even 198
    EXPECT_EQ(rgb(300, 200), QColor(50, 100, 100).rgb());  // 200 - 150 = 50
    EXPECT_EQ(rgb(301, 5), QColor(50, 100, 100).rgb());    // 49.5 rounds to the even 50
    EXPECT_EQ(rgb(1, 200), QColor(Qt::black).rgb());
    EXPECT_EQ(rgb(150, 1), QColor(Qt::black).rgb());
    EXPECT_EQ(rgb(299, 200), QColor(Qt::white).rgb());
    EXPECT_EQ(rgb(150, 428), QColor(Qt::white).rgb());
    EXPECT_EQ(rgb(81, 300), QColor(0, 128, 128).rgb());
    EXPECT_EQ(rgb(206, 300), QColor(Qt::white).rgb());
    EXPECT_EQ(rgb(150, 421), QColor(Qt::white).rgb());
}

}  // namespace
}  // namespace ondalis::calculator
