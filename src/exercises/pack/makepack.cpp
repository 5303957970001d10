// Builds the exercise pack from its readable sources, with the program's own writers: the
// index files (".E41", "SPIREX.PEM") as record files, the configurations (".P19") through the
// configuration writer and the statements and corrections (HTML sources) as RTF through the
// pane's RTF writer.
//
// Usage: ondalis_makepack <pack description> <output folder>
//
// The description (UTF-8) is a list of blocks, each a header line and "key: value" lines; the
// lines starting with "#" and the blank lines are skipped; a value in double quotes keeps the
// spaces around it. Paths in headers are relative to the output folder, sources relative to
// the description's folder.
//   [index NAME]          records "1:" to "12:" of an index file, as stored (record 6 and the
//                         records not given are empty)
//   [configuration NAME]  x0, m, k, h (the texts of the fields), durationIndex, velocityScale,
//                         forceScale, axisShown, boldTrace, velocityShown, rulerShown,
//                         forcesShown, slowMotion, quantity; what is not given keeps the value
//                         of a fresh window
//   [text NAME]           source: the HTML file written as RTF
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <map>

#include "configfile/configuration.h"
#include "platform/core/filepaths.h"
#include "platform/core/recordfile.h"
#include "platform/richtext/rtfwriter.h"
#include "platform/widgets/richtextpane.h"

namespace {

using ondalis::Configuration;

struct Block {
    QString kind;
    QString name;
    std::map<QString, QString> values;
    int line = 0;
};

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "ondalis_makepack: %s\n", qPrintable(message));
    std::exit(1);
}

std::vector<Block> readDescription(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) fail(path + ": " + file.errorString());
    std::vector<Block> blocks;
    int number = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++number;
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            const QString header = trimmed.mid(1, trimmed.size() - 2).trimmed();
            const qsizetype space = header.indexOf(QLatin1Char(' '));
            if (space < 0) fail(QStringLiteral("line %1: [kind name] expected").arg(number));
            blocks.push_back({header.left(space), header.mid(space + 1).trimmed(), {}, number});
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (blocks.empty() || colon < 0)
            fail(QStringLiteral("line %1: \"key: value\" expected in a block").arg(number));
        QString value = line.mid(colon + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        blocks.back().values[line.left(colon).trimmed()] = value;
    }
    return blocks;
}

QString outputPath(const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

void write(const QString& path, const QByteArray& bytes) {
    QString error;
    if (!ondalis::writeFileSafely(path, bytes, &error)) fail(path + ": " + error);
}

void writeIndex(const Block& block, const QString& path) {
    QByteArray bytes;
    for (const auto& [key, value] : block.values) {
        bool ok = false;
        const int record = key.toInt(&ok);
        if (!ok || record < 1 || record > 12)
            fail(QStringLiteral("%1: record %2 is not 1 to 12").arg(block.name, key));
        if (!ondalis::RecordFile::putRecord(bytes, record, value))
            fail(QStringLiteral("%1: record %2 is longer than 126 bytes").arg(block.name, key));
    }
    // Twelve whole records.
    bytes.resize(12 * ondalis::RecordFile::RecordSize, '\0');
    write(path, bytes);
}

void writeConfiguration(const Block& block, const QString& path) {
    Configuration c;
    const auto number = [&](const QString& key, const QString& text) {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok) fail(QStringLiteral("%1: %2 is not a number").arg(block.name, key));
        return v;
    };
    const std::map<QString, std::function<void(const QString&)>> setters = {
        {QStringLiteral("x0"), [&](const QString& v) { c.parameters[0] = v; }},
        {QStringLiteral("m"), [&](const QString& v) { c.parameters[1] = v; }},
        {QStringLiteral("k"), [&](const QString& v) { c.parameters[2] = v; }},
        {QStringLiteral("h"), [&](const QString& v) { c.parameters[3] = v; }},
        {QStringLiteral("durationIndex"),
         [&](const QString& v) { c.durationIndex = number(QStringLiteral("durationIndex"), v); }},
        {QStringLiteral("velocityScale"),
         [&](const QString& v) { c.velocityScale = number(QStringLiteral("velocityScale"), v); }},
        {QStringLiteral("forceScale"),
         [&](const QString& v) { c.forceScale = number(QStringLiteral("forceScale"), v); }},
        {QStringLiteral("axisShown"), [&](const QString& v) { c.axisShown = v == "1"; }},
        {QStringLiteral("boldTrace"), [&](const QString& v) { c.boldTrace = v == "1"; }},
        {QStringLiteral("velocityShown"), [&](const QString& v) { c.velocityShown = v == "1"; }},
        {QStringLiteral("rulerShown"), [&](const QString& v) { c.rulerShown = v == "1"; }},
        {QStringLiteral("forcesShown"), [&](const QString& v) { c.forcesShown = v == "1"; }},
        {QStringLiteral("slowMotion"), [&](const QString& v) { c.slowMotion = v == "1"; }},
        {QStringLiteral("quantity"),
         [&](const QString& v) { c.quantity = number(QStringLiteral("quantity"), v); }},
    };
    for (const auto& [key, value] : block.values) {
        const auto setter = setters.find(key);
        if (setter == setters.end())
            fail(QStringLiteral("%1: unknown key %2").arg(block.name, key));
        setter->second(value);
    }
    if (!ondalis::writeConfigurationFile(path, c)) fail(path + QStringLiteral(": not written"));
}

void writeText(const Block& block, const QString& sourceFolder, const QString& path) {
    const auto source = block.values.find(QStringLiteral("source"));
    if (source == block.values.end()) fail(block.name + QStringLiteral(": no source"));
    QFile file(QDir(sourceFolder).filePath(source->second));
    if (!file.open(QIODevice::ReadOnly)) fail(file.fileName() + ": " + file.errorString());
    QTextDocument document;
    document.setDefaultFont(ondalis::RichTextPane::defaultFont());
    document.setHtml(QString::fromUtf8(file.readAll()));
    write(path, ondalis::rtf::write(document));
}

}  // namespace

int main(int argc, char** argv) {
    // The text documents need fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) fail(QStringLiteral("usage: ondalis_makepack <description> <folder>"));
    const QString description = args[1], folder = args[2];
    const QString sourceFolder = QFileInfo(description).absolutePath();
    if (!QDir().mkpath(folder)) fail(folder + QStringLiteral(": cannot be created"));
    for (const Block& block : readDescription(description)) {
        const QString path = outputPath(folder, block.name);
        if (block.kind == QLatin1String("index"))
            writeIndex(block, path);
        else if (block.kind == QLatin1String("configuration"))
            writeConfiguration(block, path);
        else if (block.kind == QLatin1String("text"))
            writeText(block, sourceFolder, path);
        else
            fail(QStringLiteral("line %1: unknown kind %2").arg(block.line).arg(block.kind));
    }
    return 0;
}
