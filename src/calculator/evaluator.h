#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

// The calculator's expression evaluator. It works on the text itself: `normalise` rewrites the
// expression into a normal form in which every binary operator has one space on each side
// ("2 * -3"), every function is a three-letter code followed by one space ("SIN 30") and the
// whole text starts and ends with a space; then `calcul` repeatedly replaces the innermost
// evaluable piece (a function of a number, a parenthesised sub-expression, one operation) by the
// text of its value, rounded to 15 significant digits, until one number is left.
//
// Operators are applied at their leftmost occurrence in the order ^, /, *, -, + (so the power is
// left-associative: 2 ^ 3 ^ 2 = 64). A sign written directly before a number, a parenthesis or a
// function belongs to it (-2 ^ 2 = 4, 2 ^ -1 = .5, 5 - - 3 = 8). Functions take the number right
// after them (SIN 30 ^ 2 = .25).
//
// The rewriting keeps what it is given intact: a sign is never merged into the binary operator
// before it ("5 - -3 ^ 2" stays so and gives -4), an operand that is not wholly a number is a
// failure rather than 0, a parenthesised piece is replaced only by a single number, and an
// operand written against a parenthesis or a function ("(2 + 3)4", "2(3)", "2SIN 30") is an
// operator error instead of being glued into another number.
namespace ondalis::calculator {

// Angle unit of SIN, COS, TAN (argument) and ISI, ICO, ITA (result).
enum class AngleMode : std::int16_t { Degrees = 0, Radians = 1 };

enum class EvalError : std::int16_t {
    None = 0,
    Failed = 1,       // "Calcul impossible"
    Parentheses = 2,  // "Erreur saisie: revoir les parenthèses"
    Operators = 3,    // "Erreur saisie: incompréhension sur opérateurs: ^ * / + -"
};

// What is still to be done, recounted by `compteur` and used up by the steps.
struct PendingCounts {
    std::int16_t parentheses = 0;  // "(" characters
    std::int16_t functions = 0;    // positions where a function code starts
    std::int16_t operators = 0;    // positions where " + ", " - ", " * ", " / " or " ^ " starts
};

// Raised by the steps on any failure: overflow, division by zero, an argument outside a
// function's domain, an operand that is not a number, a position beyond 32767. `calcul` turns
// it into EvalError::Failed.
class EvalFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Evaluates `text` in place. On success error is None and text holds the result number; on
// failure the text is unspecified. Never throws.
void calcul(QString& text, EvalError& error, AngleMode mode);

// The steps of `calcul`, each rewriting the text in place and throwing EvalFailure.

// Upper case, no spaces, sign runs merged ("--" -> "+", "+-" and "-+" -> "-", "++" -> "+")
// except that an operator after an operand keeps its own character, no leading "+", parentheses
// around a bare number dropped when nothing is glued by it ("(-2.5)" -> "-2.5"), then
// `espaceur`. Idempotent.
void normalise(QString& text);
// Spaces around operators, a space after each function code ("LN" -> "LON", "INVSIN" -> "ISI",
// "ù" -> "SQR"), one space at each end. A "+" or "-" after "(", a space or an exponent marker is
// a sign and stays attached.
void espaceur(QString& text);
// Sets error to Operators for an operator followed by an operator or by nothing, or an operand
// against a parenthesis or a function code; to Parentheses when "(" and ")" do not pair up in
// number. Leaves error alone otherwise.
void controle(const QString& text, EvalError& error);
void compteur(const QString& text, PendingCounts& counts);
void evalfonctions(QString& text, PendingCounts& counts, AngleMode mode);
void evalparentheses(QString& text, PendingCounts& counts, AngleMode mode);
void evaloperateurs(QString& text, PendingCounts& counts);

// Beyond this, positions no longer fit the evaluator's 16-bit counters.
inline constexpr qsizetype kMaxPosition = 32767;
// Evaluation passes allowed before giving up.
inline constexpr int kMaxPasses = 100;

}  // namespace ondalis::calculator
