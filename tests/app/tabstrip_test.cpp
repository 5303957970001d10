#include "mainwindow/widgets/tabstrip.h"

#include <QScrollBar>
#include <functional>

#include "mainwindow_fixture.h"
#include "platform/canvas/palette.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/recordingpanel.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"

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

// What the control itself shows (its panels and other children left out).
QImage picture(QWidget* w) {
    QImage image(w->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

// Takes the focus from the keyboard: Tab from the control before it in the focus chain.
void tabInto(QWidget* control) {
    QWidget* before = control->previousInFocusChain();
    while (!(before->focusPolicy() & Qt::TabFocus) || !before->isVisible() || !before->isEnabled())
        before = before->previousInFocusChain();
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control);
}

using FocusMarks = MainWindowTest;

TEST_F(FocusMarks, theStripTheSpinnersAndTheSwatchesRingTheKeyboardFocusOverTheirPicture) {
    feuilleP& w = open();
    struct Case {
        const char* name;
        int tab;
        QWidget* control;
        std::function<QRect()> ring;
        int width;
        QImage unfocused;  // what the control shows without the focus, drawn independently
    };
    QScrollBar reference(Qt::Vertical, w.Frame2);
    reference.setRange(-50, 90);
    reference.setValue(-10);
    reference.resize(w.Frame2->VScroll3()->size());
    reference.hide();
    const QImage swatch = [&] {
        QImage i(17, 17, QImage::Format_RGB32);
        i.fill(QColor(128, 128, 128));
        for (int y = 1; y < 16; ++y)
            for (int x = 1; x < 16; ++x) i.setPixelColor(x, y, w.Label4(3)->color());
        return i;
    }();
    w.Onglets->selectTab(2);
    const Case cases[] = {
        {"Onglets", 2, w.Onglets, [&] { return w.Onglets->focusFrame(); }, 1,
         w.Onglets->image().convertToFormat(QImage::Format_RGB32)},
        {"VScroll3", 2, w.Frame2->VScroll3(), [&] { return w.Frame2->VScroll3()->rect(); }, 2,
         picture(&reference)},
        {"Label4(3)", 2, w.Label4(3), [&] { return w.Label4(3)->rect(); }, 2, swatch},
    };
    const QRgb mark = w.palette().color(QPalette::Active, QPalette::Highlight).darker(125).rgb();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.Onglets->selectTab(c.tab);
        const QImage before = picture(c.control);
        EXPECT_EQ(before, c.unfocused);
        tabInto(c.control);
        const QImage focused = picture(c.control);
        // The ring in the focus colour; for a swatch a white line inside it; else nothing moves.
        const QRect ring = c.ring();
        const QRect inside = ring.adjusted(c.width, c.width, -c.width, -c.width);
        const QRect line = inside.adjusted(1, 1, -1, -1);
        const bool swatchLine = c.control == w.Label4(3);
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x) {
                const QPoint p(x, y);
                const QRgb expected = ring.contains(p) && !inside.contains(p) ? mark
                                      : swatchLine && inside.contains(p) && !line.contains(p)
                                          ? qRgb(255, 255, 255)
                                          : before.pixel(p);
                ASSERT_EQ(focused.pixel(p), expected) << x << ", " << y;
            }
        QTest::keyClick(c.control, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), c.control);
        EXPECT_EQ(picture(c.control), before);
    }
    // The strip's ring frames the selected title without touching it, inside its tab.
    const QRect frame = w.Onglets->focusFrame();
    const auto& b = w.Onglets->layout().bounds;
    EXPECT_GT(frame.left(), b[1]);
    EXPECT_LT(frame.right(), b[2] - 1);
    const QImage strip = w.Onglets->image();
    for (int x = frame.left(); x <= frame.right(); ++x)
        for (int y : {frame.top(), frame.bottom()})
            EXPECT_NE(strip.pixelColor(x, y), QColor(Qt::black)) << x << ", " << y;
}

TEST_F(FocusMarks, aClickAloneShowsNoRingAsThePlatformsOwnControlsDo) {
    feuilleP& w = open();
    TabStrip& strip = *w.Onglets;
    const auto& b = strip.layout().bounds;
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint((b[1] + b[2]) / 2, 5));
    ASSERT_EQ(QApplication::focusWidget(), &strip);
    EXPECT_EQ(picture(&strip), strip.image().convertToFormat(QImage::Format_RGB32));
}

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
