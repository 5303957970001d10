// The projection window on the second of three screens side by side (three-screens.json): it
// covers that screen, follows the run, and closes with Escape or F11.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include "mainwindow_fixture.h"
#include "platform/widgets/drawingsurface.h"
#include "projection/widgets/projectionwindow.h"

namespace ondalis::testing {
namespace {

using Projection = MainWindowTest;

// Whether the picture holds the main window's scene, replayed at the layout's scale: the
// solid's black outline at its scaled place.
bool showsSolidAt(const QImage& picture, const ProjectionLayout& l, double x) {
    const QRect& s = l.scene;
    const int left = s.left() + int((x - 15 + 0.5) * l.scale);
    const int y = s.top() + int(21 * l.scale);
    for (int dx = -2; dx <= 2; ++dx)
        if (picture.pixelColor(left + dx, y) == QColor(Qt::black)) return true;
    return false;
}

TEST_F(Projection, f11OpensItFullScreenOnTheSecondScreenItFollowsTheRunAndEscapeClosesIt) {
    feuilleP& w = openAt(QStringLiteral("5"));
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 3);
    QScreen* mainScreen = w.screen();
    QTest::keyClick(&w, Qt::Key_F11);
    ProjectionWindow* p = w.projection();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    // Another screen than the main window's, covered whole.
    EXPECT_NE(p->screen(), mainScreen);
    EXPECT_EQ(p->screen(), screens[mainScreen == screens[0] ? 1 : 0]);
    EXPECT_EQ(p->geometry(), p->screen()->geometry());
    EXPECT_TRUE(p->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(p->isFullScreen());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(p->layout().scene.width(), int(std::lround(785 * p->layout().scale)));

    // It shows the solid where the scene has it, and follows the run.
    EXPECT_TRUE(showsSolidAt(p->picture(), p->layout(), 30 * 5 + 450));
    w.command15_Click();
    tick(10);
    const double x = 30 * w.currentSample().x + 450;
    ASSERT_LT(x, 30 * 4.5 + 450);
    const QImage running = p->picture();
    EXPECT_TRUE(showsSolidAt(running, p->layout(), x));
    EXPECT_FALSE(showsSolidAt(running, p->layout(), 30 * 5 + 450));

    QTest::keyClick(p, Qt::Key_Escape);
    EXPECT_EQ(w.projection(), nullptr);

    // The same command opens and closes it; Escape in the main window closes it too.
    QTest::keyClick(&w, Qt::Key_F11);
    ASSERT_NE(w.projection(), nullptr);
    QTest::keyClick(&w, Qt::Key_F11);
    EXPECT_EQ(w.projection(), nullptr);
    w.findChild<QPushButton*>(QStringLiteral("Projeter"))->click();
    ASSERT_NE(w.projection(), nullptr);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(w.projection(), nullptr);
}

TEST_F(Projection, itsMenuMovesItToAnotherScreenAndSwitchesToHighContrast) {
    feuilleP& w = open();
    w.Projeter_Click();
    ProjectionWindow* p = w.projection();
    ASSERT_NE(p, nullptr);
    const QImage normal = p->picture();
    p->setHighContrast(true);
    const QImage high = p->picture();
    EXPECT_NE(high, normal);
    // Dark on light: a white ground around the pictures.
    EXPECT_EQ(high.pixelColor(2, high.height() - 3), QColor(Qt::white));
    // A readout label is black on white.
    const QRect label = p->layout().readouts;
    EXPECT_EQ(high.pixelColor(label.left() + int(60 * p->layout().scale),
                              label.top() + int(10 * p->layout().scale)),
              QColor(Qt::white));

    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10),
                            p->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(p, &event);
    auto* menu = p->findChild<QMenu*>(QStringLiteral("projectionMenu"));
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    QAction* third = nullptr;
    for (QAction* a : actions)
        if (a->text().startsWith(QStringLiteral("Projeter sur l'écran 3 (1024 × 768)"))) third = a;
    ASSERT_NE(third, nullptr);
    menu->close();
    third->trigger();
    EXPECT_EQ(p->screen(), QGuiApplication::screens()[2]);
    EXPECT_EQ(p->geometry(), QRect(1649, 0, 1024, 768));
    p->close();
}

}  // namespace
}  // namespace ondalis::testing
