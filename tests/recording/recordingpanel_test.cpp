// The "Enregistrement" panel driven through its real controls.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "platform/widgets/updown.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/recordingpanel.h"
#include "recording/widgets/valuetable.h"

namespace ondalis {
namespace {

// The panel with the owner's side of the duration change: settings and label follow.
class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        panel.resize(785, 260);
        QObject::connect(&panel, &RecordingPanel::durationIndexChanged, &panel, [this](int index) {
            panel.applyDuration(settings, index);
            ++changes;
        });
        panel.setDurationIndex(3);  // start-up
        panel.tetetab();
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    }
    void clickUp() { QTest::mouseClick(panel.upDown()->upButton(), Qt::LeftButton); }
    void clickDown() { QTest::mouseClick(panel.upDown()->downButton(), Qt::LeftButton); }

    RecordingPanel panel;
    RecordingSettings settings;
    int changes = 0;
};

TEST_F(Panel, start_up_index_three_shows_five_seconds) {
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(panel.durationIndex(), 3);
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("5 s"));
    EXPECT_EQ(settings.duration, 5.0f);
}

TEST_F(Panel, clicking_the_up_arrow_lengthens_the_duration) {
    QSignalSpy spy(&panel, &RecordingPanel::durationIndexChanged);
    clickUp();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 4);
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("10 s"));
    EXPECT_EQ(settings.duration, 10.0f);
    EXPECT_EQ(settings.durationIndex, 4);
}

TEST_F(Panel, down_arrow_reaches_one_millisecond_and_stops_there) {
    for (int i = 0; i < 11; ++i) clickDown();
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("1 ms"));
    EXPECT_EQ(settings.duration, 0.001f);
    EXPECT_EQ(panel.durationIndex(), -8);
    QSignalSpy spy(&panel, &RecordingPanel::durationIndexChanged);
    clickDown();
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(panel.durationIndex(), -8);
}

TEST_F(Panel, up_arrow_stops_at_ten_minutes) {
    for (int i = 0; i < 7; ++i) clickUp();
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("10 min"));
    QSignalSpy spy(&panel, &RecordingPanel::durationIndexChanged);
    clickUp();
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(settings.duration, 600.0f);
}

TEST_F(Panel, arrow_keys_step_the_duration_from_the_keyboard) {
    panel.upDown()->setFocus();
    QTest::keyClick(panel.upDown(), Qt::Key_Up);
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("10 s"));
    QTest::keyClick(panel.upDown(), Qt::Key_Down);
    QTest::keyClick(panel.upDown(), Qt::Key_Down);
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("2 s"));
    QTest::keyClick(panel.upDown(), Qt::Key_End);
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("10 min"));
}

TEST_F(Panel, index_outside_the_table_is_signalled_but_keeps_duration_label_and_arrows) {
    // As a stored configuration may hold.
    QSignalSpy spy(&panel, &RecordingPanel::durationIndexChanged);
    panel.setDurationIndex(11);
    panel.setDurationIndex(-9);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][0].toInt(), 11);
    EXPECT_EQ(panel.labelg()->text(), QStringLiteral("5 s"));
    EXPECT_EQ(settings.duration, 5.0f);
    EXPECT_EQ(settings.durationIndex, -9);
    EXPECT_EQ(panel.durationIndex(), 3);
}

TEST_F(Panel, sentence_label_arrows_and_grid_are_laid_out) {
    DrawingSurface probe;
    probe.setFont(QStringLiteral("Arial"), 8);
    const int textEnd = 16 + probe.textWidth(QStringLiteral("Durée de l'enregistrement "));
    EXPECT_EQ(panel.labelg()->x(), textEnd);
    EXPECT_EQ(panel.labelg()->y(), 10);
    EXPECT_EQ(panel.upDown()->x(), panel.labelg()->x() + panel.labelg()->width());
    // The label fits the longest duration text.
    EXPECT_GE(panel.labelg()->width(),
              QFontMetrics(panel.labelg()->font()).horizontalAdvance(QStringLiteral("500 ms")));
    // The grid is as wide as the panel, centred, and reaches its bottom.
    ValueGrid* grid = panel.grid();
    EXPECT_EQ(grid->width(), 785);
    EXPECT_EQ(grid->x(), 0);
    EXPECT_EQ(grid->y() + grid->height(), 260);
    panel.resize(900, 400);
    EXPECT_EQ(grid->x(), (900 - 785) / 2);
    EXPECT_EQ(grid->y() + grid->height(), 400);
    // The sentence is painted in black on the panel colour.
    const QImage img = panel.image();
    EXPECT_EQ(img.pixelColor(5, 5), QColor(240, 235, 230));
    int dark = 0;
    for (int y = 10; y < 24; ++y)
        for (int x = 16; x < textEnd; ++x) dark += img.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 50);
}

TEST_F(Panel, grid_outside_colour_is_the_panel_colour) {
    const QImage img = panel.grid()->viewport()->grab().toImage();
    EXPECT_EQ(img.pixelColor(7 * 78 + 30, 5), QColor(240, 235, 230));
    EXPECT_EQ(img.pixelColor(3, 8), QColor(210, 205, 200));
}

TEST_F(Panel, controls_carry_their_names_for_the_code_and_for_screen_readers) {
    EXPECT_EQ(panel.objectName(), QStringLiteral("Picture6"));
    auto* grid = panel.findChild<ValueGrid*>(QStringLiteral("MSFlexGrid1"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->accessibleName(), QStringLiteral("Tableau de valeurs"));
    auto* upDown = panel.findChild<UpDown*>(QStringLiteral("UpDown1"));
    ASSERT_NE(upDown, nullptr);
    EXPECT_NE(panel.findChild<QLabel*>(QStringLiteral("Labelg")), nullptr);
    auto* pictete = panel.findChild<DrawingSurface*>(QStringLiteral("Pictete"));
    ASSERT_NE(pictete, nullptr);
    EXPECT_FALSE(pictete->isVisible());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(upDown);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::SpinBox);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Durée de l'enregistrement"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("5 s"));
    ASSERT_NE(iface->valueInterface(), nullptr);
    EXPECT_EQ(iface->valueInterface()->minimumValue().toInt(), -8);
    EXPECT_EQ(iface->valueInterface()->maximumValue().toInt(), 10);
    EXPECT_EQ(upDown->upButton()->accessibleName(), QStringLiteral("Durée plus longue"));
    EXPECT_EQ(upDown->downButton()->accessibleName(), QStringLiteral("Durée plus courte"));
}

}  // namespace
}  // namespace ondalis
