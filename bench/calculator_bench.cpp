// The evaluator on long expressions: 200 operators mixed with functions and parentheses, a
// flat sum, and a text near the length limit.
#include <benchmark/benchmark.h>

#include <QString>

#include "calculator/evaluator.h"

namespace {

using ondalis::calculator::AngleMode;
using ondalis::calculator::calcul;
using ondalis::calculator::EvalError;

// 40 groups of five operators, each with two functions and a parenthesised piece:
// "sin 30 * (2.5 + cos 60) ^ 2 / 3 - -1.25 + ..." as the keypad writes it.
QString longExpression() {
    static const char* const functions[] = {"sin ", "cos ", "ln ", "SQR ", "log ", "exp "};
    QString text;
    for (int i = 0; i < 40; ++i) {
        if (i > 0) text += QStringLiteral(" + ");
        text += QString::fromLatin1(functions[i % 6]) + QString::number(10 + i);
        text += QStringLiteral(" * (2.5 + ") + QString::fromLatin1(functions[(i + 1) % 6]) +
                QStringLiteral("1.5) ^ 2 / 3 - -1.25");
    }
    return text;
}

void BM_CalculLongExpression(benchmark::State& state) {
    const QString expression = longExpression();
    for (auto _ : state) {
        QString text = expression;
        EvalError error;
        calcul(text, error, AngleMode::Degrees);
        if (error != EvalError::None) state.SkipWithError("evaluation failed");
        benchmark::DoNotOptimize(text);
    }
    state.counters["length"] = double(expression.size());
}
BENCHMARK(BM_CalculLongExpression)->Unit(benchmark::kMicrosecond);

void BM_CalculFlatSum(benchmark::State& state) {
    QString expression = QStringLiteral("1");
    for (int i = 0; i < 200; ++i) expression += QStringLiteral(" + 1.5");
    for (auto _ : state) {
        QString text = expression;
        EvalError error;
        calcul(text, error, AngleMode::Degrees);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_CalculFlatSum)->Unit(benchmark::kMicrosecond);

// The worst texts a user can hand over: about 10 000 characters of nested parentheses, the
// most that still fits the position limit. Shows the bound on the cost of any text.
void BM_CalculDeepNesting(benchmark::State& state) {
    QString expression;
    for (int i = 0; i < 1800; ++i) expression += QStringLiteral("(1+");
    expression += QStringLiteral("1") + QString(1800, QLatin1Char(')'));
    for (auto _ : state) {
        QString text = expression;
        EvalError error;
        calcul(text, error, AngleMode::Degrees);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_CalculDeepNesting)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
