#include "calculator/numbertext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace ondalis::calculator {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Beyond this decimal exponent of the leading digit no double can hold the value; below its
// opposite the value reads as 0. Keeps the text handed to from_chars short.
constexpr long long kExponentLimit = 400;
// Mantissa digits kept for the conversion: far more than a double can tell apart.
constexpr std::size_t kMantissaDigits = 800;

// The parts of a number found by the scanner, as positions in the text.
struct NumberParts {
    qsizetype end = 0;  // one past the last character taken; 0 when no number
    bool negative = false;
    qsizetype intBegin = 0, intEnd = 0;    // digits before the point
    qsizetype fracBegin = 0, fracEnd = 0;  // digits after the point
    bool exponentNegative = false;
    qsizetype expBegin = 0, expEnd = 0;  // exponent digits (empty when there is no exponent)
};

NumberParts scanParts(QStringView text) {
    NumberParts parts;
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && (text[p] == u' ' || text[p] == u'\t')) ++p;
    if (p < n && (text[p] == u'+' || text[p] == u'-')) {
        parts.negative = text[p] == u'-';
        ++p;
    }
    parts.intBegin = p;
    while (p < n && isDigit(text[p].unicode())) ++p;
    parts.intEnd = parts.fracBegin = parts.fracEnd = p;
    if (p < n && text[p] == u'.') {
        parts.fracBegin = ++p;
        while (p < n && isDigit(text[p].unicode())) ++p;
        parts.fracEnd = p;
    }
    if (parts.intEnd == parts.intBegin && parts.fracEnd == parts.fracBegin) return NumberParts{};
    parts.end = p;
    if (p < n && (text[p] == u'E' || text[p] == u'D' || text[p] == u'e' || text[p] == u'd')) {
        qsizetype q = p + 1;
        bool negative = false;
        if (q < n && (text[q] == u'+' || text[q] == u'-')) {
            negative = text[q] == u'-';
            ++q;
        }
        const qsizetype digits = q;
        while (q < n && isDigit(text[q].unicode())) ++q;
        if (q > digits) {
            parts.exponentNegative = negative;
            parts.expBegin = digits;
            parts.expEnd = q;
            parts.end = q;
        }
    }
    return parts;
}

// The value of the parts: the mantissa digits without leading zeros, the decimal exponent of
// the first of them, then an exact conversion by from_chars.
NumberScan valueOf(QStringView text, const NumberParts& parts) {
    NumberScan scan;
    scan.length = parts.end;
    std::string digits;
    long long pointShift = 0;  // value = 0.DIGITS x 10^(pointShift + exponent)
    bool leading = true;
    for (qsizetype i = parts.intBegin; i < parts.intEnd; ++i) {
        const char c = char(text[i].unicode());
        if (leading && c == '0') continue;
        leading = false;
        ++pointShift;
        if (digits.size() < kMantissaDigits) digits.push_back(c);
    }
    for (qsizetype i = parts.fracBegin; i < parts.fracEnd; ++i) {
        const char c = char(text[i].unicode());
        if (leading && c == '0') {
            --pointShift;
            continue;
        }
        leading = false;
        if (digits.size() < kMantissaDigits) digits.push_back(c);
    }
    if (digits.empty()) return scan;  // zero, whatever the exponent

    long long exponent = 0;
    for (qsizetype i = parts.expBegin; i < parts.expEnd; ++i) {
        exponent = exponent * 10 + (text[i].unicode() - u'0');
        if (exponent > 1'000'000'000) break;  // far beyond any double already
    }
    if (parts.exponentNegative) exponent = -exponent;
    const long long decimalExponent = pointShift + exponent;
    if (decimalExponent > kExponentLimit) {
        scan.overflow = true;
        return scan;
    }
    if (decimalExponent < -kExponentLimit) return scan;

    std::string number = "0." + digits + "e" + std::to_string(decimalExponent);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalExponent > 0) scan.overflow = true;
        return scan;  // underflow reads as 0
    }
    if (std::isinf(value)) {
        scan.overflow = true;
        return scan;
    }
    scan.value = parts.negative ? -value : value;
    return scan;
}

// Significant digits (trailing zeros removed) and the decimal exponent of the first one, for a
// non-zero finite magnitude rounded to `significant` digits.
struct Rounded {
    std::string digits;
    int exponent = 0;
};

Rounded roundedDigits(double magnitude, int significant) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, significant - 1);
    Rounded r;
    const char* p = buffer;
    for (; p != result.ptr && *p != 'e'; ++p)
        if (*p != '.') r.digits.push_back(*p);
    if (p != result.ptr) {
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, result.ptr, r.exponent);
    }
    while (r.digits.size() > 1 && r.digits.back() == '0') r.digits.pop_back();
    return r;
}

QString exponentText(int exponent) {
    QString text = exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) text += QLatin1Char('0');
    text += QString::number(magnitude);
    return text;
}

QString mantissaText(const std::string& digits) {
    QString text = QString::fromLatin1(digits.data(), 1);
    if (digits.size() > 1) {
        text += QLatin1Char('.');
        text += QString::fromLatin1(digits.data() + 1, qsizetype(digits.size() - 1));
    }
    return text;
}

}  // namespace

NumberScan scanNumber(QStringView text) {
    const NumberParts parts = scanParts(text);
    if (parts.end == 0) return NumberScan{};
    return valueOf(text, parts);
}

std::optional<double> readNumber(QStringView text) {
    const NumberScan scan = scanNumber(text);
    if (scan.overflow) return std::nullopt;
    return scan.value;
}

bool isCompleteNumber(QStringView text) {
    if (text.isEmpty() || text[0] == u' ' || text[0] == u'\t') return false;
    const NumberParts parts = scanParts(text);
    if (parts.end != text.size()) return false;
    return true;
}

QString generalNumberText(double value) {
    if (value == 0 || !std::isfinite(value)) return QStringLiteral("0");
    const Rounded r = roundedDigits(std::fabs(value), 15);
    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (r.exponent >= 15 || r.exponent < -5) {
        text += mantissaText(r.digits);
        text += exponentText(r.exponent);
        return text;
    }
    const QString digits = QString::fromLatin1(r.digits.data(), qsizetype(r.digits.size()));
    if (r.exponent < 0) {
        text += QLatin1Char('.');
        text += QString(-r.exponent - 1, QLatin1Char('0'));
        text += digits;
        return text;
    }
    const qsizetype integerDigits = r.exponent + 1;
    if (digits.size() <= integerDigits) {
        text += digits;
        text += QString(integerDigits - digits.size(), QLatin1Char('0'));
    } else {
        text += digits.left(integerDigits);
        text += QLatin1Char('.');
        text += digits.mid(integerDigits);
    }
    return text;
}

double shortDecimal(double value) {
    // Below the normal range a double no longer holds fifteen digits.
    if (!std::isfinite(value) || std::fabs(value) < std::numeric_limits<double>::min())
        return value;
    // The fifteen digits as a whole number N: the value is N·10^(exponent - 14).
    const Rounded r = roundedDigits(std::fabs(value), 15);
    long long n = 0;
    for (std::size_t i = 0; i < 15; ++i) n = n * 10 + (i < r.digits.size() ? r.digits[i] - '0' : 0);
    // A decimal of at most twelve digits is a multiple of 1000 in these units; the nearest one
    // is the only one that can lie within one unit.
    const long long rest = n % 1000;
    if (rest > 1 && rest < 999) return value;
    const long long shortened = rest <= 1 ? n - rest : n + (1000 - rest);
    const std::string text = std::to_string(shortened) + "e" + std::to_string(r.exponent - 14);
    double magnitude = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec != std::errc() || !std::isfinite(magnitude)) return value;
    return value < 0 ? -magnitude : magnitude;
}

QString scientificText(double value) {
    if (value == 0 || !std::isfinite(value)) return QStringLiteral("0E+00");
    const Rounded r = roundedDigits(std::fabs(value), 8);
    QString text = value < 0 ? QStringLiteral("-") : QString();
    text += mantissaText(r.digits);
    text += exponentText(r.exponent);
    return text;
}

}  // namespace ondalis::calculator
