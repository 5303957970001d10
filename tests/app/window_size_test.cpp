// The main window's size rule on three screens side by side (the offscreen platform's
// configuration in three-screens.json): 800 × 600, 849 × 700 and 1024 × 768.
#include <QPushButton>
#include <QScreen>
#include <ostream>

#include "mainwindow/widgets/tabstrip.h"

#include "mainwindow_fixture.h"

namespace ondalis::testing {
namespace {

struct ScreenCase {
    const char* screen;
    bool fixed;
    QRect frame;  // where the whole window is, when the rule holds
};

void PrintTo(const ScreenCase& c, std::ostream* os) { *os << c.screen; }

class WindowSize : public MainWindowTest, public ::testing::WithParamInterface<ScreenCase> {
protected:
    // The window, shown on the screen of the case.
    feuilleP& openOn(const char* name) {
        QScreen* target = nullptr;
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == QLatin1String(name)) target = s;
        EXPECT_NE(target, nullptr) << "no screen " << name;
        feuilleP& w = open();
        if (target) {
            w.hide();
            w.setScreen(target);
            w.move(target->geometry().topLeft() + QPoint(10, 10));
            w.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        }
        return w;
    }
};

TEST_P(WindowSize, theWholeWindowIsFixedOnANarrowScreenAndFreeOnAWideOne) {
    const ScreenCase& c = GetParam();
    feuilleP& w = openOn(c.screen);
    ASSERT_EQ(w.screen()->name(), QLatin1String(c.screen));
    if (c.fixed) {
        // The frame included, centred, and no way to change it.
        EXPECT_EQ(w.frameGeometry(), c.frame);
        EXPECT_EQ(w.minimumSize(), w.maximumSize());
        EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        w.resize(198, 1);
        EXPECT_EQ(w.frameGeometry(), c.frame);
        w.showMaximized();
        EXPECT_FALSE(w.isMaximized());
        EXPECT_EQ(w.frameGeometry(), c.frame);
        // The bottom of the window (tab strip, text pane) is on the screen.
        EXPECT_TRUE(w.rect().contains(w.supertext->geometry()));
        EXPECT_TRUE(w.rect().contains(w.Onglets->geometry()));
    } else {
        EXPECT_LT(w.minimumSize().width(), w.maximumSize().width());
        w.resize(900, 700);
        EXPECT_EQ(w.size(), QSize(900, 700));
        w.showMaximized();
        EXPECT_TRUE(w.isMaximized());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowSize,
    ::testing::Values(ScreenCase{"narrow", true, QRect(0, 0, 800, 600)},
                      ScreenCase{"almost", true, QRect(800 + 24, 50, 800, 600)},
                      ScreenCase{"wide", false, QRect()}),
    [](const ::testing::TestParamInfo<ScreenCase>& info) { return info.param.screen; });

}  // namespace
}  // namespace ondalis::testing
