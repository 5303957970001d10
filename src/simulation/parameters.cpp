#include "simulation/parameters.h"

#include <cmath>

#include "platform/core/numberformat.h"

namespace ondalis {

ParameterRange parameterRange(int field) {
    switch (field) {
        case PositionField:
            return {-10, 10};
        case MassField:
            return {10, 5000};
        case StiffnessField:
            return {1, 1000};
        default:
            return {0, 1000};
    }
}

float parameterValue(const QString& text) { return parseParameterText(text).value_or(0.0f); }

OscillatorParameters parametersFromTexts(const std::array<QString, 4>& texts) {
    return {parameterValue(texts[0]), parameterValue(texts[1]), parameterValue(texts[2]),
            parameterValue(texts[3])};
}

QString validatedParameterText(int field, const QString& text) {
    return parameterText(validatedParameter(field, parameterValue(text)));
}

float validatedParameter(int field, float v) {
    const ParameterRange r = parameterRange(field);
    if (field == PositionField) {
        // The position keeps its sign: -12 gives -10, 12 gives 10.
        if (std::fabs(v) > r.max) v = std::copysign(r.max, v);
    } else {
        if (v < r.min) v = r.min;
        if (v > r.max) v = r.max;
    }
    return roundThreeSignificant(v);
}

QString parameterText(float v) { return formatPlainDecimal(v); }

std::optional<QChar> filterParameterKey(QChar c) {
    if (c.isDigit() && c.unicode() < 128) return c;
    if (c == QLatin1Char('.')) return QLatin1Char(',');
    if (c == QLatin1Char(',') || c == QLatin1Char('-') || c == QChar(8)) return c;
    return std::nullopt;
}

std::array<QString, 4> defaultParameterTexts() {
    return {QStringLiteral("0"), QStringLiteral("145"), QStringLiteral("10"),
            QStringLiteral("0,2")};
}

}  // namespace ondalis
