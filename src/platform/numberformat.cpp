// Placeholder bodies; the real conversions follow.
#include "numberformat.h"

#include <cmath>

namespace ondalis {
long long roundHalfEven(double v) { return (long long)std::nearbyint(v); }
QString formatScientific(double, int) { return {}; }
int scientificExponent(double) { return 0; }
float roundThreeSignificant(double v) { return float(v); }
float roundTwoSignificant(double v) { return float(v); }
QString formatGeneral(float v) { return QString::number(v); }
QString formatGeneral(double v) { return QString::number(v); }
QString formatThreeSignificant(double v) { return QString::number(v); }
QString formatFixed2(double v) { return QString::number(v, 'f', 2); }
std::optional<float> parseParameterText(const QString&) { return std::nullopt; }
double readLenientNumber(const QString&) { return 0; }
QString formatRecordInteger(long long v) { return QString::number(v); }
}  // namespace ondalis
