#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "calculator/evaluator.h"

// The rules of the calculator's keys, without a window: the expression being built, the text
// shown in the one-line display, the last answer and its error code, and the memory register.
namespace ondalis::calculator {

// The memory register of M+, M-, RM and CM. It lives for the whole program run (the main
// window owns it) while the keypad is rebuilt each time the calculator opens.
struct CalculatorMemory {
    double value = 0;
};

// Index order of the "Affichage" option buttons.
enum class DisplayForm { Scientific = 0, Standard = 1 };

enum class Key {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Point,
    Exponent,  // ".", "E"
    Pico,
    Nano,
    Micro,
    Milli,
    Kilo,
    Mega,
    Giga,
    Tera,  // "E-12" ... "E+12"
    Plus,
    Minus,
    Multiply,
    Divide,
    Power,
    Square,  // " + " ... " ^ 2"
    SquareRoot,
    Inverse,
    TenPower,
    ExpPower,
    Ln,
    Log,  // implicit product, then the code
    Sin,
    Cos,
    Tan,
    InvSin,
    InvCos,
    InvTan,
    Pi,
    OpenParen,  // implicit product too
    CloseParen,
    Ans,
    Erase,
    ClearAll,
    Exe,
    MemoryAdd,
    MemorySubtract,
    MemoryRecall,
    MemoryClear,
};

inline const QString kImpossibleText = QStringLiteral("Calcul impossible");
inline const QString kParenthesesText = QStringLiteral("Erreur saisie: revoir les parenthèses");
inline const QString kOperatorsText =
    QStringLiteral("Erreur saisie: incompréhension sur opérateurs: ^ * / + -");
inline const QString kOverflowText = QStringLiteral("Dépassement de capacité");
inline const QString kBusyText = QStringLiteral("    Patience... Calculs en cours.     ");

// The Standard display form: the general text of the value, a short decimal within the
// rounding of the last digit shown as that decimal (shortDecimal), after one space when the
// value is not negative (" 5", " .5", "-2.5", " 1E+20", .999999999999999 -> " 1").
QString standardText(double value);

class Keypad {
public:
    explicit Keypad(CalculatorMemory& memory) : memory_(memory) {}

    void press(Key key);
    // The key a typed character stands for ("\b" is EFFACE, "\r" and "\n" are EXE, "," is the
    // decimal point as "." is); nullopt for a character that the calculator ignores.
    static std::optional<Key> keyForCharacter(QChar c);

    void setAngleMode(AngleMode mode) { angleMode_ = mode; }
    AngleMode angleMode() const { return angleMode_; }
    // Choosing a form shows the last answer again in it while no expression is being built.
    void setDisplayForm(DisplayForm form);
    DisplayForm displayForm() const { return displayForm_; }

    const QString& expression() const { return expression_; }
    const QString& display() const { return display_; }
    // The display shows a message ("Patience...", an error) rather than an expression or a
    // result: a window shows it from its start.
    bool displayIsMessage() const { return displayIsMessage_; }
    const QString& answer() const { return answer_; }
    // The outcome of the last EXE; a result that cannot be shown counts as Failed.
    EvalError lastCode() const { return lastCode_; }

    // Called with the new text each time the display is set, the "Patience..." text of EXE
    // included, so that a window can show and repaint it at once.
    std::function<void(const QString&)> onDisplay;
    std::function<void()> onBeep;

private:
    void append(const QString& text);
    void appendWithProduct(const QString& text);
    void answerFirst();
    void showExpression() { show(expression_); }
    void show(const QString& text, bool message = false);
    void beep();
    void ans();
    void erase();
    void exe();
    void addToMemory(double sign);

    CalculatorMemory& memory_;
    QString expression_;
    QString display_;
    bool displayIsMessage_ = false;
    QString answer_;
    EvalError lastCode_ = EvalError::None;
    AngleMode angleMode_ = AngleMode::Degrees;
    DisplayForm displayForm_ = DisplayForm::Standard;
};

}  // namespace ondalis::calculator
