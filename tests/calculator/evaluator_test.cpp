// The expression evaluator: number texts, each rewriting step, the results and error codes of
// whole evaluations, bad input, and a differential test against a recursive-descent reference.
#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "calculator/evaluator.h"
#include "calculator/numbertext.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace ondalis::calculator {
namespace {

// ---------------------------------------------------------------------------------------------
// Number texts

struct ReadCase {
    const char* text;
    double value;
    qsizetype length;
    bool overflow;
};

TEST(NumberReader, ReadsTheLongestNumberAtTheStart) {
    const ReadCase cases[] = {
        {"12", 12, 2, false},
        {"  -3.5xyz", -3.5, 6, false},
        {"+.25", 0.25, 4, false},
        {"1.5E-3", 0.0015, 6, false},
        {"2D3", 2000, 3, false},
        {"2E", 2, 1, false},
        {"2E+", 2, 1, false},
        {"1.2.3", 1.2, 3, false},
        {"PI", 0, 0, false},
        {"", 0, 0, false},
        {"-", 0, 0, false},
        {".", 0, 0, false},
        {"5.", 5, 2, false},
        {"1E400", 0, 5, true},
        {"-1E400", 0, 6, true},
        {"1E-400", 0, 6, false},
        {"0E999999", 0, 8, false},
        {"0.000001E306", 1e300, 12, false},
        {"1E99999999999999999999", 0, 22, true},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.text);
        const NumberScan scan = scanNumber(QString::fromUtf8(c.text));
        EXPECT_EQ(scan.length, c.length);
        EXPECT_EQ(scan.overflow, c.overflow);
        if (!c.overflow) {
            EXPECT_DOUBLE_EQ(scan.value, c.value);
        }
        EXPECT_EQ(readNumber(QString::fromUtf8(c.text)).has_value(), !c.overflow);
    }
}

TEST(NumberReader, ConvertsDecimalTextExactly) {
    // The evaluator writes every intermediate value as text and reads it back: the reading
    // must give the nearest double, like the standard library's conversion.
    std::mt19937_64 rng(7);
    for (int i = 0; i < 2000; ++i) {
        char buffer[64];
        const double x = std::ldexp(double(rng() >> 11), int(rng() % 200) - 150);
        std::snprintf(buffer, sizeof buffer, "%.17g", x);
        ASSERT_EQ(*readNumber(QString::fromLatin1(buffer)), std::strtod(buffer, nullptr)) << buffer;
    }
}

TEST(NumberReader, CompleteNumbers) {
    for (const char* yes : {"5", "-.5", "+3", "1.5E-07", "2D3", "5.", "007", "1E400"})
        EXPECT_TRUE(isCompleteNumber(QString::fromLatin1(yes))) << yes;
    for (const char* no :
         {"", ".", "-", "+", "2E", "2E+", "1.2.3", " 5", "5 ", "--5", "PI", "1E5E5", "E5"})
        EXPECT_FALSE(isCompleteNumber(QString::fromLatin1(no))) << no;
}

TEST(NumberText, GeneralTextHasFifteenDigitsAndNoLeadingZero) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {5, "5"},
        {0.5, ".5"},
        {-0.25, "-.25"},
        {1e20, "1E+20"},
        {1.5e-7, "1.5E-07"},
        {1e-5, ".00001"},
        {9.99999e-6, "9.99999E-06"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {999999999999999.4, "999999999999999"},
        {999999999999999.6, "1E+15"},
        {1.0 / 3, ".333333333333333"},
        {2.0 / 3, ".666666666666667"},
        {-1234.5, "-1234.5"},
        {4 * std::atan(1.0), "3.14159265358979"},
        {std::log(25.0), "3.2188758248682"},
        {1e300, "1E+300"},
        {-1.25e-300, "-1.25E-300"},
        {100, "100"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(generalNumberText(value), text) << value;
}

TEST(NumberText, GeneralTextReadsBackAsTheValueRoundedToFifteenDigits) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 5000; ++i) {
        const double x =
            std::ldexp(double(rng() >> 11), int(rng() % 160) - 110) * ((rng() & 1) ? -1 : 1);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.14e", x);
        const QString text = generalNumberText(x);
        ASSERT_TRUE(isCompleteNumber(text)) << text.toStdString();
        ASSERT_FALSE(text.contains(QLatin1Char(' ')));
        ASSERT_EQ(*readNumber(text), std::strtod(buffer, nullptr)) << text.toStdString();
    }
}

TEST(NumberText, AResultWithinItsLastDigitOfAShortDecimalIsThatDecimal) {
    const std::pair<double, double> cases[] = {
        {.999999999999999, 1},
        {.499999999999999, .5},
        {-.999999999999999, -1},
        {2.00000000000001, 2},
        {1.00000000000001, 1},
        {1.50000000000001, 1.5},
        {99.9999999999999, 100},
        {123456789012.001, 123456789012},
        {9.99999999999999E+307, 1E+308},
        {-1.20000000000001E-200, -1.2E-200},
        // Two units off, or a long decimal, is a value of its own.
        {.999999999999998, .999999999999998},
        {3.14159265358979, 3.14159265358979},
        {.333333333333333, .333333333333333},
        {1234567890123.01, 1234567890123.01},
        {0, 0},
    };
    for (const auto& [value, shown] : cases) EXPECT_EQ(shortDecimal(value), shown) << value;
}

TEST(NumberText, ScientificTextHasSevenDecimalsAtMost) {
    const std::pair<double, const char*> cases[] = {
        {12345, "1.2345E+04"},
        {0, "0E+00"},
        {1, "1E+00"},
        {-0.5, "-5E-01"},
        {1.0 / 3, "3.3333333E-01"},
        {99999999.5, "1E+08"},
        {1e-300, "1E-300"},
        {6.02214076e23, "6.0221408E+23"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(scientificText(value), text) << value;
}

// ---------------------------------------------------------------------------------------------
// The steps

QString normalised(const char* text) {
    QString t = QString::fromUtf8(text);
    normalise(t);
    return t;
}

TEST(Normalise, WritesTheNormalForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"2+3", " 2 + 3 "},
        {"1 + 2 * 3", " 1 + 2 * 3 "},
        {"sin 30 + 2 * (3 - 1)", " SIN 30 + 2 * (3 - 1) "},
        {"1.5E-3 ^ 2", " 1.5E-3 ^ 2 "},
        {"1.5e+3+2", " 1.5E+3 + 2 "},
        {"ln (20 + 5)", " LON (20 + 5) "},
        {"ln20", " LON 20 "},
        {"invSIN 1", " ISI 1 "},
        {"invCOS -1", " ICO -1 "},
        {"invTAN .5", " ITA .5 "},
        {"SQR 16", " SQR 16 "},
        {"\u00f916", " SQR 16 "},
        {"exp 0", " EXP 0 "},
        {"log 1000", " LOG 1000 "},
        {"sin cos 0", " SIN COS 0 "},
        {"(-2.5)", " -2.5 "},
        {"(3)", " 3 "},
        {"()", " () "},
        {"(2+1)", " (2 + 1) "},
        {"((5))", " 5 "},
        {"(-(-5))", " 5 "},
        {"---3", " -3 "},
        {"+5", " 5 "},
        {"++5", " 5 "},
        {"5 - - 3", " 5 - -3 "},
        {"5 - - - 3", " 5 - +3 "},
        {"3 + - 2", " 3 + -2 "},
        {"3 - + 2", " 3 - +2 "},
        {"2 * - 3", " 2 * -3 "},
        {"2 * + 3", " 2 * +3 "},
        {"2 * - - 3", " 2 * +3 "},
        {"-2 ^ 2", " -2 ^ 2 "},
        {"2 ^ -1", " 2 ^ -1 "},
        {"5 - (0 - 3) ^ 2", " 5 - (0 - 3) ^ 2 "},
        {"2 * -(0 - 3)", " 2 * -(0 - 3) "},
        {"1 - (-3)", " 1 - -3 "},
        {"2E-(3)", " 2E-(3) "},
        {"(5)4", " (5)4 "},
        {"2(5)", " 2(5) "},
        {"", "  "},
    };
    for (const auto& [text, normal] : cases) EXPECT_EQ(normalised(text), normal) << text;
}

TEST(Normalise, IsIdempotent) {
    for (const char* text : {"sin 30 + 2 * (3 - 1)", "5 - - - 3", "2 * -(0 - 3) ^ -2",
                             "invSIN (1 / 2) - ln 3", "1E+5 - -2E-3 * (4)", "((-(7)))"}) {
        const QString once = normalised(text);
        QString twice = once;
        normalise(twice);
        EXPECT_EQ(twice, once) << text;
    }
}

TEST(Normalise, UnclosedParenthesisBeforeANumberFails) {
    for (const char* text : {"(5", "2 * (-3", "((1.5", "(-"}) {
        QString t = QString::fromLatin1(text);
        EXPECT_THROW(normalise(t), EvalFailure) << text;
    }
    QString open = QStringLiteral("2 * (");
    EXPECT_NO_THROW(normalise(open));  // nothing after it: left to the parenthesis count
}

TEST(Espaceur, SpacesOperatorsAndCodes) {
    const std::pair<const char*, const char*> cases[] = {
        {"2^3", " 2 ^ 3 "},
        {"1E-3-2", " 1E-3 - 2 "},
        {"1D+3+2", " 1D+3 + 2 "},
        {"(-2+3)", " (-2 + 3) "},
        {"LN5", " LON 5 "},
        {"LON5", " LON 5 "},
        {"INVSININVCOS1", " ISI ICO 1 "},
        {"SIN-30", " SIN -30 "},
        {"2*-3", " 2 * -3 "},
        {"2*+3", " 2 * +3 "},
        {"+4", " 4 "},
    };
    for (const auto& [text, spaced] : cases) {
        QString t = QString::fromLatin1(text);
        espaceur(t);
        EXPECT_EQ(t, spaced) << text;
    }
}

TEST(Espaceur, TextsTooLongForThePositionCounterFail) {
    QString fits = QString(10000, QLatin1Char('1'));
    EXPECT_NO_THROW(espaceur(fits));
    QString tooLong = QString(11000, QLatin1Char('1'));
    EXPECT_THROW(espaceur(tooLong), EvalFailure);
}

EvalError controlled(const char* text) {
    QString t = QString::fromUtf8(text);
    normalise(t);
    EvalError error = EvalError::None;
    controle(t, error);
    return error;
}

TEST(Controle, FindsOperatorAndParenthesisErrors) {
    const std::pair<const char*, EvalError> cases[] = {
        {"1 + 2", EvalError::None},
        {"2 * -3", EvalError::None},
        {"sin (30)", EvalError::None},
        {"-(2 + 3)", EvalError::None},
        {"* 2", EvalError::None},  // left to the evaluation, which cannot reach it
        {"2 *", EvalError::Operators},
        {"2 * * 3", EvalError::Operators},
        {"2 ^ / 3", EvalError::Operators},
        {"2 /", EvalError::Operators},
        {"(2 + 3", EvalError::Parentheses},
        {"2 + 3)", EvalError::Parentheses},
        {"(2 *", EvalError::Parentheses},  // the count overrides the operator error
        // An operand written against a parenthesis or a function code.
        {"(2 + 3)4", EvalError::Operators},
        {"(5)4", EvalError::Operators},
        {"2(3)", EvalError::Operators},
        {"(2)(3)", EvalError::Operators},
        {"(2 + 3).5", EvalError::Operators},
        {"(1)sin 30", EvalError::Operators},
        {"2 sin 30", EvalError::Operators},
        {"2exp 1", EvalError::Operators},
        {"2E(3)", EvalError::Operators},
        {"2E-(3)", EvalError::Operators},
    };
    for (const auto& [text, error] : cases) EXPECT_EQ(controlled(text), error) << text;
}

TEST(Compteur, CountsParenthesesFunctionsAndOperators) {
    PendingCounts counts;
    compteur(normalised("sin (2 + 3) * cos 4 - (1 + exp 2) / -(3 ^ 2)"), counts);
    EXPECT_EQ(counts.parentheses, 3);
    EXPECT_EQ(counts.functions, 3);
    EXPECT_EQ(counts.operators, 6);
    compteur(normalised("1E+5 - -2"), counts);  // exponent and sign signs are not operators
    EXPECT_EQ(counts.operators, 1);
    EXPECT_EQ(counts.parentheses, 0);
    EXPECT_EQ(counts.functions, 0);
}

TEST(Evalfonctions, ReplacesFunctionsOfNumbers) {
    struct Case {
        const char* text;
        AngleMode mode;
        const char* result;
    };
    const Case cases[] = {
        {" SIN 30 + COS 60 ", AngleMode::Degrees, " .5 + .5 "},
        {" SIN COS 0 ", AngleMode::Radians, " .841470984807897 "},
        {" -SIN 30 ", AngleMode::Degrees, " -.5 "},
        {" SIN -COS 0 ", AngleMode::Degrees, " -.0174524064372835 "},
        {" SQR (16) ", AngleMode::Degrees, " SQR (16) "},  // waits for the parenthesis
        {" 2 * (LOG 100 + 1) ", AngleMode::Degrees, " 2 * (2 + 1) "},
        {" ITA 1 ", AngleMode::Degrees, " 45 "},
    };
    for (const Case& c : cases) {
        QString t = QString::fromLatin1(c.text);
        PendingCounts counts;
        compteur(t, counts);
        evalfonctions(t, counts, c.mode);
        EXPECT_EQ(t, c.result) << c.text;
    }
}

TEST(Evalparentheses, ReplacesInnermostPiecesByTheirValue) {
    QString t = normalised("2 * (3 + (4 - 1))");
    PendingCounts counts;
    compteur(t, counts);
    evalparentheses(t, counts, AngleMode::Degrees);
    EXPECT_EQ(t, " 2 * 6 ");
    EXPECT_EQ(counts.parentheses, 0);

    t = normalised("(1 + sin (30 - 0))");  // stops before the function
    compteur(t, counts);
    evalparentheses(t, counts, AngleMode::Degrees);
    EXPECT_EQ(t, " (1 + SIN 30) ");

    t = normalised("5 - (0 - 3) ^ 2");  // the value keeps its sign
    compteur(t, counts);
    evalparentheses(t, counts, AngleMode::Degrees);
    EXPECT_EQ(t, " 5 - -3 ^ 2 ");
}

TEST(Evaloperateurs, AppliesEachOperatorAtItsLeftmostOccurrence) {
    const std::pair<const char*, const char*> cases[] = {
        {"2 ^ 3 ^ 2", " 64 "},    {"1 + 2 * 3", " 7 "}, {"10 - 2 - 3", " 5 "},
        {"8 / 2 / 2", " 2 "},     {"8 / 2 * 2", " 8 "}, {"5 - -3 ^ 2", " -4 "},
        {"1.5E-3 * 2", " .003 "}, {"2 * +3", " 6 "},    {"1 - 2 + 3", " 2 "},
    };
    for (const auto& [text, result] : cases) {
        QString t = normalised(text);
        PendingCounts counts;
        compteur(t, counts);
        evaloperateurs(t, counts);
        EXPECT_EQ(t, result) << text;
    }
}

TEST(Evaloperateurs, AnOperandThatIsNotANumberFails) {
    for (const char* text : {" 2 * - ", " 2 +  ", " PI * 2 ", " 1.2.3 + 1 ", " 2E * 3 "}) {
        QString t = QString::fromLatin1(text);
        PendingCounts counts;
        compteur(t, counts);
        EXPECT_THROW(evaloperateurs(t, counts), EvalFailure) << text;
    }
}

// ---------------------------------------------------------------------------------------------
// Whole evaluations

struct Outcome {
    EvalError error;
    QString text;
};

Outcome evaluate(const QString& expression, AngleMode mode = AngleMode::Degrees) {
    Outcome o{EvalError::None, expression};
    calcul(o.text, o.error, mode);
    return o;
}

struct CalculCase {
    const char* text;
    AngleMode mode;
    EvalError error;
    const char* result;  // checked when error is None
};

void PrintTo(const CalculCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

constexpr AngleMode kDeg = AngleMode::Degrees;
constexpr AngleMode kRad = AngleMode::Radians;
constexpr EvalError kOk = EvalError::None;

class CalculTest : public ::testing::TestWithParam<CalculCase> {};

TEST_P(CalculTest, GivesTheResultOrTheErrorCode) {
    const CalculCase& c = GetParam();
    const Outcome o = evaluate(QString::fromUtf8(c.text), c.mode);
    EXPECT_EQ(o.error, c.error);
    if (c.error == kOk) {
        EXPECT_EQ(o.text, QString::fromUtf8(c.result));
    }
}

INSTANTIATE_TEST_SUITE_P(
    DocumentedCases, CalculTest,
    ::testing::Values(
        CalculCase{"1 + 2 * 3", kDeg, kOk, "7"}, CalculCase{"2 * (3 + 4)", kDeg, kOk, "14"},
        CalculCase{"10 - 2 - 3", kDeg, kOk, "5"}, CalculCase{"8 / 2 / 2", kDeg, kOk, "2"},
        CalculCase{"2 ^ 3 ^ 2", kDeg, kOk, "64"}, CalculCase{"-2 ^ 2", kDeg, kOk, "4"},
        CalculCase{"2 ^ -1", kDeg, kOk, ".5"}, CalculCase{"5 - - 3", kDeg, kOk, "8"},
        CalculCase{"3 + - 2", kDeg, kOk, "1"}, CalculCase{"3 - + 2", kDeg, kOk, "1"},
        CalculCase{"+ 4 * 2", kDeg, kOk, "8"}, CalculCase{"(5)", kDeg, kOk, "5"},
        CalculCase{"((5))", kDeg, kOk, "5"}, CalculCase{"SQR (16)", kDeg, kOk, "4"},
        CalculCase{"ln (20 + 5)", kDeg, kOk, "3.2188758248682"},
        CalculCase{"sin 30", kDeg, kOk, ".5"}, CalculCase{"invSIN 1", kDeg, kOk, "90"},
        CalculCase{"invCOS -1", kRad, kOk, "3.14159265358979"},
        CalculCase{"log 1000", kDeg, kOk, "3"}, CalculCase{"exp 0", kDeg, kOk, "1"},
        CalculCase{"2 *", kDeg, EvalError::Operators, ""},
        CalculCase{"2 * * 3", kDeg, EvalError::Operators, ""},
        CalculCase{"(2 + 3", kDeg, EvalError::Parentheses, ""},
        CalculCase{"2 + 3)", kDeg, EvalError::Parentheses, ""},
        CalculCase{"4 / 0", kDeg, EvalError::Failed, ""},
        CalculCase{"SQR -4", kDeg, EvalError::Failed, ""},
        CalculCase{"log 0", kDeg, EvalError::Failed, ""},
        CalculCase{"invSIN 2", kDeg, EvalError::Failed, ""},
        CalculCase{"* 2", kDeg, EvalError::Failed, ""}, CalculCase{"1.5E-3 * 2", kDeg, kOk, ".003"},
        CalculCase{"42", kDeg, kOk, "42"}, CalculCase{"1.25e+3", kDeg, kOk, "1.25E+3"},
        CalculCase{"-.5", kDeg, kOk, "-.5"}, CalculCase{"1E400", kDeg, kOk, "1E400"}));

INSTANTIATE_TEST_SUITE_P(
    MoreCases, CalculTest,
    ::testing::Values(
        CalculCase{"sin 90", kRad, kOk, ".893996663600558"}, CalculCase{"cos 60", kDeg, kOk, ".5"},
        CalculCase{"tan 45", kDeg, kOk, "1"}, CalculCase{"invTAN 1", kDeg, kOk, "45"},
        CalculCase{"invSIN -1", kDeg, kOk, "-90"}, CalculCase{"invCOS .5", kDeg, kOk, "60"},
        CalculCase{"sin cos 0", kRad, kOk, ".841470984807897"},
        CalculCase{"sin 30 ^ 2", kDeg, kOk, ".25"}, CalculCase{"-sin 30", kDeg, kOk, "-.5"},
        CalculCase{"2 ^ sin 30 * 2", kDeg, kOk, "2.8284271247462"},
        CalculCase{"SQR (SQR 16 + 12)", kDeg, kOk, "4"},
        CalculCase{"10 ^ 2 + 1 / 4", kDeg, kOk, "100.25"}, CalculCase{"8 / 2 * 2", kDeg, kOk, "8"},
        CalculCase{"1 - 2 + 3", kDeg, kOk, "2"},
        CalculCase{"2 * 3 - 4 / 8 ^ 2", kDeg, kOk, "5.9375"},
        CalculCase{"1 / 3 * 3", kDeg, kOk, ".999999999999999"},
        CalculCase{"(-8) ^ (1 / 3)", kDeg, EvalError::Failed, ""},
        CalculCase{"0 ^ -1", kDeg, EvalError::Failed, ""}, CalculCase{"0 ^ 0", kDeg, kOk, "1"},
        CalculCase{"ln -1", kDeg, EvalError::Failed, ""},
        CalculCase{"exp 1000", kDeg, EvalError::Failed, ""},
        CalculCase{"1E300 * 1E300", kDeg, EvalError::Failed, ""},
        CalculCase{"1E400 + 1", kDeg, EvalError::Failed, ""},
        CalculCase{"1E-400 + 1", kDeg, kOk, "1"},
        CalculCase{"1 + 2 -", kDeg, EvalError::Failed, ""},
        CalculCase{"2 ^", kDeg, EvalError::Operators, ""},
        CalculCase{"/ 2", kDeg, EvalError::Failed, ""}));

// Issue 6: a wrong number is never shown.
INSTANTIATE_TEST_SUITE_P(
    NeverAWrongNumber, CalculTest,
    ::testing::Values(
        // A sign merged into the operator before it would change the operation.
        CalculCase{"5 - (0 - 3) ^ 2", kDeg, kOk, "-4"},
        CalculCase{"3 + (0 - 2) ^ 2", kDeg, kOk, "7"}, CalculCase{"3 + -2 ^ 2", kDeg, kOk, "7"},
        CalculCase{"5 - - 3 ^ 2", kDeg, kOk, "-4"}, CalculCase{"1 - sin -30 ^ 2", kDeg, kOk, ".75"},
        CalculCase{"2 - -(1 + 1) ^ 2", kDeg, kOk, "-2"},
        // A sign left after an operator is never read as 0 nor glues digits.
        CalculCase{"1 + (2 * -(0 - 3))", kDeg, kOk, "7"},
        CalculCase{"2 * -(0 - 3)", kDeg, kOk, "6"}, CalculCase{"2 * - - 3", kDeg, kOk, "6"},
        CalculCase{"2 * + 3", kDeg, kOk, "6"}, CalculCase{"2 ^ -(1 + 1)", kDeg, kOk, ".25"},
        CalculCase{"2 * -", kDeg, EvalError::Failed, ""},
        CalculCase{"1 + (2 * -)", kDeg, EvalError::Failed, ""},
        // Digits against a closing parenthesis are an operator error, never glued.
        CalculCase{"(2 + 3)4", kDeg, EvalError::Operators, ""},
        CalculCase{"(5)4", kDeg, EvalError::Operators, ""},
        CalculCase{"2(3 + 1)", kDeg, EvalError::Operators, ""},
        CalculCase{"(1 + 1)(2)", kDeg, EvalError::Operators, ""},
        CalculCase{"2 sin 30", kDeg, EvalError::Operators, ""},
        CalculCase{"2E(1 + 2)", kDeg, EvalError::Operators, ""},
        // What is not a number is a failure, not 0.
        CalculCase{"PI", kDeg, EvalError::Failed, ""},
        CalculCase{"2 * PI", kDeg, EvalError::Failed, ""},
        CalculCase{"", kDeg, EvalError::Failed, ""}, CalculCase{"()", kDeg, EvalError::Failed, ""},
        CalculCase{"2 * ()", kDeg, EvalError::Failed, ""},
        CalculCase{"sin -x", kDeg, EvalError::Failed, ""},
        CalculCase{"1E", kDeg, EvalError::Failed, ""},
        CalculCase{"E-12", kDeg, EvalError::Failed, ""},
        CalculCase{".", kDeg, EvalError::Failed, ""}));

// Issue 18: a whole number of right angles in degrees gives the exact values, and no tangent
// at an odd number of them.
INSTANTIATE_TEST_SUITE_P(
    RightAngles, CalculTest,
    ::testing::Values(CalculCase{"sin 180", kDeg, kOk, "0"}, CalculCase{"cos 90", kDeg, kOk, "0"},
                      CalculCase{"cos 270", kDeg, kOk, "0"}, CalculCase{"sin 360", kDeg, kOk, "0"},
                      CalculCase{"sin -180", kDeg, kOk, "0"}, CalculCase{"cos -90", kDeg, kOk, "0"},
                      CalculCase{"tan 180", kDeg, kOk, "0"}, CalculCase{"tan -360", kDeg, kOk, "0"},
                      CalculCase{"sin 450", kDeg, kOk, "1"}, CalculCase{"cos 180", kDeg, kOk, "-1"},
                      CalculCase{"sin -90", kDeg, kOk, "-1"},
                      CalculCase{"sin (90 * 2)", kDeg, kOk, "0"},
                      CalculCase{"tan 90", kDeg, EvalError::Failed, ""},
                      CalculCase{"tan -90", kDeg, EvalError::Failed, ""},
                      CalculCase{"tan 270", kDeg, EvalError::Failed, ""},
                      CalculCase{"tan (45 * 2)", kDeg, EvalError::Failed, ""},
                      // Other angles, and radians, as before.
                      CalculCase{"sin 180", kRad, kOk, "-.80115263573383"},
                      CalculCase{"cos 60", kDeg, kOk, ".5"}));

TEST(Calcul, AFunctionWhoseArgumentNeverBecomesANumberFailsAfterTheLastPass) {
    for (const char* text : {"sin", "sin sin", "2 + cos x", "ln PI"})
        EXPECT_EQ(evaluate(QString::fromLatin1(text)).error, EvalError::Failed) << text;
}

TEST(Calcul, NestingBeyondTheHundredPassesFails) {
    QString shallow, deep;
    for (int i = 0; i < 40; ++i) shallow += QStringLiteral("sqr (");
    shallow += QStringLiteral("1 + 0");
    shallow += QString(40, QLatin1Char(')'));
    EXPECT_EQ(evaluate(shallow).error, kOk);
    EXPECT_EQ(evaluate(shallow).text, "1");
    for (int i = 0; i < 120; ++i) deep += QStringLiteral("sqr (");
    deep += QStringLiteral("1 + 0");
    deep += QString(120, QLatin1Char(')'));
    EXPECT_EQ(evaluate(deep).error, EvalError::Failed);
}

TEST(Calcul, AnyTextEndsWithAResultOrACode) {
    // Long, deeply nested, unbalanced, unknown and non-Latin texts: each ends, none throws.
    QString nested =
        QString(5000, QLatin1Char('(')) + QStringLiteral("5") + QString(5000, QLatin1Char(')'));
    QString sum;
    for (int i = 0; i < 2000; ++i) sum += QStringLiteral("1 + ");
    sum += QStringLiteral("1");
    QString manySigns =
        QStringLiteral("2 * ") + QString(30000, QLatin1Char('-')) + QStringLiteral("3");
    const QString texts[] = {
        nested,
        sum,
        manySigns,
        QString(100000, QLatin1Char('9')),
        QString(40000, QLatin1Char('(')),
        QString(9000, QChar(0x00f9)),
        QStringLiteral("\u00e9\u00e8\u4e2d\U0001F600 + 1"),
        QStringLiteral("invinvinv"),
        QStringLiteral("ln"),
        QStringLiteral(")("),
        QStringLiteral("2)+(3"),
        QStringLiteral("(((((("),
        QStringLiteral("1e+"),
        QStringLiteral("--+-+-"),
        QStringLiteral("^^^^"),
        QStringLiteral("9E9999999999 * 0"),
    };
    for (const QString& text : texts) {
        const Outcome o = evaluate(text);
        EXPECT_TRUE(o.error == kOk || o.error == EvalError::Failed ||
                    o.error == EvalError::Parentheses || o.error == EvalError::Operators);
    }
    EXPECT_EQ(evaluate(nested).error, kOk);
    EXPECT_EQ(evaluate(nested).text, "5");
    EXPECT_EQ(evaluate(sum).error, kOk);
    EXPECT_EQ(evaluate(sum).text, "2001");
    EXPECT_EQ(evaluate(manySigns).error, kOk);
    EXPECT_EQ(evaluate(manySigns).text, "6");
    EXPECT_EQ(evaluate(QString(100000, QLatin1Char('9'))).error, EvalError::Failed);
}

// ---------------------------------------------------------------------------------------------
// Differential test against an independent reference: a recursive-descent parser with the
// same operator order (each operator at its leftmost occurrence in the order ^, /, *, -, +,
// which is precedence ^ > / > * > - > + with left association), signs before a number, a
// parenthesis or a function belonging to it, functions taking the signed operand right after
// them, and every operation and function rounded to 15 significant digits.

struct ReferenceFailure {
    std::string reason;
};

double round15(double x) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", x);
    return std::strtod(buffer, nullptr);
}

class Reference {
public:
    Reference(const std::string& text, bool radians) : s_(text), radians_(radians) {}

    double evaluate() {
        const double v = sum();
        skipBlanks();
        if (p_ != s_.size()) throw ReferenceFailure{"syntax"};
        return v;
    }

private:
    void skipBlanks() {
        while (p_ < s_.size() && s_[p_] == ' ') ++p_;
    }
    bool take(char c) {
        skipBlanks();
        if (p_ < s_.size() && s_[p_] == c) {
            ++p_;
            return true;
        }
        return false;
    }
    static double checked(double v, const char* reason) {
        if (!std::isfinite(v)) throw ReferenceFailure{reason};
        return round15(v);
    }

    double sum() {
        double v = difference();
        while (take('+')) v = checked(v + difference(), "overflow");
        return v;
    }
    double difference() {
        double v = product();
        while (take('-')) v = checked(v - product(), "overflow");
        return v;
    }
    double product() {
        double v = quotient();
        while (take('*')) v = checked(v * quotient(), "overflow");
        return v;
    }
    double quotient() {
        double v = power();
        while (take('/')) {
            const double d = power();
            if (d == 0) throw ReferenceFailure{"division by zero"};
            v = checked(v / d, "overflow");
        }
        return v;
    }
    double power() {
        double v = signedOperand();
        while (take('^')) {
            const double e = signedOperand();
            if (v < 0 && e != std::floor(e)) throw ReferenceFailure{"negative base"};
            if (v == 0 && e < 0) throw ReferenceFailure{"division by zero"};
            v = checked(std::pow(v, e), "overflow");
        }
        return v;
    }
    double signedOperand() {
        bool negative = false;
        for (;;) {
            if (take('-'))
                negative = !negative;
            else if (!take('+'))
                break;
        }
        const double v = atom();
        return negative ? -v : v;
    }
    double atom() {
        skipBlanks();
        if (take('(')) {
            const double v = sum();
            if (!take(')')) throw ReferenceFailure{"syntax"};
            return v;
        }
        static const char* const names[] = {"INVSIN", "INVCOS", "INVTAN", "SIN", "COS",
                                            "TAN",    "LOG",    "LN",     "EXP", "SQR"};
        for (const char* name : names) {
            const std::size_t n = std::strlen(name);
            std::string word = s_.substr(p_, n);
            for (char& c : word) c = char(std::toupper(static_cast<unsigned char>(c)));
            if (word == name) {
                p_ += n;
                return function(name, signedOperand());
            }
        }
        return number();
    }
    double number() {
        const std::size_t begin = p_;
        while (p_ < s_.size() &&
               (std::isdigit(static_cast<unsigned char>(s_[p_])) || s_[p_] == '.'))
            ++p_;
        if (p_ < s_.size() && (s_[p_] == 'E' || s_[p_] == 'e')) {
            ++p_;
            if (p_ < s_.size() && (s_[p_] == '+' || s_[p_] == '-')) ++p_;
            while (p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]))) ++p_;
        }
        if (p_ == begin) throw ReferenceFailure{"syntax"};
        const double v = std::strtod(s_.substr(begin, p_ - begin).c_str(), nullptr);
        if (!std::isfinite(v)) throw ReferenceFailure{"overflow"};
        return v;
    }
    double function(const std::string& name, double x) {
        const double quarter = std::atan(1.0);
        const double toRadians = radians_ ? 1 : 4 * quarter / 180;
        const double fromRadians = radians_ ? 1 : 180 / (4 * quarter);
        const auto arcSine = [quarter](double a) {
            if (a == 1) return 2 * quarter;
            if (a == -1) return -2 * quarter;
            if (std::fabs(a) > 1) throw ReferenceFailure{"arc sine domain"};
            return std::atan(a / std::sqrt(1 - a * a));
        };
        // In degrees a whole number of right angles is exact, and has no tangent when odd.
        if (!radians_ && std::fmod(x, 90.0) == 0 &&
            (name == "SIN" || name == "COS" || name == "TAN")) {
            const long long quarter = std::llround(std::fmod(x, 360.0) / 90 + 4) % 4;
            const double sine[] = {0, 1, 0, -1};
            if (name == "SIN") return sine[quarter];
            if (name == "COS") return sine[(quarter + 1) % 4];
            if (quarter % 2 == 1) throw ReferenceFailure{"tangent of a right angle"};
            return 0;
        }
        double r = 0;
        if (name == "SIN")
            r = std::sin(x * toRadians);
        else if (name == "COS")
            r = std::cos(x * toRadians);
        else if (name == "TAN")
            r = std::tan(x * toRadians);
        else if (name == "INVSIN")
            r = arcSine(x) * fromRadians;
        else if (name == "INVCOS")
            r = (2 * quarter - arcSine(x)) * fromRadians;
        else if (name == "INVTAN")
            r = std::atan(x) * fromRadians;
        else if (name == "LOG" || name == "LN") {
            if (x <= 0) throw ReferenceFailure{"logarithm domain"};
            r = name == "LN" ? std::log(x) : std::log(x) / std::log(10.0);
        } else if (name == "EXP")
            r = std::exp(x);
        else if (name == "SQR") {
            if (x < 0) throw ReferenceFailure{"square root domain"};
            r = std::sqrt(x);
        } else
            throw ReferenceFailure{"syntax"};
        return checked(r, "overflow");
    }

    std::string s_;
    std::size_t p_ = 0;
    bool radians_;
};

// Random expressions written as the keypad writes them, or packed without spaces.
class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    std::string expression() {
        spaced_ = chance(70);
        return sum(3);
    }

private:
    bool chance(int percent) { return int(rng_() % 100) < percent; }
    int pick(int n) { return int(rng_() % unsigned(n)); }

    std::string number() {
        std::string n;
        switch (pick(6)) {
            case 0:
                n = std::to_string(pick(10));
                break;
            case 1:
                n = std::to_string(pick(1000));
                break;
            case 2:
                n = std::to_string(pick(100)) + "." + std::to_string(pick(1000));
                break;
            case 3:
                n = "." + std::to_string(pick(100));
                break;
            case 4:
                n = std::to_string(1 + pick(9)) + "." + std::to_string(pick(100)) + "E" +
                    (chance(50) ? "-" : "+") + std::to_string(pick(12));
                break;
            default:
                n = std::to_string(pick(50)) + ".";
                break;
        }
        return n;
    }
    std::string signs() {
        std::string s;
        const int count = chance(65) ? 0 : chance(70) ? 1 : 2 + pick(2);
        for (int i = 0; i < count; ++i) {
            s += chance(70) ? '-' : '+';
            if (spaced_ && chance(40)) s += ' ';
        }
        return s;
    }
    std::string operand(int depth) { return signs() + atom(depth); }
    std::string atom(int depth) {
        const int kind = depth > 0 ? pick(10) : 9;
        if (kind < 2) return "(" + sum(depth - 1) + ")";
        if (kind < 4) {
            static const char* const codes[] = {"sin ",    "cos ", "tan ", "invSIN ", "invCOS ",
                                                "invTAN ", "log ", "ln ",  "exp ",    "SQR "};
            std::string code = codes[pick(10)];
            if (!spaced_) code.pop_back();
            return code + (chance(50) ? "(" + sum(depth - 1) + ")" : operand(depth - 1));
        }
        return number();
    }
    std::string sum(int depth) {
        static const char ops[] = {'^', '/', '*', '-', '+'};
        std::string s = operand(depth);
        const int count = pick(5);
        for (int i = 0; i < count; ++i) {
            const char op = ops[pick(5)];
            s += spaced_ ? std::string(" ") + op + " " : std::string(1, op);
            s += operand(depth);
        }
        return s;
    }

    std::mt19937 rng_;
    bool spaced_ = true;
};

TEST(Differential, AgreesWithTheReferenceOrFails) {
    constexpr int kExpressions = 20000;
    Generator generator(20240605);
    std::map<std::string, int> bothFailed;
    int agreed = 0, evaluatorOnly = 0;
    for (int i = 0; i < kExpressions; ++i) {
        const std::string text = generator.expression();
        const bool radians = i % 2 == 1;
        std::optional<double> expected;
        std::string reason;
        try {
            expected = Reference(text, radians).evaluate();
        } catch (const ReferenceFailure& f) {
            reason = f.reason;
        }
        ASSERT_NE(reason, "syntax") << text;

        const Outcome o = evaluate(QString::fromStdString(text),
                                   radians ? AngleMode::Radians : AngleMode::Degrees);
        if (o.error != kOk) {
            // A well-formed expression never gets an input error.
            ASSERT_EQ(o.error, EvalError::Failed) << text;
            if (expected) {
                ++evaluatorOnly;
                ADD_FAILURE() << "fails although the reference gives " << *expected << ": " << text;
            } else {
                ++bothFailed[reason];
            }
            continue;
        }
        ASSERT_TRUE(expected.has_value())
            << "gives " << o.text.toStdString() << " where the reference fails (" << reason
            << "): " << text;
        const auto value = readNumber(o.text);
        ASSERT_TRUE(value.has_value()) << text;
        const double tolerance = 1e-12 * std::max(std::fabs(*value), std::fabs(*expected));
        ASSERT_LE(std::fabs(*value - *expected), std::max(tolerance, 1e-300))
            << text << " gives " << o.text.toStdString() << ", reference " << *expected;
        ++agreed;
    }
    int failed = 0;
    std::string summary;
    for (const auto& [why, count] : bothFailed) {
        failed += count;
        summary += " " + why + ": " + std::to_string(count) + ";";
    }
    std::printf(
        "[ differential ] %d expressions: %d agree, %d fail in both (%s), %d fail only "
        "in the evaluator\n",
        kExpressions, agreed, failed, summary.c_str(), evaluatorOnly);
    EXPECT_GT(agreed, kExpressions / 2);
}

}  // namespace
}  // namespace ondalis::calculator
