#include "recording/tableexport.h"

#include <QLocale>
#include <charconv>

#include "platform/core/recordfile.h"
#include "recording/recordedtable.h"
#include "simulation/parameters.h"

namespace ondalis {

namespace {

template <typename T>
QString shortestText(T v) {
    if (v == 0) return QStringLiteral("0");  // also -0
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QStringList headerCells() {
    QStringList cells;
    for (const ExportColumn& c : exportColumns())
        cells << QStringLiteral("%1 (%2)").arg(c.name, c.unit);
    return cells;
}

// The lines of a CSV file: the header, then the rows with `point` as the decimal mark.
QByteArray csvBytes(const ExportTable& table, QChar separator, QChar point, bool byteOrderMark) {
    QString text = headerCells().join(separator) + QStringLiteral("\r\n");
    for (const auto& row : table.rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c) text += separator;
            QString cell = row[c];
            if (point != QLatin1Char('.')) cell.replace(QLatin1Char('.'), point);
            text += cell;
        }
        text += QStringLiteral("\r\n");
    }
    QByteArray bytes = byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    return bytes + text.toUtf8();
}

// Regressi's native text file, as its reader takes it: the file sections "£N KEYWORD" each
// followed by N lines (names, kinds, units, the memo), then one page, "£1 PAGE COMMENT" with its
// comment line, whose sections are "&N KEYWORD": the values, one line per instant, separated by
// spaces, and the page's options (shown, experimental).
QByteArray regressiBytes(const ExportTable& table) {
    const auto& columns = exportColumns();
    const int n = int(columns.size());
    QStringList lines;
    lines << QStringLiteral("EVARISTE REGRESSI WINDOWS 1.0");
    lines << QStringLiteral("£%1 NOM VAR").arg(n);
    for (const ExportColumn& c : columns) lines << c.name;
    lines << QStringLiteral("£%1 GENRE VAR").arg(n);
    for (int i = 0; i < n; ++i) lines << QStringLiteral("0");
    lines << QStringLiteral("£%1 UNITE VAR").arg(n);
    for (const ExportColumn& c : columns) lines << c.unit;
    lines << QStringLiteral("£1 TRIGO") << QStringLiteral("0");
    if (!table.memo.isEmpty()) {
        lines << QStringLiteral("£%1 MEMO GRANDEURS").arg(table.memo.size());
        for (const QString& m : table.memo) lines << QLatin1Char('\'') + m;
    }
    lines << QStringLiteral("£1 PAGE COMMENT") << QStringLiteral("Ondalis");
    if (!table.rows.empty()) {
        lines << QStringLiteral("&%1 VALEUR VAR").arg(table.rows.size());
        for (const auto& row : table.rows) {
            QString line;
            for (const QString& cell : row) line += cell + QLatin1Char(' ');
            line.chop(1);
            lines << line;
        }
    }
    lines << QStringLiteral("&2 OPTIONS") << QStringLiteral("1") << QStringLiteral("1");
    return RecordFile::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QByteArray pythonBytes(const ExportTable& table) {
    QString text = QStringLiteral("# Ondalis : mouvement de l'oscillateur, %1 instants\n")
                       .arg(table.rows.size());
    for (const QString& m : table.memo) text += QStringLiteral("# ") + m + QLatin1Char('\n');
    text += QLatin1Char('\n') + pythonFragment(table);
    text += QStringLiteral(
        "\n# Tracé de x en fonction de t (ôter les # des lignes suivantes) :\n"
        "# import matplotlib.pyplot as plt\n"
        "# plt.plot(t, x)\n"
        "# plt.xlabel(\"t (s)\")\n"
        "# plt.ylabel(\"x (cm)\")\n"
        "# plt.grid(True)\n"
        "# plt.show()\n");
    return text.toUtf8();
}

}  // namespace

const std::array<ExportColumn, 7>& exportColumns() {
    static const std::array<ExportColumn, 7> columns{{
        {QStringLiteral("t"), QStringLiteral("s"), QStringLiteral("temps")},
        {QStringLiteral("x"), QStringLiteral("cm"), QStringLiteral("position")},
        {QStringLiteral("v"), QStringLiteral("m.s-1"), QStringLiteral("vitesse")},
        {QStringLiteral("a"), QStringLiteral("m.s-2"), QStringLiteral("accélération")},
        {QStringLiteral("Ec"), QStringLiteral("J"), QStringLiteral("énergie cinétique")},
        {QStringLiteral("Epe"), QStringLiteral("J"),
         QStringLiteral("énergie potentielle élastique")},
        {QStringLiteral("Em"), QStringLiteral("J"), QStringLiteral("énergie mécanique")},
    }};
    return columns;
}

ExportTable recordedExport(const RecordedSamples& samples) {
    ExportTable table;
    table.rows.reserve(samples.size());
    const QString point = QLocale().decimalPoint();
    for (const MotionSample& s : samples) {
        const QStringList texts = tableRowTexts(s);
        std::array<QString, 7> row;
        for (size_t c = 0; c < row.size(); ++c) {
            row[c] = texts[int(c)];
            if (point != QStringLiteral(".")) row[c].replace(point, QStringLiteral("."));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

ExportTable denseExport(const MotionConstants& constants, const OscillatorParameters& p,
                        double duration, int points) {
    ExportTable table;
    if (points < 2) points = 2;
    table.rows.reserve(size_t(points));
    MotionSample s;
    for (int k = 0; k < points; ++k) {
        const double t = duration * k / (points - 1);
        s = sampleMotion(constants, p, t, s);
        table.rows.push_back({shortestText(t), shortestText(s.x), shortestText(s.v),
                              shortestText(s.a), shortestText(s.ec), shortestText(s.epe),
                              shortestText(s.em)});
    }
    return table;
}

QStringList motionMemo(const OscillatorParameters& p, Regime regime, double duration) {
    return {QStringLiteral("m = %1 g").arg(parameterText(p.m)),
            QStringLiteral("k = %1 N/m").arg(parameterText(p.k)),
            QStringLiteral("h = %1 N.s/m").arg(parameterText(p.h)),
            QStringLiteral("x0 = %1 cm").arg(parameterText(p.x0)),
            QStringLiteral("régime : %1").arg(regimeName(regime)),
            QStringLiteral("durée de l'enregistrement : %1 s").arg(parameterText(float(duration)))};
}

QString headedTableText(const RecordedSamples& samples) {
    QString text = headerCells().join(QLatin1Char('\t'));
    for (const MotionSample& s : samples)
        text += QLatin1Char('\n') + tableRowTexts(s).join(QLatin1Char('\t'));
    return text;
}

QString pythonFragment(const ExportTable& table) {
    QString text = QStringLiteral("import numpy as np\n");
    const auto& columns = exportColumns();
    for (size_t c = 0; c < columns.size(); ++c) {
        text += QStringLiteral("\n# %1 : %2 (%3)\n%1 = np.array([")
                    .arg(columns[c].name, columns[c].meaning, columns[c].unit);
        for (size_t r = 0; r < table.rows.size(); ++r) {
            if (r) text += r % 10 == 0 ? QStringLiteral(",\n    ") : QStringLiteral(", ");
            text += table.rows[r][c];
        }
        text += QStringLiteral("], dtype=float)\n");
    }
    return text;
}

QByteArray tableFileBytes(const ExportTable& table, TableFormat format) {
    switch (format) {
        case TableFormat::CsvFrench:
            return csvBytes(table, QLatin1Char(';'), QLatin1Char(','), true);
        case TableFormat::CsvInternational:
            return csvBytes(table, QLatin1Char(','), QLatin1Char('.'), false);
        case TableFormat::Regressi:
            return regressiBytes(table);
        case TableFormat::Python:
            return pythonBytes(table);
    }
    return {};
}

QString tableFormatFilter(TableFormat format) {
    switch (format) {
        case TableFormat::CsvFrench:
            return QStringLiteral("CSV pour un tableur en français (;)|*.csv");
        case TableFormat::CsvInternational:
            return QStringLiteral("CSV international (,)|*.csv");
        case TableFormat::Regressi:
            return QStringLiteral("Regressi|*.RW3");
        case TableFormat::Python:
            return QStringLiteral("Python (numpy)|*.py");
    }
    return {};
}

QString tableFormatSuffix(TableFormat format) {
    switch (format) {
        case TableFormat::CsvFrench:
        case TableFormat::CsvInternational:
            return QStringLiteral("csv");
        case TableFormat::Regressi:
            return QStringLiteral("RW3");
        case TableFormat::Python:
            return QStringLiteral("py");
    }
    return {};
}

}  // namespace ondalis
