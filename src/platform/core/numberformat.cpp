#include "platform/core/numberformat.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace ondalis {

namespace {

// A non-negative decimal number d1.d2d3... x 10^exponent. digits never starts with '0' unless
// the number is zero, which is "0" with exponent 0.
struct Decimal {
    std::string digits = "0";
    int exponent = 0;

    bool isZero() const { return digits == "0"; }
};

// Parses the output of std::to_chars(..., std::chars_format::scientific): "d.ddde+XX".
Decimal fromScientificText(const char* first, const char* last) {
    Decimal d;
    d.digits.clear();
    const char* p = first;
    for (; p != last && *p != 'e'; ++p)
        if (*p != '.') d.digits.push_back(*p);
    if (p != last) {
        ++p;
        if (p != last && *p == '+') ++p;
        std::from_chars(p, last, d.exponent);
    }
    if (d.digits.empty() || d.digits[0] == '0') return Decimal{};
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// The shortest text that reads back as the same value, as digits and exponent.
template <typename T>
Decimal shortestDecimal(T magnitude) {
    if (magnitude == 0) return Decimal{};
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    return fromScientificText(buffer, result.ptr);
}

// The decimal text that the rounding patterns work on. Callers hand singles over widened to
// double; a value that a single holds exactly is therefore read at single precision, so that
// the single 2.675f (2.67499995... as a double) rounds as its text "2.675" does.
Decimal patternDecimal(double magnitude) {
    const bool fitsSingle = magnitude <= std::numeric_limits<float>::max();
    if (fitsSingle && double(float(magnitude)) == magnitude)
        return shortestDecimal(float(magnitude));
    return shortestDecimal(magnitude);
}

// Keeps `significant` digits (possibly none or fewer), rounding half away from zero on the
// decimal digits themselves. A carry out of the first digit moves to the next decade.
Decimal roundSignificant(Decimal d, int significant) {
    if (d.isZero()) return d;
    if (significant < 0) return Decimal{};
    if (significant >= int(d.digits.size())) return d;
    const bool up = d.digits[std::size_t(significant)] >= '5';
    d.digits.resize(std::size_t(significant));
    if (up) {
        int i = significant - 1;
        for (; i >= 0 && d.digits[std::size_t(i)] == '9'; --i) d.digits[std::size_t(i)] = '0';
        if (i >= 0) {
            ++d.digits[std::size_t(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) return Decimal{};
    return d;
}

// Digit of weight 10^power, '0' outside the written digits.
char digitAt(const Decimal& d, int power) {
    const int index = d.exponent - power;
    if (index < 0 || index >= int(d.digits.size())) return '0';
    return d.digits[std::size_t(index)];
}

QString exponentText(int exponent) {
    QString text = exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    text += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return text;
}

QString nonFiniteText(double v) { return QString::number(v); }

// A value as a scientific pattern writes it: sign, then the mantissa digits rounded to
// decimals + 1 significant digits, with their exponent.
struct Scientific {
    Decimal mantissa;
    bool negative = false;
};

Scientific scientific(double v, int decimals) {
    Scientific s;
    s.negative = std::signbit(v);
    s.mantissa = roundSignificant(patternDecimal(std::fabs(v)), decimals + 1);
    if (s.mantissa.isZero()) s.negative = false;
    return s;
}

// The general number format: `significant` digits at most, plain notation for exponents from
// `minPlainExponent` to `maxPlainExponent`, the locale's decimal separator, no grouping.
QString generalText(bool negative, Decimal d, int significant, int maxPlainExponent,
                    int minPlainExponent = -5) {
    d = roundSignificant(d, significant);
    if (d.isZero()) return QStringLiteral("0");
    const QString point = QLocale().decimalPoint();
    QString text = negative ? QStringLiteral("-") : QString();
    const int last = int(d.digits.size()) - 1;
    if (d.exponent < minPlainExponent || d.exponent > maxPlainExponent) {
        text += QLatin1Char(d.digits[0]);
        if (last > 0) text += point + QString::fromLatin1(d.digits.data() + 1, last);
        return text + exponentText(d.exponent);
    }
    if (d.exponent >= 0) {
        for (int power = d.exponent; power >= 0; --power) text += QLatin1Char(digitAt(d, power));
    } else {
        text += QLatin1Char('0');
    }
    const int lowestPower = d.exponent - last;
    if (lowestPower < 0) {
        text += point;
        for (int power = -1; power >= lowestPower; --power) text += QLatin1Char(digitAt(d, power));
    }
    return text;
}

// Reads "d.ddE+xx" style digits back as a single; out of range gives the largest finite
// single of that sign, or zero.
float singleFromScientific(const Scientific& s) {
    if (s.mantissa.isZero()) return 0.0f;
    std::string text = s.mantissa.digits;
    text += 'e';
    text += std::to_string(s.mantissa.exponent - int(s.mantissa.digits.size()) + 1);
    float value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = s.mantissa.exponent > 0 ? std::numeric_limits<float>::max() : 0.0f;
    return s.negative ? -value : value;
}

float roundToDigits(double v, int decimals) {
    if (!std::isfinite(v)) return float(v);
    return singleFromScientific(scientific(v, decimals));
}

// Reads an unsigned decimal "digits[.digits]" (at least one digit, ASCII) into T; a value too
// large gives the largest finite T, one too small gives 0.
template <typename T>
T readDecimal(const std::string& integerPart, const std::string& fraction) {
    std::string text = integerPart.empty() ? std::string("0") : integerPart;
    if (!fraction.empty()) text += '.' + fraction;
    T value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool large = integerPart.find_first_not_of('0') != std::string::npos;
        value = large ? std::numeric_limits<T>::max() : T(0);
    }
    return value;
}

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

long long roundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    constexpr double limit = 9223372036854775808.0;  // 2^63
    if (v >= limit) return std::numeric_limits<long long>::max();
    if (v < -limit) return std::numeric_limits<long long>::min();
    double r = std::round(v);  // halves away from zero
    if (std::fabs(r - v) == 0.5 && std::fmod(r, 2.0) != 0.0) r -= std::copysign(1.0, v);
    return static_cast<long long>(r);
}

QString formatScientific(double v, int decimals) {
    if (!std::isfinite(v)) return nonFiniteText(v);
    if (decimals < 0) decimals = 0;
    const Scientific s = scientific(v, decimals);
    QString text = s.negative ? QStringLiteral("-") : QString();
    text += QLatin1Char(s.mantissa.digits[0]);
    if (decimals > 0) {
        text += QLatin1Char('.');
        for (int i = 1; i <= decimals; ++i)
            text += QLatin1Char(digitAt(s.mantissa, s.mantissa.exponent - i));
    }
    return text + exponentText(s.mantissa.exponent);
}

int scientificExponent(double v) {
    if (!std::isfinite(v)) return 0;
    return scientific(v, 0).mantissa.exponent;
}

float roundThreeSignificant(double v) { return roundToDigits(v, 2); }
float roundTwoSignificant(double v) { return roundToDigits(v, 1); }

QString formatGeneral(float v) {
    if (!std::isfinite(v)) return nonFiniteText(double(v));
    return generalText(std::signbit(v), shortestDecimal(std::fabs(v)), 7, 6);
}

QString formatGeneral(double v) {
    if (!std::isfinite(v)) return nonFiniteText(v);
    return generalText(std::signbit(v), shortestDecimal(std::fabs(v)), 15, 14);
}

QString formatPlainDecimal(float v) {
    if (!std::isfinite(v)) return nonFiniteText(double(v));
    return generalText(std::signbit(v), shortestDecimal(std::fabs(v)), 7, 6,
                       std::numeric_limits<int>::min());
}

QString formatThreeSignificant(double v) { return formatGeneral(roundThreeSignificant(v)); }

QString formatFixed2(double v) {
    if (!std::isfinite(v)) return nonFiniteText(v);
    Decimal d = patternDecimal(std::fabs(v));
    // Keep the digits down to the hundredths: exponent + 1 integer digits and two decimals.
    d = roundSignificant(d, d.exponent + 3);
    // Sign, integer digits, separator and the two decimals, written into one string.
    const QString point = QLocale().decimalPoint();
    const int integerDigits = std::max(d.exponent, 0) + 1;
    QString text(1 + integerDigits + point.size() + 2, Qt::Uninitialized);
    QChar* out = text.data();
    if (std::signbit(v) && !d.isZero()) *out++ = QLatin1Char('-');
    for (int power = integerDigits - 1; power >= 0; --power)
        *out++ = QLatin1Char(digitAt(d, power));
    for (QChar c : point) *out++ = c;
    *out++ = QLatin1Char(digitAt(d, -1));
    *out++ = QLatin1Char(digitAt(d, -2));
    text.truncate(out - text.constData());
    return text;
}

std::optional<float> parseParameterText(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    const bool negative = i < t.size() && t[i] == QLatin1Char('-');
    if (negative) ++i;
    std::string integerPart;
    std::string fraction;
    bool separatorSeen = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isAsciiDigit(c)) {
            (separatorSeen ? fraction : integerPart) += char(c.unicode());
        } else if ((c == QLatin1Char(',') || c == QLatin1Char('.')) && !separatorSeen) {
            separatorSeen = true;
        } else {
            return std::nullopt;
        }
    }
    if (integerPart.empty() && fraction.empty()) return std::nullopt;
    const float value = readDecimal<float>(integerPart, fraction);
    return negative && value != 0.0f ? -value : value;
}

double readLenientNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    std::string integerPart;
    std::string fraction;
    bool pointSeen = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c))
            (pointSeen ? fraction : integerPart) += char(c.unicode());
        else if (c == QLatin1Char('.') && !pointSeen)
            pointSeen = true;
        else
            break;
    }
    if (integerPart.empty() && fraction.empty()) return 0.0;
    const double value = readDecimal<double>(integerPart, fraction);
    return negative && value != 0.0 ? -value : value;
}

QString formatRecordInteger(long long v) {
    return v < 0 ? QString::number(v) : QLatin1Char(' ') + QString::number(v);
}

}  // namespace ondalis
