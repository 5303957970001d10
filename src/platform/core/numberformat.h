#pragma once

#include <QString>
#include <optional>

// Number formats shared by the parameter fields, the readouts, the table, the graph and the
// record files. Formats that show a decimal separator take it from the default QLocale (the
// program sets the French conventions at start-up, so it is a comma).
namespace ondalis {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
long long roundHalfEven(double v);

// Scientific pattern with one mantissa digit and `decimals` decimals, "E", a sign and at least
// two exponent digits, always with "." ("0.00E+00" is decimals = 2, "0E+00" is decimals = 0).
// 9.6 with 0 decimals gives "1E+01"; 0 gives "0.00E+00"; -0.0123456 gives "-1.23E-02".
// The patterns round the value's shortest decimal text half away from zero (1.235 gives
// "1.24E+00", not the "1.23E+00" of its binary value). A value that a single holds exactly is
// read as a single, since singles arrive here widened: 2.675f gives "2.68E+00".
QString formatScientific(double v, int decimals);

// Decimal exponent as written by formatScientific(v, 0): 9.6 -> 1, 9.4 -> 0, 0 -> 0.
int scientificExponent(double v);

// Rounded to three (two) significant digits: written with "0.00E+00" ("0.0E+00") and read back
// as a single-precision value. 0.012345 -> 0.0123f, 1.96 -> 2.0f (two digits). Beyond the
// range of a single: the largest finite single of that sign.
float roundThreeSignificant(double v);
float roundTwoSignificant(double v);

// The general number format: the shortest text of the value, at most 7 significant digits for
// a single and 15 for a double, no trailing zeros, the locale's decimal separator, no grouping,
// exponent form ("1E-06", "1,5E+20") only below 1E-05 or from 1E+07 (single) / 1E+15 (double).
QString formatGeneral(float v);
QString formatGeneral(double v);

// The general format of a single, but small magnitudes in plain decimals too: 1E-06 is written
// "0,000001", as the parameter fields (whose reader takes no exponent) need it.
QString formatPlainDecimal(float v);

// Three-significant-digit form: formatGeneral(roundThreeSignificant(v)).
QString formatThreeSignificant(double v);

// "#########0.00": at least one integer digit, exactly two decimals, no grouping, leading minus,
// locale separator, rounded like formatScientific. 0.5 -> "0,50"; -1234.567 -> "-1234,57";
// -0.004 -> "0,00".
QString formatFixed2(double v);

// Reads a parameter text: optional leading "-", digits with one decimal comma (a full stop is
// accepted too), blanks around. Anything else (empty text, "-", ",", "1,2,3", "5-", "+3") is
// not a number. A value too large for a single gives the largest finite single.
std::optional<float> parseParameterText(const QString& text);

// The lenient reader of record files: leading blanks skipped, then an optional sign and digits
// with an optional "." read up to the first other character. "" -> 0, " 70" -> 70, "-10" -> -10,
// "1.5abc" -> 1.5, "0,2" -> 0. A value too large gives the largest finite double of its sign.
double readLenientNumber(const QString& text);

// Number texts of record files: " 70" for 70, "-10" for -10.
QString formatRecordInteger(long long v);

}  // namespace ondalis
