#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "calculator/widgets/machine.h"
#include "mainwindow/widgets/tabstrip.h"
#include "mainwindow_fixture.h"
#include "platform/core/numberformat.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/updown.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/recordingpanel.h"
#include "recording/widgets/valuetable.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/clock.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

class Animation : public MainWindowTest {
protected:
    ValueGrid& table() { return *window->Picture6->grid(); }

    // Presses and releases the left button over the scene at X, as a user would.
    void clickScene(int x) {
        QTest::mouseClick(window->Picture2, Qt::LeftButton, {}, QPoint(x, 21));
    }

    // Ticks until the table is complete (or a limit is reached).
    void recordAll(int limit = 5000) {
        for (int i = 0; i < limit && recordedRows(table()) < 51; ++i) tick();
    }

    // Types into a parameter field with real key presses; the focus stays in the field.
    void type(int field, const QString& keys) {
        ParameterEdit* edit = window->Text5(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }

    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    // Every row holds the closed-form motion at its own instant (r - 1)·D/50.
    void expectRowsAtTheirInstants() {
        const OscillatorParameters p = window->parameters();
        const MotionConstants c = computeMotionConstants(p);
        for (int r = 1; r <= recordedRows(table()); ++r) {
            const double t = samplingInstant(window->duration(), r - 1);
            const MotionSample s = sampleMotion(c, p, t);
            ASSERT_EQ(table().text(r, 0), formatGeneral(t)) << "row " << r;
            ASSERT_EQ(table().text(r, 1), formatThreeSignificant(s.x)) << "row " << r;
            ASSERT_EQ(table().text(r, 2), formatThreeSignificant(s.v)) << "row " << r;
            ASSERT_EQ(table().text(r, 3), formatThreeSignificant(s.a)) << "row " << r;
            ASSERT_EQ(table().text(r, 6), formatThreeSignificant(s.em)) << "row " << r;
        }
    }

    // The solid's outline is black 15 pixels left of its centre 30·x + 450.
    bool solidDrawnAt(float x) {
        return window->Picture2->image().pixelColor(int(30 * x + 450) - 15, 21) == Qt::black;
    }
};

TEST_F(Animation, startPauseResumeAndStopThroughTheButtons) {
    feuilleP& w = openAt(QStringLiteral("5"));
    QTest::mouseClick(w.command15, Qt::LeftButton);
    EXPECT_TRUE(w.isRunning());
    tick(30);
    const double pausedAt = w.currentSample().t;
    EXPECT_GT(pausedAt, 0.3);
    const int rowsAtPause = recordedRows(table());

    QTest::mouseClick(w.command16, Qt::LeftButton);
    EXPECT_FALSE(w.isRunning());
    tick(10);  // the clock is stopped: nothing moves
    EXPECT_EQ(w.currentSample().t, pausedAt);
    QTest::mouseClick(w.command16, Qt::LeftButton);  // pause while stopped does nothing
    EXPECT_EQ(w.currentSample().t, pausedAt);

    QTest::mouseClick(w.command15, Qt::LeftButton);
    QTest::mouseClick(w.command15, Qt::LeftButton);  // start while running changes nothing
    tick();
    EXPECT_GT(w.currentSample().t, pausedAt);
    EXPECT_GE(recordedRows(table()), rowsAtPause);
    tick(40);
    // No gap in the table: rows follow each other every 0,1 s.
    for (int r = 1; r <= recordedRows(table()); ++r)
        EXPECT_EQ(table().text(r, 0), formatGeneral(0.1 * (r - 1))) << "row " << r;

    QTest::mouseClick(w.Command18, Qt::LeftButton);
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(w.currentSample().t, 0.0);
    EXPECT_FLOAT_EQ(w.currentSample().x, 5.0f);
    EXPECT_EQ(recordedRows(table()), 0);
    EXPECT_EQ(w.Label1->text(), QStringLiteral("5"));
    EXPECT_EQ(w.Label3->text(), QStringLiteral("0,00"));
}

TEST_F(Animation, releasingTheSolidSetsX0FromThePointerAndStarts) {
    feuilleP& w = open();
    const struct {
        int x;
        const char* field;
    } cases[] = {{900, "10"}, {0, "-10"}, {463, "0,433"}};
    for (const auto& c : cases) {
        clickScene(c.x);
        EXPECT_EQ(w.Text5(0)->text(), QString::fromUtf8(c.field)) << "X = " << c.x;
        EXPECT_TRUE(w.isRunning());
        EXPECT_EQ(w.currentSample().t, 0.0);
        QTest::mouseClick(w.Command18, Qt::LeftButton);
    }
    // Other buttons do nothing.
    QTest::mouseClick(w.Picture2, Qt::RightButton, {}, QPoint(600, 21));
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(w.Text5(0)->text(), QStringLiteral("0,433"));
}

TEST_F(Animation, draggingMovesTheSolidAndTheFieldWithThePointer) {
    feuilleP& w = open();
    QTest::mousePress(w.Picture2, Qt::LeftButton, {}, QPoint(450, 21));
    QMouseEvent move(QEvent::MouseMove, QPointF(600, 21), w.Picture2->mapToGlobal(QPointF(600, 21)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Picture2, &move);
    EXPECT_EQ(w.Text5(0)->text(), QStringLiteral("5"));
    EXPECT_FLOAT_EQ(w.currentSample().x, 5.0f);
    EXPECT_FALSE(w.isRunning());
    // The solid's outline is now drawn around X = 600.
    EXPECT_EQ(w.Picture2->image().pixelColor(600 - 15, 21), QColor(Qt::black));
    EXPECT_EQ(w.info->text(),
              QStringLiteral("Vous pouvez déplacer le mobile avec la souris (bouton enfoncé)"));
    // Dragged past the scene's edges, the position stops at -10 and 10 cm.
    for (const auto& [x, field] : {std::pair{-300, "-10"}, std::pair{2000, "10"}}) {
        QMouseEvent outside(QEvent::MouseMove, QPointF(x, 90),
                            w.Picture2->mapToGlobal(QPointF(x, 90)), Qt::NoButton, Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w.Picture2, &outside);
        EXPECT_EQ(w.Text5(0)->text(), QString::fromUtf8(field));
    }
    QTest::mouseRelease(w.Picture2, Qt::LeftButton, {}, QPoint(600, 21));
    EXPECT_TRUE(w.isRunning());
}

TEST_F(Animation, aClickWhileRunningRestartsFromTheClickedPositionWithAnEmptyTable) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.command15_Click();
    tick(40);
    ASSERT_GT(recordedRows(table()), 2);
    clickScene(300);
    EXPECT_EQ(w.Text5(0)->text(), QStringLiteral("-5"));
    EXPECT_TRUE(w.isRunning());
    EXPECT_EQ(w.currentSample().t, 0.0);
    EXPECT_EQ(recordedRows(table()), 0);
    tick();
    EXPECT_EQ(recordedRows(table()), 1);
    EXPECT_EQ(table().text(1, 1), QStringLiteral("-5"));
}

TEST_F(Animation, slowMotionStepsByATenth) {
    feuilleP& w = openAt(QStringLiteral("5"));
    const float step = w.motionConstants().stepLimit;  // about 0.0151 s at 145 g and 10 N/m
    QTest::mouseClick(w.Picture1->speed(), Qt::LeftButton);
    ASSERT_TRUE(w.slowMotion());
    w.command15_Click();
    tick(2);  // the second tick shows the instant the first one stepped to
    EXPECT_NEAR(w.currentSample().t, step / 10.0, 1e-9);
}

TEST_F(Animation, aRecordingHoldsTheClosedFormMotionAtEachInstantAndNothingPastD) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.command15_Click();
    recordAll();
    ASSERT_EQ(recordedRows(table()), 51);
    const OscillatorParameters p = w.parameters();
    const MotionConstants c = computeMotionConstants(p);
    for (int r = 1; r <= 51; ++r) {
        const double t = (r - 1) / 10.0;
        EXPECT_EQ(table().text(r, 0), formatGeneral(t));
        const MotionSample s = sampleMotion(c, p, t);
        EXPECT_EQ(table().text(r, 1), formatThreeSignificant(s.x)) << "t = " << t;
        EXPECT_EQ(table().text(r, 2), formatThreeSignificant(s.v)) << "t = " << t;
        EXPECT_EQ(table().text(r, 6), formatThreeSignificant(s.em)) << "t = " << t;
    }
    tick(200);
    EXPECT_EQ(recordedRows(table()), 51);
    EXPECT_GT(w.currentSample().t, 6.0);
}

TEST_F(Animation, changingTheDurationWhileRunningStopsAndEmptiesTheTable) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.Onglets->selectTab(4);
    w.command15_Click();
    tick(30);
    ASSERT_GT(recordedRows(table()), 0);
    QTest::keyClick(w.Picture6->upDown(), Qt::Key_Down);
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(recordedRows(table()), 0);
    EXPECT_EQ(w.duration(), 2.0f);
    EXPECT_EQ(w.Picture6->labelg()->text(), QStringLiteral("2 s"));
    // A shorter recording: rows every 0,04 s.
    w.command15_Click();
    recordAll();
    EXPECT_EQ(table().text(51, 0), QStringLiteral("2"));
    EXPECT_EQ(table().text(2, 0), QStringLiteral("0,04"));
}

TEST_F(Animation, theColourDialogChangesNothingWhenCancelledAndResetsOtherwise) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.command15_Click();
    tick(20);
    const double t = w.currentSample().t;
    ColorSwatch* swatch = w.Label4(1);
    dialogs.colorAnswers = {std::nullopt};
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(dialogs.colorRequests.back(), QColor(0, 0, 192));
    EXPECT_EQ(swatch->color(), QColor(0, 0, 192));
    EXPECT_EQ(w.currentSample().t, t);
    EXPECT_TRUE(w.isRunning());

    dialogs.colorAnswers = {QColor(255, 0, 255)};
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(swatch->color(), QColor(255, 0, 255));
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(w.currentSample().t, 0.0);
    // The new colour draws the next curve: the first point at (50, 15).
    w.command15_Click();
    tick();
    EXPECT_EQ(w.Frame1->image().pixelColor(50, 15), QColor(255, 0, 255));
}

TEST_F(Animation, theTableCopyIsTabSeparatedWithLineFeedsAndConfirmed) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.command15_Click();
    recordAll();
    QAction* copy = w.menucopie->findChild<QAction*>(QStringLiteral("copitab"));
    ASSERT_NE(copy, nullptr);
    copy->trigger();
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines[0], QString(6, QLatin1Char('\t')));
    EXPECT_EQ(lines[51].split(QLatin1Char('\t')).size(), 7);
    EXPECT_EQ(w.info->text(), w.copyMessage);

    // The confirmation survives the pointer over "Copier" until it goes elsewhere.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(w.Command4, &enter);
    EXPECT_EQ(w.info->text(), w.copyMessage);
    QApplication::sendEvent(w.Command2, &enter);
    QApplication::sendEvent(w.Command4, &enter);
    EXPECT_TRUE(w.info->text().startsWith(QStringLiteral("Copier pour placer l'image")));
}

TEST_F(Animation, aRedrawWhilePausedAddsNoRowAndEveryRowHoldsTheMotionAtItsInstant) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.Picture6->setDurationIndex(-1);  // 200 ms: every tick lands on a sampling instant
    const struct {
        const char* name;
        int tab;
        std::function<void()> redraw;
    } redraws[] = {
        {"axis", 3, [&] { click(w.Picture1->Check1()); }},
        {"ruler", 3, [&] { click(w.Picture1->Check6()); }},
        {"velocity vector", 2, [&] { click(w.Frame2->Check5()); }},
        {"velocity scale", 2, [&] { QTest::keyClick(w.Frame2->VScroll1(), Qt::Key_Down); }},
    };
    for (const auto& r : redraws) {
        SCOPED_TRACE(r.name);
        w.Onglets->selectTab(r.tab);
        click(w.Command18);
        click(w.command15);
        tick(3);
        click(w.command16);
        r.redraw();
        EXPECT_EQ(recordedRows(table()), 3);
        expectRowsAtTheirInstants();
        click(w.command15);
        recordAll();
        EXPECT_EQ(recordedRows(table()), 51);
        expectRowsAtTheirInstants();
    }
}

TEST_F(Animation, stopAndTheInitialPositionResetFromTheValidatedFieldThatHasTheFocus) {
    feuilleP& w = open();
    const struct {
        int field;
        const char* typed;
        bool initialPosition;  // "Retrouver la position initiale" rather than "Stop"
        const char* shown;
        float x0, m;
    } cases[] = {
        {PositionField, "50", false, "10", 10, 145},
        {MassField, "0", false, "10", 10, 10},
        {PositionField, "-50", true, "-10", -10, 10},
        {MassField, "99999", true, "5000", -10, 5000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        type(c.field, QString::fromUtf8(c.typed));
        click(c.initialPosition ? w.Image4 : w.Command18);
        EXPECT_EQ(w.Text5(c.field)->text(), QString::fromUtf8(c.shown));
        EXPECT_TRUE(w.Text5(c.field)->hasFocus());
        EXPECT_EQ(w.parameters().x0, c.x0);
        EXPECT_EQ(w.parameters().m, c.m);
        EXPECT_EQ(w.currentSample().x, c.x0);
        EXPECT_TRUE(solidDrawnAt(c.x0));
        EXPECT_EQ(w.currentSample().v, 0.0f);  // released without speed
    }
}

TEST_F(Animation, theInitialPositionLeavesTheClockOnZeroWithOneRow) {
    feuilleP& w = openAt(QStringLiteral("5"));
    for (int durationIndex : {0, -1, 3}) {
        SCOPED_TRACE(durationIndex);
        w.Picture6->setDurationIndex(durationIndex);
        click(w.command15);
        tick(10);
        click(w.Image4);
        EXPECT_EQ(w.Label3->text(), QStringLiteral("0,00"));
        EXPECT_EQ(w.currentSample().t, 0.0);
        EXPECT_TRUE(solidDrawnAt(5));
        EXPECT_EQ(recordedRows(table()), 1);
        EXPECT_EQ(table().text(1, 1), QStringLiteral("5"));
        // The next start begins at t = 0.
        click(w.command15);
        tick();
        EXPECT_EQ(w.currentSample().t, 0.0);
        tick(4);
        expectRowsAtTheirInstants();
    }
}

TEST_F(Animation, leavingAFieldKeepsTheRecordingUnlessItsValueChanged) {
    feuilleP& w = openAt(QStringLiteral("5"));
    const struct {
        const char* typed;  // nothing: the field is only looked at
        bool kept;
    } cases[] = {{nullptr, true}, {"145", true}, {"200", false}};
    QAction* copy = w.menucopie->findChild<QAction*>(QStringLiteral("copitab"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "looked at");
        click(w.Command18);
        click(w.command15);
        tick(20);
        const int rows = recordedRows(table());
        ASSERT_GT(rows, 1);
        click(w.Text5(MassField));
        EXPECT_FALSE(w.isRunning());
        if (c.typed) type(MassField, QString::fromUtf8(c.typed));
        click(w.Command4);
        ASSERT_TRUE(w.menucopie->isVisible());
        QTest::mouseClick(w.menucopie, Qt::LeftButton, {},
                          w.menucopie->actionGeometry(copy).center());
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 1 + (c.kept ? rows : 0));
        if (c.kept) {
            EXPECT_EQ(lines.back().split(QLatin1Char('\t'))[1], table().text(rows, 1));
        }
    }
}

TEST_F(Animation, withX0AtZeroTimeRunsAndTheTableFillsWithTheZeroMotion) {
    feuilleP& w = open();
    for (bool afterStop : {false, true}) {
        SCOPED_TRACE(afterStop ? "after Stop" : "after start-up");
        if (afterStop) click(w.Command18);
        click(w.command15);
        tick(3);
        EXPECT_EQ(w.Label3->text(), QStringLiteral("0,03"));
        EXPECT_EQ(recordedRows(table()), 1);
        recordAll();
        ASSERT_EQ(recordedRows(table()), 51);
        expectRowsAtTheirInstants();
        EXPECT_EQ(table().text(51, 1), QStringLiteral("0"));
    }
}

TEST_F(Animation, theGraphReadoutShowsTheTimeUnderThePointer) {
    feuilleP& w = open();
    QTest::mouseMove(w.Frame1, QPoint(300, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 100), w.Frame1->mapToGlobal(QPointF(300, 100)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Frame1, &move);
    EXPECT_EQ(w.Frame1->toolTip(), QStringLiteral("t = 2,5 s"));
    EXPECT_EQ(w.info->text(), QStringLiteral("Le tableau de valeurs correspondant est dans "
                                             "l'onglet Enregistrement"));
}

TEST_F(Animation, theCalculatorOpensModallyAndComputes) {
    feuilleP& w = open();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* machine = qobject_cast<calculator::Machine*>(QApplication::activeModalWidget());
        ASSERT_NE(machine, nullptr);
        EXPECT_EQ(machine->windowTitle(), QStringLiteral("Machine à calculer"));
        QTest::keyClicks(machine, QStringLiteral("2*3"));
        QTest::keyClick(machine, Qt::Key_Return);
        shown = machine->findChild<QLineEdit*>(QStringLiteral("z1"))->text();
        machine->close();
    });
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    EXPECT_EQ(shown, QStringLiteral(" 6"));
}

}  // namespace
}  // namespace ondalis::testing
