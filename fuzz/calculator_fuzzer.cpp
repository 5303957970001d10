// Any text at all handed to calcul: it must end, never crash, and on success leave one number,
// which the display shows within the rounding of its last digit.
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "calculator/evaluator.h"
#include "calculator/numbertext.h"

using ondalis::calculator::AngleMode;
using ondalis::calculator::calcul;
using ondalis::calculator::EvalError;
using ondalis::calculator::isCompleteNumber;
using ondalis::calculator::readNumber;
using ondalis::calculator::shortDecimal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the angle unit and how the rest becomes text: UTF-8 (what a user
    // types) or raw UTF-16 units (any 16-bit character, unpaired surrogates included).
    const std::uint8_t mode = data[0];
    ++data;
    --size;
    QString text;
    if (mode & 2) {
        text.resize(qsizetype(size / 2));
        for (std::size_t i = 0; i < size / 2; ++i)
            text[qsizetype(i)] = QChar(char16_t(data[2 * i] | (data[2 * i + 1] << 8)));
    } else {
        text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    EvalError error = EvalError::Failed;
    calcul(text, error, (mode & 1) ? AngleMode::Radians : AngleMode::Degrees);
    switch (error) {
        case EvalError::None: {
            if (!isCompleteNumber(text)) __builtin_trap();
            // What the display shows differs from the result by one unit of its fifteenth
            // digit at most (and the half unit of rounding a longer typed number).
            const auto value = readNumber(text);
            if (!value) break;
            const double shown = shortDecimal(*value);
            if (!std::isfinite(shown) || std::fabs(shown - *value) > 2e-14 * std::fabs(*value))
                __builtin_trap();
            break;
        }
        case EvalError::Failed:
        case EvalError::Parentheses:
        case EvalError::Operators:
            break;
        default:
            __builtin_trap();
    }
    return 0;
}
