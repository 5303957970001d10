// The exercise pack as built: each text's numbers are the program's own results for its
// configuration. pack/valeurs.txt lists every number each text states and where it comes
// from; the motion code computes each one again, and the numbers written in the text must be
// exactly those listed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextStream>
#include <cmath>
#include <numbers>

#include "configfile/configuration.h"
#include "exercises/exerciseindex.h"
#include "platform/core/filepaths.h"
#include "platform/core/numberformat.h"
#include "platform/core/recordfile.h"
#include "platform/richtext/rtfreader.h"
#include "platform/widgets/richtextpane.h"
#include "recording/recordingsettings.h"
#include "recording/widgets/valuetable.h"
#include "simulation/clock.h"
#include "simulation/motion.h"
#include "simulation/parameters.h"

namespace ondalis::testing {
namespace {

const QString packFolder = withTrailingSeparator(QStringLiteral(ONDALIS_PACK_DIR));

struct Entry {
    QString number;  // as the text writes it; empty for a regime
    QString source;  // the rest of the line
    int line;
};

struct Block {
    QString text, configuration;
    std::vector<Entry> entries;
};

std::vector<Block> readValues() {
    std::vector<Block> blocks;
    QFile file(QStringLiteral(ONDALIS_PACK_VALUES));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    int number = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++number;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype end = line.indexOf(QLatin1Char(']'));
            blocks.push_back({line.mid(1, end - 1), line.mid(end + 1).trimmed(), {}});
            continue;
        }
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        if (line.startsWith(QLatin1String("regime ")))
            blocks.back().entries.push_back({QString(), line, number});
        else
            blocks.back().entries.push_back(
                {line.left(space), line.mid(space + 1).simplified(), number});
    }
    return blocks;
}

QString plainTextOfRtf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QTextDocument document;
    rtf::read(file.readAll(), document);
    return plainTextOf(document);
}

// The parameters and the duration a number is computed for: the configuration's, with the
// changes "F=V" of the entry.
struct Situation {
    std::array<QString, 4> texts;
    float duration = 5;

    OscillatorParameters parameters() const {
        std::array<QString, 4> valid;
        for (int i = 0; i < 4; ++i) valid[i] = validatedParameterText(i, texts[i]);
        return parametersFromTexts(valid);
    }
};

const QStringList fieldNames = {"x0", "m", "k", "h"};
const QStringList columnNames = {"t", "x", "v", "a", "Ec", "Epe", "Em"};

struct Evaluation {
    std::optional<double> value;  // a number computed
    QString text;                 // its text as the text must write it
    QString error;
};

class Evaluator {
public:
    explicit Evaluator(const Situation& base) : base_(base) {}

    // "SOURCE [F=V ...]", or "fois N SOURCE", or "rapport A / B".
    Evaluation evaluate(QString source) const {
        if (source.startsWith(QLatin1String("rapport "))) {
            const QStringList sides = source.mid(8).split(QStringLiteral(" / "));
            if (sides.size() != 2) return fail("rapport A / B");
            const Evaluation a = evaluate(sides[0]), b = evaluate(sides[1]);
            if (!a.value || !b.value) return fail(a.error + b.error);
            return number(*a.value / *b.value);
        }
        QStringList words = source.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() >= 3 && words[0] == QLatin1String("fois")) {
            const double factor = readLenientNumber(QString(words[1]).replace(',', '.'));
            const Evaluation e = evaluate(words.mid(2).join(QLatin1Char(' ')));
            return e.value ? number(factor * *e.value) : e;
        }
        Situation s = base_;
        QStringList arguments;
        for (const QString& w : words.mid(1)) {
            const qsizetype equals = w.indexOf(QLatin1Char('='));
            if (equals < 0) {
                arguments << w;
                continue;
            }
            const qsizetype field = fieldNames.indexOf(w.left(equals));
            if (field < 0) return fail("unknown field " + w);
            s.texts[field] = w.mid(equals + 1);
        }
        return evaluate(words.value(0), arguments, s);
    }

private:
    static Evaluation fail(const QString& why) { return {std::nullopt, QString(), why}; }
    static Evaluation number(double v) { return {v, formatThreeSignificant(v), QString()}; }

    static Evaluation evaluate(const QString& kind, const QStringList& args, const Situation& s) {
        const OscillatorParameters p = s.parameters();
        const MotionConstants c = computeMotionConstants(p);
        const auto sampleAt = [&](int n) {
            return sampleMotion(c, p, samplingInstant(s.duration, n));
        };
        const auto instant = [&](int index) { return args.value(index).toInt(); };
        const bool oscillates = c.regime == Regime::Undamped || c.regime == Regime::Underdamped;
        // The speed is largest where the acceleration first vanishes; on the first half swing
        // it changes sign once.
        const auto largestSpeedInstant = [&] {
            const bool startsPositive = sampleMotion(c, p, 0).a > 0;
            double before = 0, after = std::numbers::pi / c.c2;
            for (int i = 0; i < 60; ++i) {
                const double middle = (before + after) / 2;
                ((sampleMotion(c, p, middle).a > 0) == startsPositive ? before : after) = middle;
            }
            return before;
        };
        // An instant argument: a sampling instant's number, or "tvmax".
        const auto sampleOf = [&](int index) {
            return args.value(index) == QLatin1String("tvmax")
                       ? sampleMotion(c, p, largestSpeedInstant())
                       : sampleAt(instant(index));
        };

        if (kind == QLatin1String("param")) {
            const qsizetype field = fieldNames.indexOf(args.value(0));
            if (field < 0) return fail("param x0|m|k|h");
            return {parameterValue(s.texts[field]), s.texts[field], QString()};
        }
        if (kind == QLatin1String("masse")) return number(p.m / 1000.0);
        if (kind == QLatin1String("table")) {
            const qsizetype column = columnNames.indexOf(args.value(0));
            if (column < 0 || args.size() != 2) return fail("table COLUMN INSTANT");
            const QString text = tableRowTexts(sampleAt(instant(1)))[column];
            return {parameterValue(text), text, QString()};
        }
        if (kind == QLatin1String("pulsation")) {
            if (!oscillates) return fail("no pulsation: not oscillating");
            return number(c.c2);
        }
        if (kind == QLatin1String("periode")) {
            if (!oscillates) return fail("no period: not oscillating");
            return number(2 * std::numbers::pi / c.c2);
        }
        if (kind == QLatin1String("decrement")) {
            if (c.regime != Regime::Underdamped) return fail("no decrement: not underdamped");
            return number(std::exp(c.c1 * 2 * std::numbers::pi / c.c2));
        }
        if (kind == QLatin1String("hc")) return number(2 * std::sqrt(p.k * p.m / 1000.0));
        if (kind == QLatin1String("vmax") || kind == QLatin1String("tvmax")) {
            if (!oscillates) return fail(kind + ": not oscillating");
            const double t = largestSpeedInstant();
            return number(kind == QLatin1String("tvmax") ? t : std::abs(sampleMotion(c, p, t).v));
        }
        if (kind == QLatin1String("force")) return number(-p.k * sampleOf(0).x / 100);
        if (kind == QLatin1String("frottement")) return number(-p.h * sampleOf(0).v);
        return fail("unknown source " + kind);
    }

    Situation base_;
};

// The regime as the exercise texts name it ("non amorti" where the window says "périodique").
const char* packRegimeName(Regime r) {
    switch (r) {
        case Regime::Overdamped:
            return "apériodique";
        case Regime::Critical:
            return "critique";
        case Regime::Underdamped:
            return "pseudo-périodique";
        case Regime::Undamped:
            return "non amorti";
    }
    return "";
}

QStringList numbersIn(const QString& text) {
    static const QRegularExpression number(QStringLiteral("-?[0-9]+(?:,[0-9]+)?"));
    QStringList found;
    for (auto it = number.globalMatch(text); it.hasNext();) found << it.next().captured();
    found.sort();
    return found;
}

TEST(Pack, everyNumberOfEveryTextIsTheProgramsOwnResult) {
    const std::vector<Block> blocks = readValues();
    ASSERT_GE(blocks.size(), 13u);
    for (const Block& block : blocks) {
        SCOPED_TRACE(block.text.toStdString());
        const QString text = plainTextOfRtf(packFolder + block.text);
        ASSERT_FALSE(text.isEmpty());
        ConfigurationReading reading{ConfigurationStatus::Read, Configuration()};
        if (block.configuration != QLatin1String("-"))
            reading = readConfigurationFile(packFolder + block.configuration);
        ASSERT_EQ(reading.status, ConfigurationStatus::Read) << block.configuration.toStdString();
        Situation situation{reading.configuration.parameters,
                            durationEntry(reading.configuration.durationIndex)->duration};
        const Evaluator evaluator(situation);

        QStringList listed;
        for (const Entry& e : block.entries) {
            SCOPED_TRACE("valeurs.txt line " + std::to_string(e.line));
            if (e.number.isEmpty()) {
                // "regime NAME [F=V ...]": the text names it, the motion computes it.
                QStringList words = e.source.split(QLatin1Char(' '));
                Situation s = situation;
                for (const QString& w : words.mid(2))
                    s.texts[fieldNames.indexOf(w.section('=', 0, 0))] = w.section('=', 1);
                const Regime r = computeMotionConstants(s.parameters()).regime;
                const QString name = words.value(1).replace(QLatin1Char('_'), QLatin1Char(' '));
                EXPECT_EQ(QString::fromUtf8(packRegimeName(r)), name);
                EXPECT_TRUE(text.contains(name)) << name.toStdString();
                continue;
            }
            listed << e.number;
            if (e.source == QLatin1String("literal")) continue;
            const Evaluation result = evaluator.evaluate(e.source);
            ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
            EXPECT_EQ(e.number.toStdString(), result.text.toStdString()) << e.source.toStdString();
        }
        listed.sort();
        EXPECT_EQ(numbersIn(text).join(QLatin1Char(' ')).toStdString(),
                  listed.join(QLatin1Char(' ')).toStdString());
    }
}

TEST(Pack, theCriticalFrictionOfEachTextIsCriticalForTheMotion) {
    // hc = 2·√(k·m) is exact for the pack's values, so the motion finds the critical regime
    // there, and pseudo-periodic or aperiodic motion a little below or above.
    for (const auto& [m, k] : {std::pair{"100", "10"}, std::pair{"250", "16"}}) {
        const OscillatorParameters p = parametersFromTexts({"5", m, k, "0"});
        const double hc = 2 * std::sqrt(p.k * p.m / 1000.0);
        const auto regime = [&](double h) {
            return computeMotionConstants(
                       parametersFromTexts(
                           {"5", m, k, validatedParameterText(3, formatGeneral(h))}))
                .regime;
        };
        EXPECT_EQ(regime(hc), Regime::Critical) << m;
        EXPECT_EQ(regime(hc * 0.99), Regime::Underdamped) << m;
        EXPECT_EQ(regime(hc * 1.01), Regime::Overdamped) << m;
    }
}

TEST(Pack, theIndexesNameTheirFilesAndFillThePreview) {
    QDir pack(packFolder);
    const QStringList indexes = pack.entryList({QStringLiteral("*.E41")}, QDir::Files);
    ASSERT_GE(indexes.size(), 6);
    int corrected = 0;
    for (const QString& name : indexes + QStringList{QStringLiteral("SPIREX.PEM")}) {
        SCOPED_TRACE(name.toStdString());
        const auto bytes = exercises::readIndexBytes(packFolder + name);
        ASSERT_TRUE(bytes);
        const auto files = exercises::exerciseFiles(*bytes);
        ASSERT_TRUE(files);
        for (const QString& stored : {files->statement, files->configuration, files->correctionText,
                                      files->correctionConfiguration}) {
            if (exercises::isBlank(stored)) continue;
            EXPECT_TRUE(resolveStoredName(packFolder, stored)) << stored.toStdString();
        }
        if (name.endsWith(QLatin1String(".PEM"))) continue;
        const auto preview = exercises::exercisePreview(*bytes);
        ASSERT_TRUE(preview);
        EXPECT_FALSE(preview->title.isEmpty());
        EXPECT_FALSE(preview->notions.isEmpty());
        EXPECT_GE(preview->hourglasses, 1);
        corrected += preview->corrected;
    }
    EXPECT_GE(corrected, 6);
}

}  // namespace
}  // namespace ondalis::testing
