#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Number texts of the calculator. They always use "." as the decimal point, whatever the
// locale, because the evaluator rewrites expressions as text and reads its own output back.
namespace ondalis::calculator {

// What the number reader found at the start of a text.
struct NumberScan {
    double value = 0;       // 0 when the text starts with no number
    qsizetype length = 0;   // characters taken, leading blanks included; 0 when no number
    bool overflow = false;  // the number lies beyond the double range
};

// Reads the longest number at the start of `text` and ignores the rest: optional blanks, an
// optional sign, digits with at most one ".", then optionally "E" or "D" with an optional sign
// and at least one digit. No number reads as 0 ("PI" -> 0, "2E" -> 2, ".5x" -> 0.5). Values
// too small for a double read as 0.
NumberScan scanNumber(QStringView text);

// The value that scanNumber finds; nullopt when it lies beyond the double range ("1E400").
std::optional<double> readNumber(QStringView text);

// True when the whole of `text` is one number in the reader's syntax with at least one mantissa
// digit and, if an exponent marker is written, at least one exponent digit: "-.5", "+3",
// "1.5E-07", "2D3", "5." are numbers; "", ".", "-", "2E", "2E+", "1.2.3", " 5" are not.
bool isCompleteNumber(QStringView text);

// The general text of a finite value: at most 15 significant digits, no trailing zeros, no "0"
// before the point below 1 (".5", "-.25"), and the exponent form with at least two exponent
// digits below 1E-05 and from 1E+15 in magnitude ("1.5E-07", "1E+20"). Zero is "0".
QString generalNumberText(double value);

// The value the display shows for a result: a result that lies within one unit of its
// fifteenth significant digit of a decimal with at most twelve significant digits is that
// decimal (.999999999999999 -> 1, .499999999999999 -> .5, 2.00000000000001 -> 2); any other
// value is kept. The fifteenth digit of a result is the rounding of the steps before it, so
// this only drops that rounding where it hides a short decimal.
double shortDecimal(double value);

// The "#.#######E+00" form: one mantissa digit, at most seven decimals without trailing zeros
// (no point when none is left), "E", the exponent's sign and at least two digits.
// 12345 -> "1.2345E+04", 1E-300 -> "1E-300", 0 -> "0E+00".
QString scientificText(double value);

}  // namespace ondalis::calculator
