#include <gtest/gtest.h>

#include "simulation/parameters.h"

namespace ondalis {
namespace {

struct ValidationCase {
    int field;
    const char* typed;
    const char* written;
};

class FieldValidation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(FieldValidation, clampsRoundsAndWritesWithADecimalComma) {
    const auto& c = GetParam();
    const QString written = QString::fromUtf8(c.written);
    EXPECT_EQ(validatedParameterText(c.field, QString::fromUtf8(c.typed)), written);
    // What the field shows reads back as the value written: validating it again keeps it.
    EXPECT_EQ(validatedParameterText(c.field, written), written);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FieldValidation,
    ::testing::Values(
        ValidationCase{PositionField, "12", "10"}, ValidationCase{PositionField, "-12,5", "-10"},
        ValidationCase{PositionField, "3,14159", "3,14"},
        ValidationCase{PositionField, "-7,777", "-7,78"},
        ValidationCase{PositionField, "0,012345", "0,0123"},
        ValidationCase{MassField, "145", "145"}, ValidationCase{MassField, "1234", "1230"},
        ValidationCase{MassField, "0", "10"}, ValidationCase{MassField, "99999", "5000"},
        ValidationCase{MassField, "-145", "10"}, ValidationCase{StiffnessField, "0", "1"},
        ValidationCase{StiffnessField, "2000", "1000"}, ValidationCase{FrictionField, "-3", "0"},
        ValidationCase{FrictionField, "1500", "1000"}, ValidationCase{FrictionField, "0,2", "0,2"},
        // Texts that are not numbers read as 0 before clamping.
        ValidationCase{PositionField, "", "0"}, ValidationCase{PositionField, "-", "0"},
        ValidationCase{FrictionField, ",", "0"}, ValidationCase{MassField, "1,2,3", "10"},
        ValidationCase{StiffnessField, "5-", "1"}, ValidationCase{StiffnessField, "abc", "1"},
        // Pasted text with a full stop is read like the comma.
        ValidationCase{FrictionField, "3.14159", "3,14"},
        // The smallest values are written in plain decimals, which the fields read back.
        ValidationCase{FrictionField, "0,000001", "0,000001"},
        ValidationCase{FrictionField, "0,0000099999", "0,00001"},
        ValidationCase{PositionField, "-0,00000456789", "-0,00000457"},
        ValidationCase{FrictionField, "0,00000000000000000000456", "0,00000000000000000000456"}));

TEST(KeyFilter, letsDigitsCommaMinusAndBackspaceThroughOnly) {
    for (char c : QByteArray("0123456789,-")) EXPECT_EQ(filterParameterKey(QChar(c)), QChar(c));
    EXPECT_EQ(filterParameterKey(QChar(8)), QChar(8));
    EXPECT_EQ(filterParameterKey(QLatin1Char('.')), QLatin1Char(','));
    for (QChar c : QStringLiteral("aZ +eE*é²٣"))
        EXPECT_FALSE(filterParameterKey(c).has_value()) << QString(c).toStdString();
}

TEST(Parameters, fieldsAreReadAsSinglePrecisionValues) {
    const OscillatorParameters p =
        parametersFromTexts({QStringLiteral("-2,5"), QStringLiteral("145"), QStringLiteral("10"),
                             QStringLiteral("0,2")});
    EXPECT_EQ(p.x0, -2.5f);
    EXPECT_EQ(p.m, 145.0f);
    EXPECT_EQ(p.k, 10.0f);
    EXPECT_EQ(p.h, 0.2f);
}

}  // namespace
}  // namespace ondalis
