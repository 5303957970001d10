#include "calculator/evaluator.h"

#include <QChar>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/numbertext.h"

namespace ondalis::calculator {

namespace {

// The steps work on plain UTF-16 strings; `calcul` converts once at each end.
using Text = std::u16string;
using TextView = std::u16string_view;

[[noreturn]] void fail(const char* why) { throw EvalFailure(why); }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isOperatorChar(char16_t c) {
    return c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'^';
}
bool isSignChar(char16_t c) { return c == u'+' || c == u'-'; }
bool isExponentMarker(char16_t c) { return c == u'E' || c == u'D'; }

Text toText(const QString& s) {
    return Text(reinterpret_cast<const char16_t*>(s.utf16()), std::size_t(s.size()));
}
QString fromText(const Text& t) {
    return QString(reinterpret_cast<const QChar*>(t.data()), qsizetype(t.size()));
}
QStringView viewOf(TextView t) { return QStringView(t.data(), qsizetype(t.size())); }

// A text being rewritten from left to right, by insertions and replacements at and just after
// the current position. The characters before it are in `done_`; the few that were changed at
// or after it wait in `pending_`, and the rest are read from the source as they are. at(k) is
// the character k places after the current one (0 beyond the end), before(k) the one k places
// before it.
class Cursor {
public:
    explicit Cursor(const Text& source) : source_(source) {
        done_.reserve(source.size() + source.size() / 2 + 4);
    }

    bool atEnd() const { return pending_.empty() && next_ == source_.size(); }
    std::size_t remaining() const { return pending_.size() + (source_.size() - next_); }
    std::size_t position() const { return done_.size() + 1; }  // 1-based
    char16_t at(std::size_t k) const {
        if (k < pending_.size()) return pending_[k];
        const std::size_t index = next_ + (k - pending_.size());
        return index < source_.size() ? source_[index] : char16_t(0);
    }
    char16_t before(std::size_t k = 1) const {
        return k <= done_.size() ? done_[done_.size() - k] : char16_t(0);
    }
    bool matches(std::size_t k, TextView s) const {
        for (std::size_t i = 0; i < s.size(); ++i)
            if (at(k + i) != s[i]) return false;
        return true;
    }
    // Replaces the `count` characters from offset k (clipped at the end) by `by`.
    void replace(std::size_t k, std::size_t count, TextView by) {
        if (k > remaining()) return;
        count = std::min(count, remaining() - k);
        while (pending_.size() < k + count) pending_.push_back(source_[next_++]);
        pending_.replace(k, count, by);
    }
    void advance(std::size_t n = 1) {
        const std::size_t fromPending = std::min(n, pending_.size());
        done_.append(pending_, 0, fromPending);
        pending_.erase(0, fromPending);
        n = std::min(n - fromPending, source_.size() - next_);
        done_.append(source_, next_, n);
        next_ += n;
    }
    // Moves on over at most `limit` characters for which `skip` holds.
    template <typename Skip>
    void advanceWhile(Skip skip, std::size_t limit) {
        while (limit > 0 && !pending_.empty() && skip(pending_[0])) {
            advance();
            --limit;
        }
        if (!pending_.empty()) return;
        std::size_t end = next_;
        const std::size_t stop = std::min(source_.size(), next_ + limit);
        while (end < stop && skip(source_[end])) ++end;
        done_.append(source_, next_, end - next_);
        next_ = end;
    }
    Text finish() {
        done_ += pending_;
        done_.append(source_, next_, Text::npos);
        return std::move(done_);
    }

private:
    const Text& source_;
    std::size_t next_ = 0;
    Text pending_;
    Text done_;
};

// The function codes, in the order of `Code`.
constexpr TextView kCodes[] = {u"COS", u"SIN", u"TAN", u"ICO", u"ISI",
                               u"ITA", u"LOG", u"LON", u"EXP", u"SQR"};
enum Code { Cos, Sin, Tan, Ico, Isi, Ita, Log, Lon, Exp, Sqr };

// The function code (a Code) starting at 0-based index i, or -1.
int codeAt(const Text& t, std::size_t i) {
    if (i + 3 > t.size()) return -1;
    const char16_t first = t[i];
    if (first != u'C' && first != u'S' && first != u'T' && first != u'I' && first != u'L' &&
        first != u'E')
        return -1;
    const TextView three(t.data() + i, 3);
    for (int c = 0; c < int(std::size(kCodes)); ++c)
        if (three == kCodes[c]) return c;
    return -1;
}

void checkPositions(std::size_t size) {
    if (size > std::size_t(kMaxPosition)) fail("position beyond 32767");
}

// Upper case and no spaces.
void upperWithoutSpaces(Text& t) {
    std::size_t out = 0;
    for (const char16_t c : t) {
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')) {
            t[out++] = c;
            continue;
        }
        if (c == u' ') continue;
        if (c >= u'a' && c <= u'z')
            t[out++] = char16_t(c - (u'a' - u'A'));
        else if (c < 0x80)
            t[out++] = c;
        else
            t[out++] = QChar(c).toUpper().unicode();
    }
    t.resize(out);
}

// A "+" or "-" directly after one of these is a binary operator: its character is never merged
// with the signs that follow it.
bool endsOperand(char16_t c) { return isDigit(c) || c == u'.' || c == u')'; }

// A "(" after `prev` (itself after `prev2`) starts an operand: at the start, after "(", an
// operator, a function code or a sign, but not after a number, a ")" or an exponent marker.
bool gluedBefore(char16_t prev, char16_t prev2) {
    if (endsOperand(prev) || isExponentMarker(prev)) return true;
    return isSignChar(prev) && isExponentMarker(prev2);
}
// A ")" followed by `next` ends an operand only before an operator, another ")" or the end.
bool gluedAfter(char16_t next) { return !(next == 0 || next == u')' || isOperatorChar(next)); }

// One sweep of sign merging: at each position the pairs "--", "+-", "-+", "++" are replaced in
// that order by "+", "-", "-", "+", unless the character there is an operator written after an
// operand ("5--3" keeps "5 -" and merges only what follows). Returns whether anything changed.
// The text only shrinks, so it is rewritten in place.
bool mergeSigns(Text& t) {
    const std::size_t n = t.size();
    std::size_t w = 0, r = 0;
    while (r < n) {
        char16_t current = t[r++];
        if (!endsOperand(w > 0 ? t[w - 1] : char16_t(0))) {
            const auto merge = [&](char16_t a, char16_t b, char16_t by) {
                if (current == a && r < n && t[r] == b) {
                    current = by;
                    ++r;
                }
            };
            merge(u'-', u'-', u'+');
            merge(u'+', u'-', u'-');
            merge(u'-', u'+', u'-');
            merge(u'+', u'+', u'+');
        }
        t[w++] = current;
    }
    t.resize(w);
    return w != n;
}

// One sweep of dropping the parentheses around a bare number: "(" then an optional sign, then
// digits and points, then ")". They stay when dropping them would glue the number to what is
// outside ("(5)4", "2(5)", "1E(5)"), so that the operand check reports it. A "(" followed by a
// number running to the end of the text is a failure. Returns whether anything changed.
bool unwrapNumbers(Text& t) {
    const std::size_t n = t.size();
    std::size_t w = 0, r = 0;
    while (r < n) {
        if (t[r] == u'(') {
            bool removed = false;
            for (std::size_t j = 1;; ++j) {
                if (r + j >= n) {
                    if (j > 1) fail("unclosed parenthesis");
                    break;
                }
                const char16_t ch = t[r + j];
                if (ch == u')' && j > 1) {
                    const char16_t prev = w > 0 ? t[w - 1] : char16_t(0);
                    const char16_t prev2 = w > 1 ? t[w - 2] : char16_t(0);
                    const char16_t next = r + j + 1 < n ? t[r + j + 1] : char16_t(0);
                    if (!gluedBefore(prev, prev2) && !gluedAfter(next)) {
                        for (std::size_t k = r + 1; k < r + j; ++k) t[w++] = t[k];
                        r += j + 1;
                        removed = true;
                    }
                    break;
                }
                if (!(ch == u'.' || isDigit(ch) || (j == 1 && isSignChar(ch)))) break;
            }
            if (removed) continue;
        }
        t[w++] = t[r++];
    }
    t.resize(w);
    return w != n;
}

// First letters of the function codes and of "INV" and "LN" ("Ù" is the upper case of "ù").
bool startsCode(char16_t c) {
    if (c < u'C' || c > u'T') return c == u'Ù' || c == u'ù';
    return c == u'S' || c == u'L' || c == u'C' || c == u'T' || c == u'I' || c == u'E';
}

// Spaces a text that is already in upper case and without spaces.
void spaceOut(Text& t) {
    if (!t.empty() && t[0] == u'+') t.erase(0, 1);
    t.insert(t.begin(), u' ');
    t.push_back(u' ');
    const std::size_t n = 3 * t.size();
    checkPositions(n);

    Cursor c(t);
    while (c.position() <= n && !c.atEnd()) {
        const char16_t first = c.at(0);
        if (isOperatorChar(first)) {
            // A "+" or "-" after "(", a space (start, operator, function code) or an exponent
            // marker is a sign and stays attached to what follows.
            const char16_t prev = c.before();
            const bool signPlace = isExponentMarker(prev) || prev == u'(' || prev == u' ';
            if (isSignChar(first) && signPlace) {
                c.advance();
            } else {
                const char16_t spaced[] = {u' ', first, u' '};
                c.replace(0, 1, TextView(spaced, 3));
                c.advance(2);
            }
            continue;
        }
        if (!startsCode(first)) {
            // Nothing to do on digits, points, parentheses and other letters.
            c.advanceWhile([](char16_t ch) { return !startsCode(ch) && !isOperatorChar(ch); },
                           n + 1 - c.position());
            continue;
        }
        // The code rules, in their order; each needs its own first letter, and none changes
        // the three letters that another one would look at.
        char16_t letter = first;
        if (letter == u'ù' || letter == u'Ù') {
            c.replace(0, 1, u"SQR");
            letter = u'S';
        }
        const auto spaceAfterCode = [&c] { c.replace(3, 0, u" "); };
        switch (letter) {
            case u'S':
                if (c.matches(0, u"SQR") || c.matches(0, u"SIN")) spaceAfterCode();
                break;
            case u'L':
                if (c.matches(0, u"LN"))
                    c.replace(1, 1, u"ON ");
                else if (c.matches(0, u"LON") || c.matches(0, u"LOG"))
                    spaceAfterCode();
                break;
            case u'C':
                if (c.matches(0, u"COS")) spaceAfterCode();
                break;
            case u'T':
                if (c.matches(0, u"TAN")) spaceAfterCode();
                break;
            case u'E':
                if (c.matches(0, u"EXP")) spaceAfterCode();
                break;
            default:  // 'I'
                if (c.matches(0, u"ISI") || c.matches(0, u"ITA") || c.matches(0, u"ICO")) {
                    spaceAfterCode();
                } else if (c.matches(0, u"INV")) {
                    c.replace(1, 2, {});
                    if (c.remaining() > 3) c.replace(3, 1, u" ");
                }
                break;
        }
        c.advance();
    }
    t = c.finish();
}

void espaceurText(Text& t) {
    upperWithoutSpaces(t);
    spaceOut(t);
}

void normaliseText(Text& t) {
    upperWithoutSpaces(t);
    checkPositions(t.size());
    for (bool changed = true; changed;) {
        changed = mergeSigns(t);
        if (!t.empty() && t[0] == u'+') {
            t.erase(0, 1);
            changed = true;
        }
        if (unwrapNumbers(t)) changed = true;
    }
    spaceOut(t);
}

void controleText(const Text& t, EvalError& error) {
    const auto at = [&t](std::size_t k) -> char16_t {  // 1-based, 0 outside
        return k >= 1 && k <= t.size() ? t[k - 1] : char16_t(0);
    };
    // What stands before "(" or a function code must let an operand start there.
    const auto startsOperand = [&at](std::size_t k) {
        const char16_t prev = at(k - 1);
        return prev == 0 || prev == u' ' || prev == u'(' ||
               (isSignChar(prev) && !isExponentMarker(at(k - 2)));
    };
    std::size_t opens = 0, closes = 0;
    bool operators = false;
    for (std::size_t k = 1; k <= t.size(); ++k) {
        const char16_t ch = at(k);
        if (ch == u'(') {
            ++opens;
            if (!startsOperand(k)) operators = true;
        } else if (ch == u')') {
            ++closes;
            const char16_t next = at(k + 1);
            if (next != 0 && next != u')' && next != u' ') operators = true;
        } else if (ch == u'*' || ch == u'/' || ch == u'^') {
            if (at(k + 2) == u' ') operators = true;
        } else if (codeAt(t, k - 1) >= 0 && !startsOperand(k)) {
            operators = true;
        }
    }
    if (operators) error = EvalError::Operators;
    if (opens != closes) error = EvalError::Parentheses;
}

void compteurText(const Text& t, PendingCounts& counts) {
    checkPositions(t.size());
    counts = PendingCounts{};
    for (std::size_t a = 0; a < t.size(); ++a) {
        if (t[a] == u'(') ++counts.parentheses;
        if (t[a] == u' ' && a + 2 < t.size() && isOperatorChar(t[a + 1]) && t[a + 2] == u' ')
            ++counts.operators;
        if (codeAt(t, a) >= 0) ++counts.functions;
    }
}

double degreeFactor() { return 4 * std::atan(1.0) / 180; }
double radianToDegree() { return 180 / (4 * std::atan(1.0)); }

double arcSine(double x) {
    if (x == 1) return 2 * std::atan(1.0);
    if (x == -1) return -2 * std::atan(1.0);
    if (std::fabs(x) > 1) fail("arc sine beyond 1");
    return std::atan(x / std::sqrt(1 - x * x));
}

// SIN, COS and TAN of a whole number of right angles in degrees, exactly as a pupil knows
// them (sin 180 = 0, cos 90 = 0), rather than through an approximation of pi; the tangent of
// an odd number of right angles does not exist. nullopt when x is not such a multiple.
std::optional<double> rightAngleValue(int code, double x) {
    if (code != Sin && code != Cos && code != Tan) return std::nullopt;
    if (std::fmod(x, 90.0) != 0) return std::nullopt;
    // fmod is exact: the remainder is a whole number of right angles, -3 to 3.
    const int quarter = (int(std::fmod(x, 360.0) / 90) + 4) % 4;
    static constexpr double kSines[] = {0, 1, 0, -1};
    switch (code) {
        case Sin:
            return kSines[quarter];
        case Cos:
            return kSines[(quarter + 1) % 4];
        default:
            if (quarter % 2 == 1) fail("tangent of an odd number of right angles");
            return 0.0;
    }
}

double applyFunction(int code, double x, AngleMode mode) {
    const bool degrees = mode == AngleMode::Degrees;
    if (degrees) {
        if (const auto exact = rightAngleValue(code, x)) return *exact;
    }
    const double angle = degrees ? x * degreeFactor() : x;
    const double toUnit = degrees ? radianToDegree() : 1.0;
    double r = 0;
    switch (code) {
        case Cos:
            r = std::cos(angle);
            break;
        case Sin:
            r = std::sin(angle);
            break;
        case Tan:
            r = std::tan(angle);
            break;
        case Ico:
            r = (2 * std::atan(1.0) - arcSine(x)) * toUnit;
            break;
        case Isi:
            r = arcSine(x) * toUnit;
            break;
        case Ita:
            r = std::atan(x) * toUnit;
            break;
        case Log:
            if (x <= 0) fail("logarithm of a non-positive number");
            r = std::log(x) / std::log(10.0);
            break;
        case Lon:
            if (x <= 0) fail("logarithm of a non-positive number");
            r = std::log(x);
            break;
        case Exp:
            r = std::exp(x);
            break;
        default:  // Sqr
            if (x < 0) fail("square root of a negative number");
            r = std::sqrt(x);
            break;
    }
    if (!std::isfinite(r)) fail("function overflow");
    return r;
}

double readOperand(TextView text) {
    if (!isCompleteNumber(viewOf(text))) fail("operand is not a number");
    const auto value = readNumber(viewOf(text));
    if (!value) fail("number beyond the double range");
    return *value;
}

void evalfonctionsText(Text& t, PendingCounts& counts, AngleMode mode) {
    // 1-based positions as in the description: i is where the code starts.
    std::size_t i = 2;
    while (i < t.size() && counts.functions > 0) {
        const int code = codeAt(t, i - 1);
        if (code >= 0 && i + 4 <= t.size()) {
            const std::size_t begin = i + 3;  // 0-based index of the argument
            std::size_t end = t.find_first_of(u") ", begin + 1);
            if (end == Text::npos) end = t.size();
            const TextView argument(t.data() + begin, end - begin);
            if (isCompleteNumber(viewOf(argument))) {
                const double value = applyFunction(code, readOperand(argument), mode);
                const Text result = toText(generalNumberText(value));
                t.replace(i - 1, end - (i - 1), result);
                --counts.functions;
                // Only a code whose argument started where this one stood can have changed:
                // it is at most six places back ("SIN -" then this code).
                i = i > 8 ? i - 6 : 2;
                continue;
            }
        }
        ++i;
    }
}

void evaloperateursText(Text& t, PendingCounts& counts);

// Puts `number`, the value of the piece t[open..close], in its place when `t` is in normal form
// and the piece stands after a space, itself after a binary operator that follows an operand,
// after a function code or at the start, and before a space or a ")". Normalising the whole text
// would then change nothing but the piece itself (no sign meets another, no parenthesis comes to
// enclose a bare number, the spacing around it stays), so this gives the same text as replacing and
// normalising, in the time of the replacement. Returns false, changing nothing, otherwise.
// Not for a text where a "ù" waits beyond the reach of the last spacing.
bool putNumberInPlace(Text& t, std::size_t open, std::size_t close, const Text& number) {
    if (open == 0 || t[open - 1] != u' ' || close + 1 >= t.size() ||
        (t[close + 1] != u' ' && t[close + 1] != u')'))
        return false;
    if (number.empty() || number[0] == u'+') return false;
    const bool afterOperator =
        open >= 4 && isOperatorChar(t[open - 2]) && t[open - 3] == u' ' && endsOperand(t[open - 4]);
    const bool afterCode = open >= 4 && codeAt(t, open - 4) >= 0;
    if (open != 1 && !afterOperator && !afterCode) return false;
    // Beyond this the position check of the spacing could fail.
    if (3 * (t.size() - (close - open + 1) + number.size()) > std::size_t(kMaxPosition))
        return false;
    t.replace(open, close - open + 1, number);
    return true;
}

bool hasSquareRootLetter(const Text& t) {
    return std::any_of(t.begin(), t.end(), [](char16_t c) { return c == u'ù' || c == u'Ù'; });
}

void evalparenthesesText(Text& t, PendingCounts& counts, AngleMode) {
    // The shortcut needs a text that came out of normaliseText, which this loop provides from
    // its second round on, and no pending "ù".
    bool shortcut = false;
    for (;;) {
        const std::size_t open = t.rfind(u'(');
        if (open == Text::npos) return;
        const std::size_t close = t.find(u')', open + 1);
        if (close == Text::npos) fail("unclosed parenthesis");
        Text inner = t.substr(open + 1, close - open - 1);
        if (std::any_of(inner.begin(), inner.end(),
                        [](char16_t c) { return c >= u'F' && c <= u'Y'; }))
            return;  // a function inside is reduced first
        normaliseText(inner);
        evaloperateursText(inner, counts);
        // The piece must have become a single number: anything else put back without its
        // parentheses would change the meaning of what surrounds it.
        const std::size_t first = inner.find_first_not_of(u' ');
        const std::size_t last = inner.find_last_not_of(u' ');
        if (first == Text::npos) fail("empty parentheses");
        const Text number = inner.substr(first, last - first + 1);
        if (!isCompleteNumber(viewOf(number))) fail("parenthesised piece is not a number");
        --counts.parentheses;
        if (!shortcut || !putNumberInPlace(t, open, close, number)) {
            t.replace(open, close - open + 1, inner);
            normaliseText(t);
            shortcut = !hasSquareRootLetter(t);
        }
        if (counts.parentheses <= 0) return;
    }
}

double operate(char16_t op, double a, double b) {
    double r = 0;
    switch (op) {
        case u'^':
            if (a < 0 && b != std::floor(b)) fail("negative number to a fractional power");
            if (a == 0 && b < 0) fail("division by zero");
            r = std::pow(a, b);
            break;
        case u'/':
            if (b == 0) fail("division by zero");
            r = a / b;
            break;
        case u'*':
            r = a * b;
            break;
        case u'-':
            r = a - b;
            break;
        default:
            r = a + b;
            break;
    }
    if (!std::isfinite(r)) fail("overflow");
    return r;
}

void evaloperateursText(Text& t, PendingCounts& counts) {
    normaliseText(t);
    constexpr char16_t kOrder[] = {u'^', u'/', u'*', u'-', u'+'};
    // A result never contains an operator, so once an operator is used up no operation brings
    // it back, and the next occurrence of the current one cannot start before the operation
    // just done: resuming there is the same as rescanning from the start.
    std::size_t from = 2;  // 0-based index of the space before the operator
    for (const char16_t op : kOrder) {
        for (;;) {
            std::size_t p = from;
            while (p + 2 < t.size() && !(t[p] == u' ' && t[p + 1] == op && t[p + 2] == u' ')) ++p;
            if (p + 2 >= t.size()) break;
            // Left operand: back from the character before its last one to the nearest space.
            const std::size_t space = p >= 2 ? t.rfind(u' ', p - 2) : Text::npos;
            const std::size_t leftBegin = space == Text::npos ? 0 : space + 1;
            const std::size_t rightBegin = p + 3;
            const std::size_t rightEnd = t.find(u' ', p + 4);
            if (rightEnd == Text::npos) fail("operand runs to the end");
            const double a = readOperand(TextView(t.data() + leftBegin, p - leftBegin));
            const double b = readOperand(TextView(t.data() + rightBegin, rightEnd - rightBegin));
            const Text result = toText(generalNumberText(operate(op, a, b)));
            t.replace(leftBegin, rightEnd - leftBegin, result);
            --counts.operators;
            if (counts.operators < 1) return;
            from = std::max<std::size_t>(2, leftBegin >= 3 ? leftBegin - 3 : 0);
        }
        from = 2;
    }
}

}  // namespace

void normalise(QString& text) {
    Text t = toText(text);
    normaliseText(t);
    text = fromText(t);
}

void espaceur(QString& text) {
    Text t = toText(text);
    espaceurText(t);
    text = fromText(t);
}

void controle(const QString& text, EvalError& error) { controleText(toText(text), error); }

void compteur(const QString& text, PendingCounts& counts) { compteurText(toText(text), counts); }

void evalfonctions(QString& text, PendingCounts& counts, AngleMode mode) {
    Text t = toText(text);
    evalfonctionsText(t, counts, mode);
    text = fromText(t);
}

void evalparentheses(QString& text, PendingCounts& counts, AngleMode mode) {
    Text t = toText(text);
    evalparenthesesText(t, counts, mode);
    text = fromText(t);
}

void evaloperateurs(QString& text, PendingCounts& counts) {
    Text t = toText(text);
    evaloperateursText(t, counts);
    text = fromText(t);
}

void calcul(QString& text, EvalError& error, AngleMode mode) {
    error = EvalError::None;
    try {
        Text t = toText(text);
        normaliseText(t);
        controleText(t, error);
        if (error != EvalError::None) {
            text = fromText(t);
            return;
        }
        PendingCounts counts;
        compteurText(t, counts);
        Text saved;
        for (int pass = 1;; ++pass) {
            if (t == saved) normaliseText(t);
            saved = t;
            if (pass > kMaxPasses) {
                error = EvalError::Failed;
                return;
            }
            if (counts.functions > 0) {
                evalfonctionsText(t, counts, mode);
                normaliseText(t);
            }
            if (counts.parentheses > 0) evalparenthesesText(t, counts, mode);
            compteurText(t, counts);
            if (counts.functions > 0 || counts.parentheses > 0) continue;
            if (counts.operators > 0) evaloperateursText(t, counts);
            compteurText(t, counts);
            if (counts.operators > 0) continue;

            const std::size_t first = t.find_first_not_of(u' ');
            const std::size_t last = t.find_last_not_of(u' ');
            t = first == Text::npos ? Text() : t.substr(first, last - first + 1);
            // The result must be one number as written; the caller reads it (and reports a
            // value beyond the double range, such as a typed 1E400, itself).
            if (!isCompleteNumber(viewOf(t))) error = EvalError::Failed;
            text = fromText(t);
            return;
        }
    } catch (const std::exception&) {
        error = EvalError::Failed;
    }
}

}  // namespace ondalis::calculator
