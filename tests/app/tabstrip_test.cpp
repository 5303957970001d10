#include "tabstrip.h"
#include "mainwindow_fixture.h"
#include "palette.h"
#include "parameterspanel.h"
#include "recordingpanel.h"
#include "valuegrid.h"

namespace ondalis::testing {
namespace {

TEST(TabLayout, fillsTheStripAndPicksTabsByTheirRightBoundary) {
    const TabLayout l = layoutTabs({60, 50, 52, 86}, 417);
    EXPECT_DOUBLE_EQ(l.gap, (417 - 248) / 8.0);
    EXPECT_EQ(l.bounds[0], -1);
    EXPECT_EQ(l.bounds[1], 101);  // -1 + 60 + 42.25 = 101.25
    EXPECT_EQ(l.bounds[4], 417);
    EXPECT_EQ(tabAt(l, l.bounds[1]), 1);
    EXPECT_EQ(tabAt(l, l.bounds[1] + 1), 2);
    EXPECT_EQ(tabAt(l, 417), 4);
    EXPECT_EQ(tabAt(l, 418), 0);
    // A narrower strip shrinks the gaps but still ends on its width.
    EXPECT_EQ(layoutTabs({60, 50, 52, 86}, 300).bounds[4], 300);
}

using TabStripInWindow = MainWindowTest;

TEST_F(TabStripInWindow, releasingOverATitleSelectsItsPanelOnlyInTheHeaderRow) {
    feuilleP& w = open();
    TabStrip& strip = *w.Onglets;
    const auto& b = strip.layout().bounds;
    const int middleOfTab3 = (b[2] + b[3]) / 2;
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(middleOfTab3, 16));
    EXPECT_EQ(strip.selectedTab(), 1);
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(middleOfTab3, 15));
    EXPECT_EQ(strip.selectedTab(), 3);
    EXPECT_FALSE(w.Picture3->isVisible());
    EXPECT_TRUE(strip.panel(3)->isVisible());
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(strip.layout().bounds[1], 5));
    EXPECT_EQ(strip.selectedTab(), 1);
    EXPECT_TRUE(w.Picture3->isVisible());
}

TEST_F(TabStripInWindow, keyboardMovesBetweenTabs) {
    feuilleP& w = open();
    w.Onglets->setFocus();
    QTest::keyClick(w.Onglets, Qt::Key_Right);
    EXPECT_EQ(w.Onglets->selectedTab(), 2);
    QTest::keyClick(w.Onglets, Qt::Key_Left);
    QTest::keyClick(w.Onglets, Qt::Key_Left);
    EXPECT_EQ(w.Onglets->selectedTab(), 4);
}

TEST_F(TabStripInWindow, drawsTheOutlineSeparatorsAndSunkenFrame) {
    feuilleP& w = open();
    TabStrip& s = *w.Onglets;
    const QImage img = s.image();
    const int W = s.width(), H = s.height();
    const int th = s.textHeight();
    EXPECT_EQ(img.pixelColor(W - 1, H / 2), qbColor(8));  // outline
    EXPECT_EQ(img.pixelColor(0, H / 2), qbColor(15));     // white left edge
    const int b2 = s.layout().bounds[2];
    EXPECT_EQ(img.pixelColor(b2 - 1, th / 2), qbColor(8));  // separator shadow
    EXPECT_EQ(img.pixelColor(b2, th / 2), qbColor(15));     // separator light
    EXPECT_EQ(img.pixelColor(3, H / 2), qbColor(8));        // sunken frame, dark side
    EXPECT_EQ(img.pixelColor(W / 2, H - 4), qbColor(15));   // and its light bottom
    // The selected tab stays open towards its panel: no white bottom edge under it.
    const int b1 = s.layout().bounds[1];
    EXPECT_NE(img.pixelColor(b1 / 2 + 4, th + 1), qbColor(15));
    EXPECT_EQ(img.pixelColor((b1 + b2) / 2, th + 1), qbColor(15));
}

}  // namespace
}  // namespace ondalis::testing

namespace ondalis::testing {
namespace {

TEST_F(TabStripInWindow, theValueTableFitsInsideTheRecordingPanel) {
    feuilleP& w = open();
    w.Onglets->selectTab(4);
    const QRect grid = w.Picture6->grid()->geometry();
    EXPECT_GE(grid.left(), 0);
    EXPECT_LE(grid.right(), w.Picture6->width() - 1);
    EXPECT_EQ(grid.bottom(), w.Picture6->height() - 1);
}

}  // namespace
}  // namespace ondalis::testing
