#include "calculator/keypad.h"

#include <cmath>

#include "calculator/numbertext.h"

namespace ondalis::calculator {

namespace {

bool isBlank(const QString& text) { return text.trimmed().isEmpty(); }

QString piText() { return generalNumberText(4 * std::atan(1.0)); }

}  // namespace

QString standardText(double value) {
    const QString text = generalNumberText(shortDecimal(value));
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char(' ') + text;
}

std::optional<Key> Keypad::keyForCharacter(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return Key(int(Key::Digit0) + (u - u'0'));
    switch (u) {
        case u'.':
        case u',':  // the decimal comma that a French keyboard and the other fields take
            return Key::Point;
        case u'd':
        case u'e':
        case u'D':
        case u'E':
            return Key::Exponent;
        case u'\b':
            return Key::Erase;
        case u'\r':
        case u'\n':
            return Key::Exe;
        case u'(':
            return Key::OpenParen;
        case u')':
            return Key::CloseParen;
        case u'*':
            return Key::Multiply;
        case u'+':
            return Key::Plus;
        case u'-':
            return Key::Minus;
        case u'/':
            return Key::Divide;
        case u'^':
            return Key::Power;
        default:
            return std::nullopt;
    }
}

void Keypad::press(Key key) {
    if (key >= Key::Digit0 && key <= Key::Digit9) {
        append(QString::number(int(key) - int(Key::Digit0)));
        return;
    }
    switch (key) {
        case Key::Point:
            append(QStringLiteral("."));
            break;
        case Key::Exponent:
            append(QStringLiteral("E"));
            break;
        case Key::Pico:
            append(QStringLiteral("E-12"));
            break;
        case Key::Nano:
            append(QStringLiteral("E-9"));
            break;
        case Key::Micro:
            append(QStringLiteral("E-6"));
            break;
        case Key::Milli:
            append(QStringLiteral("E-3"));
            break;
        case Key::Kilo:
            append(QStringLiteral("E+3"));
            break;
        case Key::Mega:
            append(QStringLiteral("E+6"));
            break;
        case Key::Giga:
            append(QStringLiteral("E+9"));
            break;
        case Key::Tera:
            append(QStringLiteral("E+12"));
            break;
        case Key::Plus:
            if (isBlank(display_)) break;
            answerFirst();
            append(expression_.endsWith(QLatin1Char('E')) ? QStringLiteral("+")
                                                          : QStringLiteral(" + "));
            break;
        case Key::Minus:
            // Never the answer first: after EXE it starts a negative number.
            if (expression_.isEmpty() || expression_.endsWith(QLatin1Char('(')) ||
                expression_.endsWith(QLatin1Char(' ')) || expression_.endsWith(QLatin1Char('E')))
                append(QStringLiteral("-"));
            else if (expression_.endsWith(QLatin1Char('-')))
                append(QStringLiteral(" -"));
            else
                append(QStringLiteral(" - "));
            break;
        case Key::Multiply:
            if (isBlank(display_)) break;
            answerFirst();
            append(QStringLiteral(" * "));
            break;
        case Key::Divide:
            if (isBlank(display_)) break;
            answerFirst();
            append(QStringLiteral(" / "));
            break;
        case Key::Power:
            answerFirst();
            append(QStringLiteral(" ^ "));
            break;
        case Key::Square:
            answerFirst();
            append(QStringLiteral(" ^ 2"));
            break;
        case Key::SquareRoot:
            appendWithProduct(QStringLiteral("SQR "));
            break;
        case Key::Inverse:
            appendWithProduct(QStringLiteral("1 / "));
            break;
        case Key::TenPower:
            appendWithProduct(QStringLiteral("10 ^ "));
            break;
        case Key::ExpPower:
            appendWithProduct(QStringLiteral("exp "));
            break;
        case Key::Ln:
            appendWithProduct(QStringLiteral("ln "));
            break;
        case Key::Log:
            appendWithProduct(QStringLiteral("log "));
            break;
        case Key::Sin:
            appendWithProduct(QStringLiteral("sin "));
            break;
        case Key::Cos:
            appendWithProduct(QStringLiteral("cos "));
            break;
        case Key::Tan:
            appendWithProduct(QStringLiteral("tan "));
            break;
        case Key::InvSin:
            appendWithProduct(QStringLiteral("invSIN "));
            break;
        case Key::InvCos:
            appendWithProduct(QStringLiteral("invCOS "));
            break;
        case Key::InvTan:
            appendWithProduct(QStringLiteral("invTAN "));
            break;
        case Key::Pi:
            appendWithProduct(piText());
            break;
        case Key::OpenParen:
            appendWithProduct(QStringLiteral("("));
            break;
        case Key::CloseParen:
            append(QStringLiteral(")"));
            break;
        case Key::Ans:
            ans();
            break;
        case Key::Erase:
            erase();
            break;
        case Key::ClearAll:
            expression_.clear();
            show(QString());
            break;
        case Key::Exe:
            exe();
            break;
        case Key::MemoryAdd:
            addToMemory(1);
            break;
        case Key::MemorySubtract:
            addToMemory(-1);
            break;
        case Key::MemoryRecall:
            append(displayForm_ == DisplayForm::Scientific
                       ? scientificText(memory_.value)
                       : generalNumberText(memory_.value).trimmed());
            break;
        case Key::MemoryClear:
            memory_.value = 0;
            break;
        default:
            break;
    }
}

void Keypad::setDisplayForm(DisplayForm form) {
    displayForm_ = form;
    // Only a number is shown again: before any answer, or after a failure, there is none.
    if (!expression_.isEmpty() || lastCode_ != EvalError::None || isBlank(answer_)) return;
    const auto value = readNumber(answer_);
    if (!value) return;
    show(form == DisplayForm::Scientific ? scientificText(*value) : standardText(*value));
}

void Keypad::append(const QString& text) {
    expression_ += text;
    showExpression();
}

void Keypad::appendWithProduct(const QString& text) {
    if (!expression_.isEmpty()) {
        const QChar last = expression_.back();
        if (last != QLatin1Char('(') && last != QLatin1Char('-') && last != QLatin1Char(' '))
            expression_ += QStringLiteral(" * ");
    }
    append(text);
}

void Keypad::answerFirst() {
    if (isBlank(expression_)) ans();
}

void Keypad::ans() {
    if (lastCode_ == EvalError::None) expression_ += answer_.trimmed();
    showExpression();
}

void Keypad::show(const QString& text, bool message) {
    display_ = text;
    displayIsMessage_ = message;
    if (onDisplay) onDisplay(display_);
}

void Keypad::beep() {
    if (onBeep) onBeep();
}

void Keypad::erase() {
    if (expression_.isEmpty()) return;
    const QChar last = expression_.back();
    if (last != QLatin1Char(' ')) {
        expression_.chop(1);
    } else if (expression_.size() >= 2 &&
               QStringLiteral("*+/-^").contains(expression_[expression_.size() - 2])) {
        expression_.chop(3);
    } else {
        // A function code and its space ("sin ", "invSIN "): back to the space or "(" before it.
        qsizetype k = expression_.size() - 2;
        while (k >= 0 && expression_[k] != QLatin1Char(' ') && expression_[k] != QLatin1Char('('))
            --k;
        expression_.truncate(k + 1);
    }
    showExpression();
}

void Keypad::exe() {
    lastCode_ = EvalError::None;
    const QString copy = expression_;
    expression_ = kBusyText;
    show(expression_, true);

    QString text = copy;
    EvalError code = EvalError::None;
    calcul(text, code, angleMode_);
    QString shown;
    switch (code) {
        case EvalError::None:
            if (const auto value = readNumber(text)) {
                shown = displayForm_ == DisplayForm::Scientific ? scientificText(*value)
                                                                : standardText(*value);
            } else {
                // A number that cannot be shown is a failure like the others: ANS and the
                // chained operators must not take the message for an answer.
                shown = kOverflowText;
                code = EvalError::Failed;
            }
            break;
        case EvalError::Failed:
            shown = kImpossibleText;
            break;
        case EvalError::Parentheses:
            shown = kParenthesesText;
            break;
        case EvalError::Operators:
            shown = kOperatorsText;
            break;
    }
    lastCode_ = code;
    if (code != EvalError::None) beep();
    show(shown, code != EvalError::None);
    answer_ = shown;
    expression_ = code == EvalError::None ? QString() : copy;
}

void Keypad::addToMemory(double sign) {
    const auto value = readNumber(display_);
    if (!value) return;
    const double sum = memory_.value + sign * *value;
    if (std::isfinite(sum)) memory_.value = sum;
}

}  // namespace ondalis::calculator
