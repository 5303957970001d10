// Measuring on the graph, keeping curves and stepping, driven on the real window with real
// pointer drags and key presses; the graph's image probed for the curves and the cursors.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <cmath>
#include <numbers>

#include "graph/graphmeasures.h"
#include "mainwindow_fixture.h"
#include "platform/core/numberformat.h"
#include "platform/widgets/drawingsurface.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/recordingpanel.h"
#include "recording/widgets/valuetable.h"
#include "scene/widgets/displaypanel.h"

namespace ondalis::testing {
namespace {

const QColor kCursorColour(128, 0, 128);

class Measure : public MainWindowTest {
protected:
    ValueGrid& table() { return *window->Picture6->grid(); }

    void key(int k, Qt::KeyboardModifiers mods = {}) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, Qt::Key(k), mods);
    }

    // Starts with F5 and ticks until the table is complete; F5 again pauses.
    void recordAll() {
        key(Qt::Key_F5);
        for (int i = 0; i < 5000 && recordedRows(table()) < 51; ++i) tick();
        key(Qt::Key_F5);
    }

    // The left button pressed at x1, moved to x2 and released there, over the graph.
    void drag(int x1, int x2, int y = 100) {
        DrawingSurface* f = window->Frame1;
        QTest::mousePress(f, Qt::LeftButton, {}, QPoint(x1, y));
        for (int x : {(x1 + x2) / 2, x2}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x, y), f->mapToGlobal(QPointF(x, y)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f, &move);
        }
        QTest::mouseRelease(f, Qt::LeftButton, {}, QPoint(x2, y));
    }

    // A right click on the graph, then the menu's entry chosen with the arrow keys and Enter.
    void graphCommand(const QString& entry) {
        QTest::mouseClick(window->Frame1, Qt::RightButton, {}, QPoint(300, 120));
        QMenu* menu = window->Frame1->findChild<QMenu*>(QStringLiteral("menugraphe"));
        ASSERT_TRUE(menu && menu->isVisible());
        for (int i = 0; i < 8 && !(menu->activeAction() && menu->activeAction()->text() == entry);
             ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        ASSERT_EQ(menu->activeAction()->text(), entry);
        QTest::keyClick(menu, Qt::Key_Return);
        ASSERT_FALSE(menu->isVisible());
    }

    void setField(int field, const QString& text) {
        ParameterEdit* edit = window->Text5(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    static int count(const QImage& image, const QColor& c) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == c;
        return n;
    }
};

TEST_F(Measure, twoDraggedCursorsReadTheTimesUnderThePointerAndAClickRemovesThem) {
    feuilleP& w = openAt(QStringLiteral("5"));
    recordAll();
    const QImage before = w.Frame1->image();
    drag(130, 333);
    const GraphMeasures& m = w.graphMeasures();
    ASSERT_TRUE(m.hasCursors());
    const double D = w.duration();
    EXPECT_NEAR(m.cursor(1) - m.cursor(0), (333 - 130) * D / 500, D / 500);
    EXPECT_EQ(w.Frame1->image().pixelColor(130, 102), kCursorColour);
    EXPECT_EQ(w.Frame1->image().pixelColor(333, 102), kCursorColour);
    const QString readout = w.Frame1->description();
    EXPECT_TRUE(readout.contains(QStringLiteral("Δt = ") +
                                 formatThreeSignificant(m.cursor(1) - m.cursor(0)) +
                                 QStringLiteral(" s")))
        << readout.toStdString();
    EXPECT_TRUE(readout.contains(QStringLiteral("Δx = "))) << readout.toStdString();

    // A click elsewhere: the graph as it was before the cursors.
    QTest::mouseClick(w.Frame1, Qt::LeftButton, {}, QPoint(400, 60));
    EXPECT_FALSE(m.hasCursors());
    EXPECT_EQ(w.Frame1->image(), before);
}

TEST_F(Measure, thePseudoPeriodComesFromTheMotionWithinAClockStepAndTheDecrementWithin1Percent) {
    feuilleP& w = openAt(QStringLiteral("5"));  // m = 145 g, k = 10, h = 0,2
    recordAll();
    graphCommand(QStringLiteral("Mesurer la pseudo-période"));
    const std::optional<PseudoPeriod>& p = w.graphMeasures().measured();
    ASSERT_TRUE(p);
    const double mkg = 0.145, w0 = std::sqrt(10 / mkg), lambda = 0.2 / (2 * mkg);
    const double T = 2 * std::numbers::pi / std::sqrt(w0 * w0 - lambda * lambda);
    EXPECT_NEAR(p->period(), T, w.motionConstants().stepLimit);
    EXPECT_NEAR(p->decrement(), lambda * T, 0.01 * lambda * T);
    EXPECT_EQ(w.graphMeasures().cursor(0), p->t1);
    EXPECT_TRUE(w.info->text().contains(formatThreeSignificant(p->period())));
    // Its cursors go with the next reset.
    key(Qt::Key_F6);
    EXPECT_FALSE(w.graphMeasures().hasCursors());
}

TEST_F(Measure, twoKeptRunsAndALiveOneShowInThreeColoursInTheCopyUntilTheQuantityChanges) {
    feuilleP& w = openAt(QStringLiteral("5"));
    recordAll();
    graphCommand(QStringLiteral("Garder la courbe"));
    setField(3, QStringLiteral("2"));  // h = 2: a reset, the kept curve stays
    recordAll();
    graphCommand(QStringLiteral("Garder la courbe"));
    setField(3, QStringLiteral("0,5"));
    recordAll();
    ASSERT_EQ(w.graphMeasures().kept().size(), 2u);
    EXPECT_EQ(w.graphMeasures().keptLabels(w.parameters()),
              (QStringList{QStringLiteral("h = 0,2"), QStringLiteral("h = 2")}));

    const QImage graph = w.Frame1->image();
    for (const QColor& c : {keptShade(0), keptShade(1), QColor(0, 0, 192)})
        EXPECT_GT(count(graph, c), 100) << c.name().toStdString();
    w.menucopie->actions()[1]->trigger();  // "Copier le graphe"
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(graph.format()), graph);

    QTest::mouseClick(w.Picture1->Option1(1), Qt::LeftButton, {}, QPoint(6, 8));  // velocity
    EXPECT_TRUE(w.graphMeasures().kept().empty());
    EXPECT_EQ(count(w.Frame1->image(), keptShade(0)), 0);
    EXPECT_TRUE(w.info->text().startsWith(QStringLiteral("Courbes gardées effacées")));
}

TEST_F(Measure, stepsFromAPauseReachTheInstantAndRowsOfAsManyTicksAndBackDropsTheLastRow) {
    feuilleP& w = openAt(QStringLiteral("5"));
    ondalis::Run reference;
    reference.reset(w.parameters());
    reference.start();
    key(Qt::Key_F5);
    tick(9);
    key(Qt::Key_F5);  // pause
    ASSERT_FALSE(w.isRunning());
    for (int i = 0; i < 9; ++i) reference.tick(false);
    // F7 from the field being edited, and the step button: n steps, n ticks.
    w.Text5(1)->setFocus();
    int rowsBefore = w.rowsRecorded();
    bool crossed = false;
    for (int i = 0; i < 30; ++i) {
        if (i % 2)
            key(Qt::Key_F7);
        else
            QTest::mouseClick(w.findChild<QToolButton*>(QStringLiteral("commandPas")),
                              Qt::LeftButton);
        const RunFrame f = reference.tick(false);
        ASSERT_EQ(w.run().clockTime(), reference.clockTime()) << i;
        ASSERT_EQ(w.currentSample().t, f.sample.t) << i;
        ASSERT_EQ(w.currentSample().x, f.sample.x) << i;
        ASSERT_EQ(w.rowsRecorded(), reference.rows()) << i;
        crossed |= w.rowsRecorded() > rowsBefore;
        rowsBefore = w.rowsRecorded();
    }
    EXPECT_TRUE(crossed);
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(w.Text5(1)->text(), QStringLiteral("145"));
    const int rows = recordedRows(table());
    ASSERT_EQ(rows, reference.rows());
    for (int r = 1; r <= rows; ++r) {
        const MotionSample& s = reference.samples()[std::size_t(r - 1)];
        ASSERT_EQ(table().text(r, 0), formatGeneral(s.t));
        ASSERT_EQ(table().text(r, 1), formatThreeSignificant(s.x));
    }

    // Shift+F7: back on the last row, then on the one before it, which drops the last.
    const QImage atLastStep = w.Frame1->image();
    key(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(w.currentSample().t, reference.samples()[std::size_t(rows - 1)].t);
    key(Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(w.currentSample().t, reference.samples()[std::size_t(rows - 2)].t);
    EXPECT_EQ(recordedRows(table()), rows - 1);
    EXPECT_EQ(w.Label3->text(), formatFixed2(reference.samples()[std::size_t(rows - 2)].t));
    // Stepping on again draws the same curve as before.
    while (w.currentSample().t < reference.sample().t) key(Qt::Key_F7);
    EXPECT_EQ(w.Frame1->image(), atLastStep);
    EXPECT_EQ(recordedRows(table()), rows);
}

TEST_F(Measure, theTransportKeysStartPauseAndStopFromAnywhereInTheWindow) {
    feuilleP& w = openAt(QStringLiteral("5"));
    key(Qt::Key_F5);
    EXPECT_TRUE(w.isRunning());
    tick(5);
    key(Qt::Key_F5);
    EXPECT_FALSE(w.isRunning());
    EXPECT_GT(w.run().clockTime(), 0);
    w.Text5(2)->setFocus();
    key(Qt::Key_F6);
    EXPECT_EQ(w.run().clockTime(), 0);
    EXPECT_EQ(w.rowsRecorded(), 0);
    // Keys typed into a field stay the field's.
    w.Text5(2)->setFocus();
    w.Text5(2)->selectAll();
    QTest::keyClicks(w.Text5(2), QStringLiteral("12"));
    EXPECT_EQ(w.Text5(2)->text(), QStringLiteral("12"));
    // The graph's menu from the keyboard: Shift+F10, the graph having the focus (the menu key
    // comes from the platform as a context menu request, which the offscreen one never sends).
    QMenu* menu = w.Frame1->findChild<QMenu*>(QStringLiteral("menugraphe"));
    w.Frame1->setFocus(Qt::TabFocusReason);
    key(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
    // F1 on the step buttons opens the animation page.
    for (const char* name : {"commandPas", "commandRetour"})
        EXPECT_EQ(w.helpTopicFor(w.findChild<QToolButton*>(QLatin1String(name))),
                  QStringLiteral("animation.html"));
}

TEST_F(Measure, theGraphReachedWithTabShowsAFocusRingThatItsPictureLeavesOut) {
    feuilleP& w = openAt(QStringLiteral("5"));
    const auto shown = [&w] {
        return w.Frame1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage before = shown();
    w.Command2->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 60 && QApplication::focusWidget() != w.Frame1; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.Frame1);
    const QImage focused = shown();
    const QRgb mark = w.palette().color(QPalette::Active, QPalette::Highlight).darker(125).rgb();
    for (const QPoint& p : {QPoint(0, 0), QPoint(1, 100), QPoint(616, 224), QPoint(300, 223)})
        EXPECT_EQ(focused.pixel(p), mark) << p.x() << ", " << p.y();
    EXPECT_EQ(focused.pixel(300, 100), before.pixel(300, 100));
    EXPECT_EQ(w.Frame1->image().pixel(0, 0), before.pixel(0, 0));
    key(Qt::Key_Tab);
    EXPECT_EQ(shown(), before);
}

}  // namespace
}  // namespace ondalis::testing
