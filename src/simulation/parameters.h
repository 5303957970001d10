#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <optional>

// The four parameters of the oscillator. Their only store is the text of the four entry
// fields (decimal comma); every consumer reads the text and converts it when it needs a value.
namespace ondalis {

enum ParameterField : int {
    PositionField = 0,
    MassField = 1,
    StiffnessField = 2,
    FrictionField = 3
};

// x0 in cm, m in g, k in N/m, h in N·s/m, as single-precision values.
struct OscillatorParameters {
    float x0 = 0;
    float m = 145;
    float k = 10;
    float h = 0.2f;

    bool operator==(const OscillatorParameters&) const = default;
};

struct ParameterRange {
    float min;
    float max;
};

// x0 -10..10 cm, m 10..5000 g, k 1..1000 N/m, h 0..1000 N·s/m.
ParameterRange parameterRange(int field);

// The value of a field's text; a text that is not a number reads as 0.
float parameterValue(const QString& text);

OscillatorParameters parametersFromTexts(const std::array<QString, 4>& texts);

// Validation of a field: the text read as a number (0 when it is not one), clamped to the
// field's range, rounded to three significant digits and written back as parameterText. "12" ->
// "10" for x0; "-12,5" -> "-10"; "3,14159" -> "3,14".
QString validatedParameterText(int field, const QString& text);
// The same rule for a value: clamped to the field's range, rounded to three significant digits.
float validatedParameter(int field, float value);

// The text a field shows for v: the general format with a decimal comma, in plain decimals even
// for the smallest values ("0,000001", not "1E-06"), so that reading the field gives v back.
QString parameterText(float v);

// Key filter of the entry fields: digits, comma, minus and backspace pass; a full stop becomes a
// comma; everything else is dropped (nullopt). Enter is handled by the field itself.
std::optional<QChar> filterParameterKey(QChar c);

// Defaults of a fresh window: "0", "145", "10", "0,2".
std::array<QString, 4> defaultParameterTexts();

}  // namespace ondalis
