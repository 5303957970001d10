#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "simulation/motion.h"
#include "simulation/run.h"

// The value table for the class's own tools: Regressi, spreadsheets and Python. The exports of
// the recorded table hold the numbers the table shows; the denser ones the closed-form motion
// at evenly spread instants over the same duration.
namespace ondalis {

// The seven columns: an ASCII name, its unit as the table shows it (with "." for the middle
// dot), and what it is, in French.
struct ExportColumn {
    QString name;
    QString unit;
    QString meaning;
};
const std::array<ExportColumn, 7>& exportColumns();

// The numbers to export, as texts with "." as the decimal mark ("0.1", "-0.0123", "1E-06").
struct ExportTable {
    std::vector<std::array<QString, 7>> rows;
    // What the numbers come from, one line each ("m = 145 g", …, "régime : pseudo-périodique").
    QStringList memo;
};

// The numbers of export files: the recorded table's rows as it shows them, or `points`
// instants k·D/(points − 1) of the closed-form motion (t as a double, the rest as singles, each
// in its shortest exact text).
ExportTable recordedExport(const RecordedSamples& samples);
ExportTable denseExport(const MotionConstants& constants, const OscillatorParameters& p,
                        double duration, int points);
// The memo lines of a motion.
QStringList motionMemo(const OscillatorParameters& p, Regime regime, double duration);

// The number of points offered for an export: the table's 51 rows, then the denser sets.
inline constexpr std::array<int, 5> exportPointCounts{51, 101, 201, 501, 1001};

// "Copier le tableau avec les en-têtes": a first line naming each column with its unit,
// "t (s)", "x (cm)" …, then one line per sample with the table's texts (the locale's decimal
// mark); TAB between cells, LF between lines, none after the last.
QString headedTableText(const RecordedSamples& samples);

// "Copier le tableau pour Python": `import numpy as np`, then one array per column with its
// unit in a comment, "." as the decimal mark.
QString pythonFragment(const ExportTable& table);

enum class TableFormat { CsvFrench, CsvInternational, Regressi, Python };

// The bytes of an export file:
// - CsvFrench: UTF-8 with a byte-order mark, ";" between cells, decimal comma, CRLF;
// - CsvInternational: UTF-8, "," between cells, decimal point, CRLF;
// - Regressi: an ".RW3" text in Windows-1252, "£" as the byte A3, CRLF;
// - Python: a UTF-8 ".py" with the arrays and a commented plot of x against t.
QByteArray tableFileBytes(const ExportTable& table, TableFormat format);

// The file filter ("Label|*.EXT") and extension of each format, in the order of the enum.
QString tableFormatFilter(TableFormat format);
QString tableFormatSuffix(TableFormat format);

}  // namespace ondalis
