// The value table's copies and files for Regressi, spreadsheets and Python: what they hold, and
// what the real readers (Regressi's format, python3 with numpy and pandas, LibreOffice Calc)
// make of them.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <cmath>

#include "external_readers.h"
#include "recording/recordedtable.h"
#include "recording/tableexport.h"

namespace ondalis {
namespace {

using testing::convertWithCalc;
using testing::pythonWithPandas;
using testing::runProcess;
using testing::soffice;

// A complete recording, as the window makes it: reset, start, ticks until the 51 rows.
RecordedSamples fullRecording(const OscillatorParameters& p, float duration) {
    Run run;
    run.settings().duration = duration;
    run.reset(p);
    run.start();
    for (int i = 0; i < 200000 && run.rows() < 51; ++i) run.tick(false);
    return run.samples();
}

const OscillatorParameters kUnderdamped{5, 100, 10, 1};

// What a reader gives back: the columns' names and units, then the numbers row by row.
struct ReadTable {
    QStringList names;
    QStringList units;
    std::vector<std::vector<double>> rows;
};

// The table's own numbers: its texts with the decimal comma read as a point.
std::vector<std::vector<double>> tableNumbers(const RecordedSamples& samples) {
    std::vector<std::vector<double>> rows;
    for (const MotionSample& s : samples) {
        std::vector<double> row;
        for (QString text : tableRowTexts(s)) row.push_back(text.replace(',', '.').toDouble());
        rows.push_back(row);
    }
    return rows;
}

const QStringList kNames{"t", "x", "v", "a", "Ec", "Epe", "Em"};
const QStringList kUnits{"s", "cm", "m.s-1", "m.s-2", "J", "J", "J"};

// "x (cm)" -> x, cm
void splitHeader(const QString& cell, ReadTable& table) {
    static const QRegularExpression header(QStringLiteral("^(\\S+) \\((.*)\\)$"));
    const auto m = header.match(cell);
    table.names << (m.hasMatch() ? m.captured(1) : cell);
    table.units << (m.hasMatch() ? m.captured(2) : QString());
}

ReadTable readDelimited(const QString& text, QChar separator, QChar point) {
    ReadTable table;
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.size() == 1) lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    for (const QString& cell : lines.takeFirst().split(separator)) splitHeader(cell, table);
    for (const QString& line : lines) {
        std::vector<double> row;
        for (QString cell : line.split(separator)) {
            bool ok = false;
            row.push_back(cell.replace(point, QLatin1Char('.')).toDouble(&ok));
            EXPECT_TRUE(ok) << cell.toStdString();
        }
        table.rows.push_back(row);
    }
    return table;
}

// Regressi's ".RW3" text as its reader takes it: Windows-1252 lines; the first names
// "REGRESSI WINDOWS"; file sections "£N KEYWORD" followed by N lines (NOM VAR, GENRE VAR,
// UNITE VAR, MEMO GRANDEURS …, any other skipped); "£1 PAGE COMMENT" followed by the page's
// comment line and its sections "&N KEYWORD" ("VALEUR VAR": N lines of values separated by
// spaces, "." or "," as the decimal mark).
struct Regressi : ReadTable {
    QStringList kinds;
    QStringList memo;
    QString pageComment;
};

std::optional<Regressi> readRegressi(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    const QString text = decoder.decode(bytes);
    QStringList lines = text.split(QStringLiteral("\r\n"));
    int i = 0;
    auto next = [&]() -> QString { return i < lines.size() ? lines[i++] : QString(); };
    if (!next().contains(QStringLiteral("REGRESSI WINDOWS"))) return std::nullopt;
    Regressi r;
    auto count = [](const QString& line) { return line.mid(1, line.indexOf(' ') - 1).toInt(); };
    while (i < lines.size() && lines[i].startsWith(QChar(0xA3))) {
        const QString section = next();
        const int n = count(section);
        if (section.indexOf(QStringLiteral("PAGE")) == 3) {
            r.pageComment = next();
            while (i < lines.size() && lines[i].startsWith(QLatin1Char('&'))) {
                const QString page = next();
                const int m = count(page);
                for (int k = 0; k < m; ++k) {
                    const QString line = next();
                    if (!page.contains(QStringLiteral("VALEUR VAR"))) continue;
                    std::vector<double> row;
                    for (QString v : line.split(' ', Qt::SkipEmptyParts))
                        row.push_back(v.replace(',', '.').toDouble());
                    r.rows.push_back(row);
                }
            }
            continue;
        }
        QStringList* into = section.contains(QStringLiteral("NOM VAR"))     ? &r.names
                            : section.contains(QStringLiteral("GENRE VAR")) ? &r.kinds
                            : section.contains(QStringLiteral("UNITE VAR")) ? &r.units
                            : section.contains(QStringLiteral("MEMO"))      ? &r.memo
                                                                            : nullptr;
        for (int k = 0; k < n; ++k) {
            const QString line = next();
            if (into) *into << line;
        }
    }
    return r;
}

// The Python file or fragment read as text: "name = np.array([...], dtype=float)" after a
// comment "# name : meaning (unit)".
ReadTable readPythonText(const QString& text) {
    ReadTable table;
    static const QRegularExpression array(
        QStringLiteral("# (\\w+) : [^(\\n]*\\(([^)]*)\\)\\n\\1 = np\\.array\\(\\[([^\\]]*)\\], "
                       "dtype=float\\)"));
    std::vector<std::vector<double>> columns;
    for (auto it = array.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        table.names << m.captured(1);
        table.units << m.captured(2);
        std::vector<double> column;
        for (const QString& v : m.captured(3).split(',', Qt::SkipEmptyParts))
            column.push_back(v.trimmed().toDouble());
        columns.push_back(column);
    }
    for (size_t r = 0; !columns.empty() && r < columns[0].size(); ++r) {
        std::vector<double> row;
        for (const auto& c : columns) row.push_back(r < c.size() ? c[r] : NAN);
        table.rows.push_back(row);
    }
    return table;
}

ReadTable readBack(const QByteArray& bytes, TableFormat format) {
    switch (format) {
        case TableFormat::CsvFrench:
            return readDelimited(QString::fromUtf8(bytes.mid(3)), ';', ',');
        case TableFormat::CsvInternational:
            return readDelimited(QString::fromUtf8(bytes), ',', '.');
        case TableFormat::Regressi:
            return readRegressi(bytes).value_or(Regressi{});
        case TableFormat::Python:
            return readPythonText(QString::fromUtf8(bytes));
    }
    return {};
}

class EveryFormat : public ::testing::TestWithParam<TableFormat> {};

TEST_P(EveryFormat, reads_back_as_the_tables_names_units_and_numbers) {
    const RecordedSamples samples = fullRecording(kUnderdamped, 5);
    ASSERT_EQ(samples.size(), 51u);
    ExportTable table = recordedExport(samples);
    table.memo = motionMemo(kUnderdamped, Regime::Underdamped, 5);
    const ReadTable read = readBack(tableFileBytes(table, GetParam()), GetParam());
    EXPECT_EQ(read.names, kNames);
    EXPECT_EQ(read.units, kUnits);
    EXPECT_EQ(read.rows, tableNumbers(samples));
}

TEST_P(EveryFormat, of_a_denser_set_holds_the_closed_form_motion_at_each_instant) {
    const MotionConstants c = computeMotionConstants(kUnderdamped);
    const ReadTable read =
        readBack(tableFileBytes(denseExport(c, kUnderdamped, 5, 201), GetParam()), GetParam());
    ASSERT_EQ(read.rows.size(), 201u);
    MotionSample s;
    for (int k = 0; k < 201; k += 20) {
        s = sampleMotion(c, kUnderdamped, 5.0 * k / 200, s);
        const std::vector<double> expected{s.t, s.x, s.v, s.a, s.ec, s.epe, s.em};
        const auto& row = read.rows[size_t(k)];
        ASSERT_EQ(row.size(), 7u);
        for (size_t col = 0; col < 7; ++col) {
            // Each value is written in the shortest text that reads back as the same single.
            if (col == 0)
                EXPECT_EQ(row[col], expected[col]);
            else
                EXPECT_EQ(float(row[col]), float(expected[col])) << k << " " << col;
        }
    }
    EXPECT_EQ(read.rows.back()[0], 5.0);
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat,
                         ::testing::Values(TableFormat::CsvFrench, TableFormat::CsvInternational,
                                           TableFormat::Regressi, TableFormat::Python));

TEST(TableFiles, are_encoded_and_delimited_as_each_reader_expects) {
    const RecordedSamples samples = fullRecording(kUnderdamped, 5);
    ExportTable table = recordedExport(samples);
    table.memo = motionMemo(kUnderdamped, Regime::Underdamped, 5);

    const QByteArray french = tableFileBytes(table, TableFormat::CsvFrench);
    EXPECT_TRUE(
        french.startsWith("\xEF\xBB\xBFt (s);x (cm);v (m.s-1);a (m.s-2);Ec (J);Epe (J);"
                          "Em (J)\r\n0;5;0;-5;0;0,0125;0,0125\r\n0,1;"));
    EXPECT_FALSE(french.mid(french.indexOf("\r\n")).contains('.'));

    const QByteArray international = tableFileBytes(table, TableFormat::CsvInternational);
    EXPECT_TRUE(
        international.startsWith("t (s),x (cm),v (m.s-1),a (m.s-2),Ec (J),Epe (J),Em (J)"
                                 "\r\n0,5,0,-5,0,0.0125,0.0125\r\n0.1,"));
    EXPECT_EQ(international.count("\r\n"), 52);

    // Regressi reads its file in the ANSI code page: "£" is the single byte A3 and the memo's
    // "é" the byte E9, never UTF-8.
    const QByteArray rw3 = tableFileBytes(table, TableFormat::Regressi);
    EXPECT_TRUE(
        rw3.startsWith("EVARISTE REGRESSI WINDOWS 1.0\r\n\xA3"
                       "7 NOM VAR\r\nt\r\n"));
    EXPECT_FALSE(rw3.contains("\xC2\xA3"));
    EXPECT_TRUE(rw3.contains("'r\xE9gime : pseudo-p\xE9riodique\r\n"));
    EXPECT_TRUE(rw3.contains("\r\n&51 VALEUR VAR\r\n0 5 0 -5 0 0.0125 0.0125\r\n0.1 "));
    EXPECT_TRUE(rw3.endsWith("&2 OPTIONS\r\n1\r\n1\r\n"));
    const auto regressi = readRegressi(rw3);
    ASSERT_TRUE(regressi);
    EXPECT_EQ(regressi->kinds, QStringList(7, QStringLiteral("0")));
    EXPECT_EQ(regressi->memo.first(), QStringLiteral("'m = 100 g"));
    EXPECT_EQ(regressi->memo.size(), 6);

    const QString python = QString::fromUtf8(tableFileBytes(table, TableFormat::Python));
    EXPECT_TRUE(python.contains(QStringLiteral("\n# h = 1 N.s/m\n")));
    EXPECT_TRUE(python.contains(QStringLiteral("\n# plt.plot(t, x)\n")));
}

TEST(HeadedCopy, names_each_column_with_its_unit_then_gives_the_tables_texts) {
    const RecordedSamples samples = fullRecording(kUnderdamped, 5);
    const QStringList lines = headedTableText(samples).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines[0], QStringLiteral("t (s)\tx (cm)\tv (m.s-1)\ta (m.s-2)\tEc (J)\tEpe (J)\t"
                                       "Em (J)"));
    for (size_t r = 0; r < samples.size(); ++r)
        EXPECT_EQ(lines[int(r) + 1], tableRowTexts(samples[r]).join(QLatin1Char('\t')));
    EXPECT_EQ(headedTableText({}), lines[0]);
}

TEST(DenseSets, spread_their_instants_evenly_over_the_duration) {
    for (int points : {101, 1001}) {
        const ExportTable t =
            denseExport(computeMotionConstants(kUnderdamped), kUnderdamped, 600, points);
        ASSERT_EQ(t.rows.size(), size_t(points));
        EXPECT_EQ(t.rows[1][0].toDouble(), 600.0 / (points - 1));
        EXPECT_EQ(t.rows.back()[0], QStringLiteral("600"));
    }
}

// --- The real readers.

QString writeTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

// The JSON a python script prints: {"name": [values…], …}.
std::optional<QJsonObject> runPython(const QString& script) {
    const auto r = runProcess(pythonWithPandas(), {QStringLiteral("-c"), script});
    if (!r || r->exitCode != 0) {
        ADD_FAILURE() << (r ? r->err.toStdString() : std::string("python did not finish"));
        return std::nullopt;
    }
    return QJsonDocument::fromJson(r->out).object();
}

// Python's own float() reads each number exactly; pandas' fast parser may be an ulp or two off.
void expectColumns(const QJsonObject& read, const std::vector<std::vector<double>>& rows,
                   bool exact) {
    ASSERT_EQ(read.keys().size(), 7);
    for (int c = 0; c < 7; ++c) {
        const QJsonArray column = read.value(kNames[c]).toArray();
        ASSERT_EQ(size_t(column.size()), rows.size()) << kNames[c].toStdString();
        for (size_t r = 0; r < rows.size(); ++r) {
            if (exact)
                EXPECT_EQ(column[int(r)].toDouble(), rows[r][size_t(c)]) << kNames[c].toStdString();
            else
                EXPECT_DOUBLE_EQ(column[int(r)].toDouble(), rows[r][size_t(c)])
                    << kNames[c].toStdString();
        }
    }
}

TEST(PythonReaders, run_the_file_and_its_arrays_equal_the_table) {
    if (pythonWithPandas().isEmpty()) GTEST_SKIP() << "no python3 with numpy and pandas";
    QTemporaryDir dir;
    const RecordedSamples samples = fullRecording(kUnderdamped, 5);
    ExportTable table = recordedExport(samples);
    table.memo = motionMemo(kUnderdamped, Regime::Underdamped, 5);
    const QString py = writeTemp(dir, QStringLiteral("oscillateur.py"),
                                 tableFileBytes(table, TableFormat::Python));
    const auto read =
        runPython(QStringLiteral("import json, runpy\n"
                                 "g = runpy.run_path(%1)\n"
                                 "assert all(g[n].dtype.kind == 'f' for n in %2)\n"
                                 "print(json.dumps({n: [float(v) for v in g[n]] for n in %2}))\n")
                      .arg(QStringLiteral("'%1'").arg(py),
                           QStringLiteral("['t','x','v','a','Ec','Epe','Em']")));
    ASSERT_TRUE(read);
    expectColumns(*read, tableNumbers(samples), true);
}

TEST(PythonReaders, pandas_reads_both_csv_files_as_numbers_equal_to_the_table) {
    if (pythonWithPandas().isEmpty()) GTEST_SKIP() << "no python3 with numpy and pandas";
    QTemporaryDir dir;
    const RecordedSamples samples = fullRecording(kUnderdamped, 5);
    const ExportTable table = recordedExport(samples);
    const struct {
        TableFormat format;
        const char* options;
    } files[] = {{TableFormat::CsvFrench, "sep=';', decimal=','"},
                 {TableFormat::CsvInternational, "sep=',', decimal='.'"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.options);
        const QString csv =
            writeTemp(dir, QStringLiteral("tableau.csv"), tableFileBytes(table, f.format));
        const auto read = runPython(
            QStringLiteral(
                "import json, pandas as pd\n"
                "d = pd.read_csv('%1', %2)\n"
                "assert all(k == 'f' or k == 'i' for k in (d[c].dtype.kind for c in d.columns))\n"
                "print(json.dumps({c.split(' ')[0]: [float(v) for v in d[c]] for c in "
                "d.columns}))\n")
                .arg(csv, QString::fromLatin1(f.options)));
        ASSERT_TRUE(read);
        expectColumns(*read, tableNumbers(samples), false);
    }
}

// One cell of a flat OpenDocument spreadsheet: its type ("float", "string") and value.
struct CalcCell {
    QString type;
    double value = 0;
    QString text;
};

std::vector<std::vector<CalcCell>> readFods(const QString& path) {
    QFile f(path);
    std::vector<std::vector<CalcCell>> rows;
    if (!f.open(QIODevice::ReadOnly)) return rows;
    QXmlStreamReader xml(&f);
    bool inTable = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("table")) break;
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("table")) inTable = true;
        if (!inTable) continue;
        if (xml.name() == QLatin1String("table-row")) rows.emplace_back();
        if (xml.name() == QLatin1String("table-cell") && !rows.empty()) {
            const auto a = xml.attributes();
            CalcCell cell{a.value(QLatin1String("office:value-type")).toString(),
                          a.value(QLatin1String("office:value")).toDouble(), QString()};
            const int repeat =
                std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            for (int i = 0; i < std::min(repeat, 8); ++i) rows.back().push_back(cell);
        }
        if (xml.name() == QLatin1String("p") && !rows.empty() && !rows.back().empty())
            rows.back().back().text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    while (!rows.empty() && (rows.back().empty() || rows.back()[0].type.isEmpty())) rows.pop_back();
    return rows;
}

TEST(CalcReader,
     reads_the_french_csv_and_the_headed_copy_as_labels_over_numbers_equal_to_the_table) {
    if (soffice().isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    QTemporaryDir dir;
    const RecordedSamples samples = fullRecording(kUnderdamped, 5);
    const QString csv = writeTemp(dir, QStringLiteral("fichier.csv"),
                                  tableFileBytes(recordedExport(samples), TableFormat::CsvFrench));
    // The copy with headers as the clipboard gives it to Calc's paste dialog.
    const QString pasted =
        writeTemp(dir, QStringLiteral("presse-papiers.csv"), headedTableText(samples).toUtf8());
    const QString out = dir.filePath(QStringLiteral("out"));
    QString why;
    // Separators ";" and TAB, text in quotes, UTF-8, from line 1, French (1036) numbers.
    ASSERT_TRUE(convertWithCalc({csv, pasted}, QStringLiteral("CSV:59/9,34,76,1,,1036"), out, &why))
        << why.toStdString();
    const auto expected = tableNumbers(samples);
    for (const char* name : {"fichier.fods", "presse-papiers.fods"}) {
        SCOPED_TRACE(name);
        const auto rows = readFods(out + QLatin1Char('/') + QLatin1String(name));
        ASSERT_EQ(rows.size(), 52u);
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(rows[0][size_t(c)].type, QStringLiteral("string"));
            EXPECT_EQ(rows[0][size_t(c)].text, QStringLiteral("%1 (%2)").arg(kNames[c], kUnits[c]));
        }
        for (size_t r = 0; r < expected.size(); ++r)
            for (size_t c = 0; c < 7; ++c) {
                ASSERT_EQ(rows[r + 1][c].type, QStringLiteral("float")) << r << " " << c;
                EXPECT_DOUBLE_EQ(rows[r + 1][c].value, expected[r][c]) << r << " " << c;
            }
    }
}

}  // namespace
}  // namespace ondalis
