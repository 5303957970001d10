// Number formats: the rounding patterns, the general format, the fixed readout format and the
// two number readers. The test main sets the French locale, so the decimal separator is ",".
#include "platform/core/numberformat.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

namespace ondalis {
namespace {

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    const struct {
        double v;
        long long expected;
    } cases[] = {{2.5, 2},
                 {3.5, 4},
                 {-2.5, -2},
                 {-3.5, -4},
                 {0.5, 0},
                 {-0.5, 0},
                 {1.5, 2},
                 {2.4999, 2},
                 {2.6, 3},
                 {-2.6, -3},
                 {450.0 + 30 * 0.05, 452},
                 {1e300, LLONG_MAX},
                 {-1e300, LLONG_MIN},
                 {std::nan(""), 0}};
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.v), c.expected) << c.v;
}

struct ScientificCase {
    double v;
    int decimals;
    const char* expected;
};

class FormatScientific : public testing::TestWithParam<ScientificCase> {};

TEST_P(FormatScientific, WritesThePattern) {
    const ScientificCase& c = GetParam();
    EXPECT_EQ(formatScientific(c.v, c.decimals), QString::fromLatin1(c.expected))
        << c.v << " with " << c.decimals << " decimals";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatScientific,
    testing::Values(
        // The mantissa rounding moves the decade.
        ScientificCase{9.6, 0, "1E+01"}, ScientificCase{9.4, 0, "9E+00"},
        ScientificCase{9.96, 1, "1.0E+01"}, ScientificCase{999.5, 2, "1.00E+03"},
        // Halves of the decimal text go away from zero, whatever the binary value says.
        ScientificCase{0.125, 2, "1.25E-01"}, ScientificCase{1.235, 2, "1.24E+00"},
        ScientificCase{2.5, 0, "3E+00"}, ScientificCase{-2.5, 0, "-3E+00"},
        ScientificCase{0.045, 0, "5E-02"}, ScientificCase{0.0125, 1, "1.3E-02"},
        // A single widened to double rounds as its own text.
        ScientificCase{double(2.675f), 2, "2.68E+00"}, ScientificCase{double(0.145f), 1, "1.5E-01"},
        ScientificCase{0.0, 2, "0.00E+00"}, ScientificCase{0.0, 0, "0E+00"},
        ScientificCase{-0.0, 2, "0.00E+00"}, ScientificCase{-0.0123456, 2, "-1.23E-02"},
        ScientificCase{1234, 2, "1.23E+03"}, ScientificCase{12345678, 2, "1.23E+07"},
        ScientificCase{1e-7, 1, "1.0E-07"}, ScientificCase{1e100, 2, "1.00E+100"},
        ScientificCase{5e-324, 2, "5.00E-324"}, ScientificCase{1.0, 4, "1.0000E+00"}));

TEST(ScientificExponent, IsTheExponentOfTheOneDigitPattern) {
    const struct {
        double v;
        int expected;
    } cases[] = {{96 * 0.1, 1}, {94 * 0.1, 0}, {10 * 0.1, 0}, {1000 * 0.1, 2},
                 {1 * 0.1, -1}, {0.0, 0},      {-9.6, 1},     {0.95, 0},
                 {0.094, -2},   {9.5, 1},      {INFINITY, 0}, {std::nan(""), 0}};
    for (const auto& c : cases) EXPECT_EQ(scientificExponent(c.v), c.expected) << c.v;
}

TEST(RoundSignificant, WritesThePatternAndReadsASingleBack) {
    const struct {
        double v;
        float three;
        float two;
    } cases[] = {{0.012345, 0.0123f, 0.012f},
                 {4567, 4570.0f, 4600.0f},
                 {1.96, 1.96f, 2.0f},
                 {0.0237, 0.0237f, 0.024f},
                 {0.35355339, 0.354f, 0.35f},
                 {0.0125, 0.0125f, 0.013f},
                 {double(3.14159f), 3.14f, 3.1f},
                 {double(2.675f), 2.68f, 2.7f},
                 {-7.777, -7.78f, -7.8f},
                 {9.996, 10.0f, 10.0f},
                 {0.0, 0.0f, 0.0f},
                 {1e39, FLT_MAX, FLT_MAX},
                 {-1e39, -FLT_MAX, -FLT_MAX},
                 {1e-50, 0.0f, 0.0f}};
    for (const auto& c : cases) {
        EXPECT_EQ(roundThreeSignificant(c.v), c.three) << c.v;
        EXPECT_EQ(roundTwoSignificant(c.v), c.two) << c.v;
    }
}

TEST(FormatGeneral, SingleShowsAtMostSevenDigits) {
    const struct {
        float v;
        const char* expected;
    } cases[] = {{0.2f, "0,2"},
                 {145.0f, "145"},
                 {1230.0f, "1230"},
                 {0.0123f, "0,0123"},
                 {-7.78f, "-7,78"},
                 {12.0f, "12"},
                 {3.14f, "3,14"},
                 {0.0f, "0"},
                 {-0.0f, "0"},
                 {0.1f + 0.2f, "0,3"},
                 {1.0f / 3, "0,3333333"},
                 {2.0f / 3, "0,6666667"},
                 {1e-6f, "1E-06"},
                 {1e-5f, "0,00001"},
                 {9.9e-6f, "9,9E-06"},
                 {-2.5e-7f, "-2,5E-07"},
                 {1.5e20f, "1,5E+20"},
                 {9999999.0f, "9999999"},
                 {1e7f, "1E+07"},
                 {12345678.0f, "1,234568E+07"},
                 {-1234567.0f, "-1234567"},
                 {0.000988f, "0,000988"},
                 {1e-38f, "1E-38"}};
    for (const auto& c : cases) EXPECT_EQ(formatGeneral(c.v), QString::fromLatin1(c.expected));
}

TEST(FormatGeneral, DoubleShowsAtMostFifteenDigits) {
    const struct {
        double v;
        const char* expected;
    } cases[] = {{0.1 * 3, "0,3"},
                 {0.02 * 7, "0,14"},
                 {0.00002 * 3, "0,00006"},
                 {1.0 / 3, "0,333333333333333"},
                 {2.0 / 3, "0,666666666666667"},
                 {123456789012.5, "123456789012,5"},
                 {999999999999999.0, "999999999999999"},
                 {1e15, "1E+15"},
                 {1e-5, "0,00001"},
                 {9.9e-6, "9,9E-06"},
                 {-0.0, "0"},
                 {-2.5e-7, "-2,5E-07"},
                 {1e300, "1E+300"},
                 {double(0.1f), "0,100000001490116"}};
    for (const auto& c : cases) EXPECT_EQ(formatGeneral(c.v), QString::fromLatin1(c.expected));
}

// The exact decimal text of a whole number of microseconds, in seconds.
QString secondsText(long long micros) {
    QString text = QString::number(micros / 1000000);
    QString fraction = QString::number(micros % 1000000).rightJustified(6, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    if (!fraction.isEmpty()) text += QLatin1Char(',') + fraction;
    return text;
}

class SamplingInstants : public testing::TestWithParam<long long> {};

// Every sampling instant k * D / 50 of a recording reads as its plain decimal value, however
// the instant was computed.
TEST_P(SamplingInstants, ReadAsPlainDecimals) {
    const long long durationMicros = GetParam();
    const double duration = double(durationMicros) / 1e6;
    for (int k = 0; k <= 50; ++k) {
        const QString expected = secondsText(k * durationMicros / 50);
        EXPECT_EQ(formatGeneral(k * duration / 50), expected) << "k = " << k;
        EXPECT_EQ(formatGeneral(k * (duration / 50)), expected) << "k = " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Durations, SamplingInstants,
                         testing::Values(1000LL, 100000LL, 500000LL, 1000000LL, 2000000LL,
                                         5000000LL, 10000000LL, 60000000LL, 600000000LL));

TEST(SamplingInstants, TimeLabelsInSinglePrecisionReadAsPlainDecimals) {
    for (const long long durationMicros : {1000LL, 500000LL, 1000000LL, 5000000LL, 600000000LL}) {
        const float duration = float(double(durationMicros) / 1e6);
        for (int i = 0; i <= 10; ++i)
            EXPECT_EQ(formatGeneral(float(i) * duration / 10.0f),
                      secondsText(i * durationMicros / 10))
                << "D = " << duration << ", i = " << i;
    }
}

TEST(FormatThreeSignificant, RoundsThenWritesTheGeneralFormat) {
    const struct {
        double v;
        const char* expected;
    } cases[] = {{0.012345, "0,0123"},
                 {4567, "4570"},
                 {-0.00098765, "-0,000988"},
                 {-0.0123456, "-0,0123"},
                 {0.000456789, "0,000457"},
                 {145, "145"},
                 {double(0.2f), "0,2"},
                 {1234, "1230"},
                 {-7.777, "-7,78"},
                 {12, "12"},
                 {3.14159, "3,14"},
                 {0, "0"},
                 {9.996, "10"},
                 {1.23456e-6, "1,23E-06"},
                 {0.0125, "0,0125"},
                 {12345678, "1,23E+07"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatThreeSignificant(c.v), QString::fromLatin1(c.expected)) << c.v;
}

TEST(FormatFixed2, WritesTwoDecimalsRoundedHalfAwayFromZero) {
    const struct {
        double v;
        const char* expected;
    } cases[] = {{500, "500,00"},
                 {1, "1,00"},
                 {0, "0,00"},
                 {-0.0, "0,00"},
                 {-0.004, "0,00"},
                 {0.5, "0,50"},
                 {-1234.567, "-1234,57"},
                 {0.125, "0,13"},
                 {0.005, "0,01"},
                 {-0.005, "-0,01"},
                 {1.005, "1,01"},
                 {double(2.675f), "2,68"},
                 {999.995, "1000,00"},
                 {0.0049999, "0,00"},
                 {123456789.994, "123456789,99"},
                 {1e20, "100000000000000000000,00"},
                 {12345678.0, "12345678,00"}};
    for (const auto& c : cases) EXPECT_EQ(formatFixed2(c.v), QString::fromLatin1(c.expected));
}

TEST(ParseParameterText, ReadsSignedDecimalsWithCommaOrFullStop) {
    const struct {
        const char* text;
        float expected;
    } cases[] = {{"12", 12.0f},         {"-12,5", -12.5f}, {",5", 0.5f},  {"3,", 3.0f},
                 {"3.14159", 3.14159f}, {" 145 ", 145.0f}, {"0,2", 0.2f}, {"007", 7.0f},
                 {"\t5\t", 5.0f},       {"-,5", -0.5f}};
    for (const auto& c : cases) {
        const std::optional<float> v = parseParameterText(QString::fromLatin1(c.text));
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(*v, c.expected) << c.text;
    }
}

TEST(ParseParameterText, RefusesTextsThatAreNotNumbers) {
    for (const char* text :
         {"", " ", "-", ",", "1,2,3", "5-", "+3", "1e5", "abc", "1 2", "--1", "1,2.3", "-,"}) {
        EXPECT_FALSE(parseParameterText(QString::fromLatin1(text)).has_value()) << text;
    }
    // Digits of other scripts are not digits here.
    EXPECT_FALSE(parseParameterText(QString::fromUtf8("\u0663")).has_value());
}

TEST(ParseParameterText, ExtremesStayFinite) {
    const QString huge = QStringLiteral("1") + QString(50, QLatin1Char('0'));
    EXPECT_EQ(parseParameterText(huge), FLT_MAX);
    EXPECT_EQ(parseParameterText(QLatin1Char('-') + huge), -FLT_MAX);
    EXPECT_EQ(
        parseParameterText(QStringLiteral("0,") + QString(60, QLatin1Char('0')) + QLatin1Char('1')),
        0.0f);
    const std::optional<float> minusZero = parseParameterText(QStringLiteral("-0"));
    ASSERT_TRUE(minusZero.has_value());
    EXPECT_FALSE(std::signbit(*minusZero));
}

TEST(ReadLenientNumber, ReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {{"", 0},
                 {" 70", 70},
                 {"-10", -10},
                 {"1.5abc", 1.5},
                 {"abc", 0},
                 {"0,2", 0},
                 {"\t 3", 3},
                 {"+4", 4},
                 {"-.5", -0.5},
                 {"5.", 5},
                 {"1.2.3", 1.2},
                 {"- 5", 0},
                 {" 33023", 33023},
                 {" 12582912", 12582912},
                 {"-", 0},
                 {".", 0},
                 {"  -2.25 cm", -2.25},
                 {"7 8", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(readLenientNumber(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(ReadLenientNumber, LongDigitStringsStayFiniteAndFast) {
    const QString nines(400, QLatin1Char('9'));
    EXPECT_EQ(readLenientNumber(nines), DBL_MAX);
    EXPECT_EQ(readLenientNumber(QLatin1Char('-') + nines), -DBL_MAX);
    EXPECT_EQ(
        readLenientNumber(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QLatin1Char('1')),
        0.0);

    QElapsedTimer timer;
    timer.start();
    const QString million = QStringLiteral("1.") + QString(1000000, QLatin1Char('3'));
    EXPECT_NEAR(readLenientNumber(million), 4.0 / 3, 1e-15);
    EXPECT_EQ(readLenientNumber(QString(1000000, QLatin1Char('7'))), DBL_MAX);
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST(FormatRecordInteger, WritesASignPosition) {
    const struct {
        long long v;
        const char* expected;
    } cases[] = {{70, " 70"},
                 {0, " 0"},
                 {-10, "-10"},
                 {33023, " 33023"},
                 {-9223372036854775807LL - 1, "-9223372036854775808"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatRecordInteger(c.v), QString::fromLatin1(c.expected));
        // What the record files write, their lenient reader reads back.
        EXPECT_EQ(roundHalfEven(readLenientNumber(formatRecordInteger(c.v))), c.v);
    }
}

}  // namespace
}  // namespace ondalis
