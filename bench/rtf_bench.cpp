// A 1 MB exercise statement with pictures, as LibreOffice writes one: read into a text
// document, loaded into the pane from its file, and a key typed into a long text in the pane.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>

#include "platform/richtext/rtfreader.h"
#include "platform/widgets/richtextpane.h"

namespace {

QByteArray noisePng(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, random.generate() | 0xFF000000u);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Paragraphs of formatted text (italic symbols, indices, exponents, bold, colours, Unicode
// escapes, the Symbol font), a small table every 200 paragraphs, and four pictures of
// 200 × 150 pixels: 1 MB in all, two thirds of it pictures.
QByteArray statement() {
    QByteArray pictures;
    for (quint32 i = 0; i < 4; ++i) {
        pictures +=
            "\\pard{\\*\\shppict{\\pict\\pngblip\\picw200\\pich150\\picwgoal3000"
            "\\pichgoal2250\n";
        const QByteArray hex = noisePng(200, 150, i + 1).toHex();
        for (qsizetype at = 0; at < hex.size(); at += 128) pictures += hex.mid(at, 128) + '\n';
        pictures += "}}\\par\n";
    }
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}{\\f2\\froman\\fcharset2 Symbol;}}"
        "{\\colortbl;\\red0\\green0\\blue200;\\red192\\green0\\blue0;}\n";
    const QByteArray paragraph =
        "\\pard\\plain\\s27\\sb0\\sa283\\ql\\li567\\ltrpar{\\loch Un solide de masse }{\\loch\\i "
        "m}{\\loch  = 200 g est accroch\\u233\\'e9 \\u224\\'e0 un ressort de raideur }{\\loch\\i "
        "k}{\\loch  = 20 N\\u183\\'b7m}{\\loch\\up8 -1}{\\loch . On l'\\u233\\'e9carte de }{\\loch"
        "\\i x}{\\loch\\dn2 0}{\\loch  = 4 cm ; }{\\loch\\b\\cf2 attention}{\\loch  \\f2 w\\f1 "
        "\\'b2 = k/m.}\n\\par ";
    int n = 0;
    while (rtf.size() + pictures.size() < 1024 * 1024) {
        rtf += paragraph;
        if (++n % 200 == 0) {
            rtf +=
                "\\trowd\\cellx2000\\cellx4000\\pard\\intbl{m}\\cell\\pard\\intbl{200 g}"
                "\\cell\\row\\pard\n";
        }
    }
    return rtf + pictures + "}";
}

const QByteArray& statementBytes() {
    static const QByteArray bytes = statement();
    return bytes;
}

void BM_ReadStatement1MB(benchmark::State& state) {
    const QByteArray& rtf = statementBytes();
    for (auto _ : state) {
        QTextDocument doc;
        ondalis::rtf::read(rtf, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
    state.counters["bytes"] = double(rtf.size());
}
BENCHMARK(BM_ReadStatement1MB)->Unit(benchmark::kMillisecond);

// The statement in a file, and the pane at its size in the main window, shown.
struct ShownPane {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("enonce.rtf"));
    ondalis::RichTextPane pane;

    ShownPane() {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(statementBytes());
        file.close();
        pane.resize(361, 183);
        pane.show();
    }
};

void BM_LoadStatement1MBIntoThePane(benchmark::State& state) {
    ShownPane shown;
    for (auto _ : state) {
        if (!shown.pane.loadFile(shown.path)) state.SkipWithError("not loaded");
        QApplication::processEvents();
    }
}
BENCHMARK(BM_LoadStatement1MBIntoThePane)->Unit(benchmark::kMillisecond);

// A pupil types in the middle of the long statement: one key press, its layout and its paint.
void BM_TypeAKeyInTheLongText(benchmark::State& state) {
    ShownPane shown;
    ondalis::RichTextPane& pane = shown.pane;
    pane.loadFile(shown.path);
    pane.setEditable(true);
    pane.setFocus();
    QTextCursor c = pane.textCursor();
    c.setPosition(pane.document()->characterCount() / 2);
    pane.setTextCursor(c);
    pane.ensureCursorVisible();
    QApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&pane, &press);
        QApplication::sendEvent(&pane, &release);
        pane.viewport()->repaint();
    }
}
BENCHMARK(BM_TypeAKeyInTheLongText)->Unit(benchmark::kMicrosecond);

}  // namespace
