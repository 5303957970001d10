// The key rules of the calculator, without a window: each key's effect on the expression and
// the display, EXE with its messages and beeps, ANS, EFFACE, the memory and the display forms.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <map>
#include <ostream>
#include <vector>

#include "calculator/keypad.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace ondalis::calculator {
namespace {

// Key names of the scripts below; single characters go through the keyboard mapping.
const std::map<QString, Key> kNamedKeys = {
    {"EXP", Key::Exponent},    {"p", Key::Pico},         {"n", Key::Nano},
    {"u", Key::Micro},         {"m", Key::Milli},        {"k", Key::Kilo},
    {"M", Key::Mega},          {"G", Key::Giga},         {"T", Key::Tera},
    {"x", Key::Multiply},      {"sq", Key::Square},      {"sqrt", Key::SquareRoot},
    {"1/x", Key::Inverse},     {"10x", Key::TenPower},   {"ex", Key::ExpPower},
    {"ln", Key::Ln},           {"log", Key::Log},        {"sin", Key::Sin},
    {"cos", Key::Cos},         {"tan", Key::Tan},        {"isin", Key::InvSin},
    {"icos", Key::InvCos},     {"itan", Key::InvTan},    {"pi", Key::Pi},
    {"ANS", Key::Ans},         {"DEL", Key::Erase},      {"AC", Key::ClearAll},
    {"EXE", Key::Exe},         {"M+", Key::MemoryAdd},   {"M-", Key::MemorySubtract},
    {"RM", Key::MemoryRecall}, {"CM", Key::MemoryClear},
};

class KeypadTest : public ::testing::Test {
protected:
    KeypadTest() {
        keypad.onBeep = [this] { ++beeps; };
        keypad.onDisplay = [this](const QString& text) { shown.push_back(text); };
    }

    // Presses the keys of a script such as "2 x 3 EXE".
    void type(const QString& script) {
        for (const QString& name : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const auto named = kNamedKeys.find(name);
            if (named != kNamedKeys.end()) {
                keypad.press(named->second);
            } else {
                ASSERT_EQ(name.size(), 1) << name.toStdString();
                const auto key = Keypad::keyForCharacter(name.at(0));
                ASSERT_TRUE(key.has_value()) << name.toStdString();
                keypad.press(*key);
            }
        }
    }

    CalculatorMemory memory;
    Keypad keypad{memory};
    int beeps = 0;
    std::vector<QString> shown;
};

struct Script {
    const char* keys;
    const char* expression;
    const char* display;
};

void PrintTo(const Script& s, std::ostream* os) { *os << '"' << s.keys << '"'; }

class KeypadScript : public KeypadTest, public ::testing::WithParamInterface<Script> {};

TEST_P(KeypadScript, LeavesTheExpressionAndTheDisplay) {
    type(QString::fromUtf8(GetParam().keys));
    EXPECT_EQ(keypad.expression(), QString::fromUtf8(GetParam().expression));
    EXPECT_EQ(keypad.display(), QString::fromUtf8(GetParam().display));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeypadScript,
    ::testing::Values(
        // At the start the display is blank: x, / and + do nothing, ^ still writes.
        Script{"x", "", ""}, Script{"/", "", ""}, Script{"+", "", ""}, Script{"^", " ^ ", " ^ "},
        Script{"sq", " ^ 2", " ^ 2"}, Script{"1 2 . 5", "12.5", "12.5"},
        // Implicit product before functions, pi and "(", but not after "(", "-" or a space.
        Script{"2 cos", "2 * cos ", "2 * cos "}, Script{"( (", "((", "(("},
        Script{"- pi", "-3.14159265358979", "-3.14159265358979"},
        Script{"2 sqrt", "2 * SQR ", "2 * SQR "}, Script{"2 1/x", "2 * 1 / ", "2 * 1 / "},
        Script{"3 10x", "3 * 10 ^ ", "3 * 10 ^ "}, Script{"( ex", "(exp ", "(exp "},
        Script{"2 + ln", "2 + ln ", "2 + ln "}, Script{"log", "log ", "log "},
        Script{") sin", ") * sin ", ") * sin "}, Script{"tan", "tan ", "tan "},
        Script{"isin icos itan", "invSIN invCOS invTAN ", "invSIN invCOS invTAN "},
        Script{"2 (", "2 * (", "2 * ("}, Script{"( 2 )", "(2)", "(2)"},
        // Exponents and unit prefixes.
        Script{"1 EXP - 3", "1E-3", "1E-3"}, Script{"1 EXP + 3", "1E+3", "1E+3"},
        Script{"1 e 3", "1E3", "1E3"}, Script{"5 p", "5E-12", "5E-12"},
        Script{"5 n", "5E-9", "5E-9"}, Script{"5 u", "5E-6", "5E-6"}, Script{"5 m", "5E-3", "5E-3"},
        Script{"5 k", "5E+3", "5E+3"}, Script{"5 M", "5E+6", "5E+6"}, Script{"5 G", "5E+9", "5E+9"},
        Script{"5 T", "5E+12", "5E+12"},
        // The minus key: a sign after "(", a space, "E" or nothing; " -" after "-".
        Script{"-", "-", "-"}, Script{"2 -", "2 - ", "2 - "}, Script{"2 - -", "2 - -", "2 - -"},
        Script{"2 - - -", "2 - - -", "2 - - -"}, Script{"( -", "(-", "(-"},
        // EFFACE: a character, an operator with its spaces, or a function name.
        Script{"2 x sin DEL", "2 * ", "2 * "}, Script{"2 x DEL", "2", "2"},
        Script{"isin DEL", "", ""}, Script{"1 2 DEL", "1", "1"}, Script{"DEL", "", ""},
        Script{"( sin DEL", "(", "("}, Script{"2 - sin cos DEL", "2 - sin ", "2 - sin "},
        // AC empties both; + after it does nothing until something is shown.
        Script{"2 + 3 AC", "", ""}, Script{"2 x 3 EXE AC +", "", ""},
        // Results and chained operations.
        Script{"2 x 3 EXE", "", " 6"}, Script{"2 x 3 EXE + 1 EXE", "", " 7"},
        Script{"2 x 3 EXE x", "6 * ", "6 * "}, Script{"2 x 3 EXE /", "6 / ", "6 / "},
        Script{"2 x 3 EXE ^", "6 ^ ", "6 ^ "}, Script{"2 x 3 EXE sq EXE", "", " 36"},
        Script{"2 x 3 EXE - 1", "-1", "-1"}, Script{"2 x 3 EXE 4", "4", "4"},
        Script{"2 x 3 EXE 4 + ANS", "4 + 6", "4 + 6"}, Script{"1 / 4 EXE", "", " .25"},
        Script{"0 - 2 . 5 EXE", "", "-2.5"}, Script{"1 EXP 2 0 EXE", "", " 1E+20"},
        // Failures: the message stays shown and the next key continues the expression.
        Script{"4 / 0 EXE", "4 / 0", "Calcul impossible"},
        Script{"4 / 0 EXE 2", "4 / 02", "4 / 02"},
        Script{"( 2 + 3 EXE", "(2 + 3", "Erreur saisie: revoir les parenthèses"},
        Script{"2 x x 3 EXE", "2 *  * 3",
               "Erreur saisie: incompréhension sur opérateurs: ^ * / + -"},
        Script{"4 / 0 EXE ANS", "4 / 0", "4 / 0"}));

// Issue 6 through the keypad: the window never shows a wrong number.
INSTANTIATE_TEST_SUITE_P(
    NeverAWrongNumber, KeypadScript,
    ::testing::Values(
        Script{"5 - ( 0 - 3 ) ^ 2 EXE", "", "-4"}, Script{"1 + ( 2 x - ( 0 - 3 ) ) EXE", "", " 7"},
        Script{"( 2 + 3 ) 4 EXE", "(2 + 3)4",
               "Erreur saisie: incompréhension sur opérateurs: ^ * / + -"},
        Script{"- 2 ^ 2 EXE", "", " 4"}, Script{"2 ^ - 1 EXE", "", " .5"},
        Script{"5 - - 3 EXE", "", " 8"}, Script{"3 + - 2 EXE", "", " 1"},
        Script{"2 x - EXE", "2 * -", "Calcul impossible"}, Script{"EXE", "", "Calcul impossible"},
        // A result that cannot be shown is a failure: neither ANS nor an operator takes it.
        Script{"1 EXP 4 0 0 EXE", "1E400", "Dépassement de capacité"},
        Script{"1 EXP 4 0 0 EXE ANS", "1E400", "1E400"},
        Script{"1 EXP 4 0 0 EXE +", "1E400 + ", "1E400 + "}, Script{"1 EXP 4 0 0 EXE AC x", "", ""},
        Script{"1 EXP 4 0 0 EXE AC ^", " ^ ", " ^ "}));

TEST_F(KeypadTest, MessagesAreToldFromResultsAndExpressions) {
    type("2 x");
    EXPECT_FALSE(keypad.displayIsMessage());
    type("EXE");
    EXPECT_TRUE(keypad.displayIsMessage());
    type("3");
    EXPECT_FALSE(keypad.displayIsMessage());
    type("EXE");
    EXPECT_FALSE(keypad.displayIsMessage());
}

TEST_F(KeypadTest, ExeShowsPatienceBeforeTheResult) {
    type("2 x 3 EXE");
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2], kBusyText);
    EXPECT_EQ(shown.back(), " 6");
    EXPECT_EQ(keypad.answer(), " 6");
    EXPECT_EQ(keypad.lastCode(), EvalError::None);
    EXPECT_EQ(beeps, 0);
}

TEST_F(KeypadTest, EveryFailureBeepsAndKeepsItsCode) {
    const std::pair<const char*, EvalError> cases[] = {
        {"4 / 0 EXE", EvalError::Failed},  {"( 2 + 3 EXE", EvalError::Parentheses},
        {"( 2 EXE", EvalError::Failed},  // an unclosed "(" before a lone number
        {"2 x EXE", EvalError::Operators}, {"1 EXP 4 0 0 EXE", EvalError::Failed},
    };
    int expectedBeeps = 0;
    for (const auto& [script, code] : cases) {
        type("AC");
        type(QString::fromLatin1(script));
        EXPECT_EQ(keypad.lastCode(), code) << script;
        EXPECT_EQ(beeps, ++expectedBeeps) << script;
        EXPECT_EQ(keypad.answer(), keypad.display()) << script;
    }
}

TEST_F(KeypadTest, AnglesFollowTheChosenUnit) {
    type("sin 3 0 EXE");
    EXPECT_EQ(keypad.display(), " .5");
    keypad.setAngleMode(AngleMode::Radians);
    type("sin ( pi / 2 ) EXE");
    EXPECT_EQ(keypad.display(), " 1");
    type("icos - 1 EXE");
    EXPECT_EQ(keypad.display(), " 3.14159265358979");
}

TEST_F(KeypadTest, ScientificFormAndSwitchingBack) {
    keypad.setDisplayForm(DisplayForm::Scientific);
    EXPECT_EQ(keypad.display(), "");  // no answer yet: nothing to show again
    type("1 2 3 4 5 EXE");
    EXPECT_EQ(keypad.display(), "1.2345E+04");
    keypad.setDisplayForm(DisplayForm::Standard);
    EXPECT_EQ(keypad.display(), " 12345");
    EXPECT_EQ(keypad.expression(), "");
    keypad.setDisplayForm(DisplayForm::Scientific);
    EXPECT_EQ(keypad.display(), "1.2345E+04");
    type("ANS");  // the answer is the text the last EXE showed
    EXPECT_EQ(keypad.expression(), "1.2345E+04");
    // While an expression is being built the form changes only at the next EXE.
    keypad.setDisplayForm(DisplayForm::Standard);
    EXPECT_EQ(keypad.display(), "1.2345E+04");
    type("/ 8 EXE");
    EXPECT_EQ(keypad.display(), " 1543.125");
    // After a failure there is no number to show again.
    type("1 / 0 EXE");
    keypad.setDisplayForm(DisplayForm::Scientific);
    EXPECT_EQ(keypad.display(), "Calcul impossible");
}

TEST_F(KeypadTest, MemoryAddsSubtractsRecallsAndClears) {
    type("2 x 3 EXE M+");
    EXPECT_EQ(memory.value, 6);
    type("1 . 5 M-");  // the display shows the expression being built
    EXPECT_EQ(memory.value, 4.5);
    type("AC RM");
    EXPECT_EQ(keypad.expression(), "4.5");
    keypad.setDisplayForm(DisplayForm::Scientific);
    type("AC RM");
    EXPECT_EQ(keypad.expression(), "4.5E+00");
    type("AC 4 / 0 EXE M+");  // a message reads as 0
    EXPECT_EQ(memory.value, 4.5);
    type("AC 1 EXP 4 0 0 M+");  // a number beyond the double range is ignored
    EXPECT_EQ(memory.value, 4.5);
    type("CM");
    EXPECT_EQ(memory.value, 0);
    type("AC 0 - 2 5 EXE M+ AC RM");
    EXPECT_EQ(keypad.expression(), "-2.5E+01");
    keypad.setDisplayForm(DisplayForm::Standard);
    type("AC RM");
    EXPECT_EQ(keypad.expression(), "-25");
}

TEST(Keypad, TheMemoryOutlivesTheKeypad) {
    CalculatorMemory memory;
    {
        Keypad first(memory);
        first.press(Key::Digit7);
        first.press(Key::MemoryAdd);
    }
    Keypad second(memory);
    EXPECT_EQ(second.expression(), "");
    EXPECT_EQ(second.answer(), "");
    EXPECT_EQ(second.lastCode(), EvalError::None);
    second.press(Key::MemoryRecall);
    EXPECT_EQ(second.expression(), "7");
}

TEST(Keypad, KeyboardMapping) {
    const std::pair<char16_t, Key> mapped[] = {
        {u'0', Key::Digit0},    {u'5', Key::Digit5},     {u'9', Key::Digit9},
        {u'.', Key::Point},     {u',', Key::Point},      {u'd', Key::Exponent},
        {u'e', Key::Exponent},  {u'D', Key::Exponent},   {u'E', Key::Exponent},
        {u'\b', Key::Erase},    {u'\r', Key::Exe},       {u'\n', Key::Exe},
        {u'(', Key::OpenParen}, {u')', Key::CloseParen}, {u'*', Key::Multiply},
        {u'+', Key::Plus},      {u'-', Key::Minus},      {u'/', Key::Divide},
        {u'^', Key::Power},
    };
    for (const auto& [c, key] : mapped) EXPECT_EQ(Keypad::keyForCharacter(QChar(c)), key) << int(c);
    for (const char16_t c : {u'a', u'x', u's', u' ', u';', u'=', u'%', u'\x1b', u'\t', u'\u00f9'})
        EXPECT_FALSE(Keypad::keyForCharacter(QChar(c)).has_value()) << int(c);
}

TEST(Keypad, StandardForm) {
    EXPECT_EQ(standardText(.999999999999999), " 1");
    EXPECT_EQ(standardText(-.499999999999999), "-.5");
    EXPECT_EQ(standardText(5), " 5");
    EXPECT_EQ(standardText(0.5), " .5");
    EXPECT_EQ(standardText(-2.5), "-2.5");
    EXPECT_EQ(standardText(1e20), " 1E+20");
    EXPECT_EQ(standardText(0), " 0");
}

}  // namespace
}  // namespace ondalis::calculator
