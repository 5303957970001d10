// The solid moved from the keyboard: the scene is reached with Tab, moves x0 as a slider does
// through the drag's path, and reads as a slider to a screen reader.
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <vector>

#include "mainwindow_fixture.h"
#include "platform/widgets/drawingsurface.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

class SceneKeys : public MainWindowTest {
protected:
    // Tabs from the first command button until the focus is on `target`; the controls passed
    // on the way, in order.
    std::vector<QWidget*> tabTo(feuilleP& w, QWidget* target) {
        std::vector<QWidget*> passed;
        w.Command2->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 60 && QApplication::focusWidget() != target; ++i) {
            passed.push_back(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return passed;
    }

    void press(QWidget* w, Qt::Key key, int times = 1, Qt::KeyboardModifiers m = {}) {
        for (int i = 0; i < times; ++i) QTest::keyClick(w, key, m);
    }

    // Whether the solid's black outline stands at X ± 15 (rows 7 to 35).
    static bool solidAt(const QImage& scene, int x) {
        for (int y : {7, 21, 35})
            for (int edge : {x - 15, x + 15})
                if (scene.pixelColor(edge, y) != QColor(Qt::black)) return false;
        return scene.pixelColor(x, 7) == QColor(Qt::black);
    }
};

TEST_F(SceneKeys, tabReachesTheSceneRightAndShiftRightMoveTheSolidAndEndGoesTo10) {
    feuilleP& w = open();
    const std::vector<QWidget*> passed = tabTo(w, w.Picture2);
    ASSERT_EQ(QApplication::focusWidget(), w.Picture2);
    // The scene comes right after the animation buttons and their step buttons.
    ASSERT_FALSE(passed.empty());
    EXPECT_EQ(passed.back()->objectName(), QStringLiteral("commandRetour"));

    press(w.Picture2, Qt::Key_Right, 3);
    press(w.Picture2, Qt::Key_Right, 2, Qt::ShiftModifier);
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("3,4"));
    EXPECT_EQ(w.currentSample().x, 3.4f);
    EXPECT_EQ(w.Label1->text(), QStringLiteral("3,40"));
    EXPECT_TRUE(solidAt(w.Picture2->image(), 552));  // 30·3,4 + 450
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(QApplication::focusWidget(), w.Picture2);

    press(w.Picture2, Qt::Key_End);
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("10"));
    EXPECT_TRUE(solidAt(w.Picture2->image(), 750));
    press(w.Picture2, Qt::Key_PageDown);
    press(w.Picture2, Qt::Key_Left, 1, Qt::ShiftModifier);
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("7,8"));
    press(w.Picture2, Qt::Key_Home);
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("-10"));
    EXPECT_TRUE(solidAt(w.Picture2->image(), 150));

    // Tab goes on to the control that followed the animation buttons before.
    QTest::keyClick(w.Picture2, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), w.Picture2);
}

TEST_F(SceneKeys, aKeyResetsAPausedMotionAtTheNewPositionAndDoesNothingWhileRunning) {
    feuilleP& w = openAt(QStringLiteral("5"));
    w.command15_Click();  // gives the scene the focus
    ASSERT_EQ(QApplication::focusWidget(), w.Picture2);
    tick(20);
    const double t = w.currentSample().t;
    press(w.Picture2, Qt::Key_Left);
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("5"));
    EXPECT_EQ(w.currentSample().t, t);
    EXPECT_TRUE(w.isRunning());
    EXPECT_EQ(w.statusText(), QStringLiteral("Mettez l'animation en pause ou arrêtez-la pour "
                                             "déplacer le mobile au clavier"));

    w.command16_Click();
    press(w.Picture2, Qt::Key_Left);
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("4"));
    EXPECT_EQ(w.currentSample().t, 0.0);
    EXPECT_EQ(w.rowsRecorded(), 1);  // the row at t = 0 only
    EXPECT_FALSE(w.isRunning());
}

TEST_F(SceneKeys, theSceneRingsTheKeyboardFocusOverItsPictureButNotInTheCopiedImage) {
    feuilleP& w = open();
    const QImage before = w.Picture2->grab().toImage().convertToFormat(QImage::Format_RGB32);
    tabTo(w, w.Picture2);
    const QImage focused = w.Picture2->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb mark = w.palette().color(QPalette::Active, QPalette::Highlight).darker(125).rgb();
    for (const QPoint& p : {QPoint(0, 0), QPoint(1, 30), QPoint(784, 56), QPoint(400, 55)})
        EXPECT_EQ(focused.pixel(p), mark) << p.x() << ", " << p.y();
    EXPECT_EQ(focused.pixel(400, 21), before.pixel(400, 21));
    EXPECT_EQ(w.Picture2->image().pixel(0, 0), before.pixel(0, 0));
    QTest::keyClick(w.Picture2, Qt::Key_Tab);
    EXPECT_EQ(w.Picture2->grab().toImage().convertToFormat(QImage::Format_RGB32), before);
}

TEST_F(SceneKeys, aScreenReaderFindsASliderWithItsValueInWordsThatFollowsEachMove) {
    feuilleP& w = open();
    QAccessibleInterface* scene = QAccessible::queryAccessibleInterface(w.Picture2);
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->role(), QAccessible::Slider);
    EXPECT_EQ(scene->text(QAccessible::Name), QStringLiteral("Animation"));
    EXPECT_EQ(scene->text(QAccessible::Value), QStringLiteral("Position initiale 0 cm"));
    QAccessibleValueInterface* value = scene->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toDouble(), -10.0);
    EXPECT_EQ(value->maximumValue().toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(value->minimumStepSize().toDouble(), 0.2);
    EXPECT_TRUE(scene->state().focusable);

    tabTo(w, w.Picture2);
    press(w.Picture2, Qt::Key_Right, 3);
    press(w.Picture2, Qt::Key_Right, 1, Qt::ShiftModifier);
    EXPECT_EQ(scene->text(QAccessible::Value), QStringLiteral("Position initiale 3,2 cm"));
    EXPECT_FLOAT_EQ(value->currentValue().toFloat(), 3.2f);
    // The field typed in moves the slider's value too; the reader sets it like a key.
    w.Text5(PositionField)->setFocus();
    w.Text5(PositionField)->setText(QStringLiteral("-4,5"));
    QTest::keyClick(w.Text5(PositionField), Qt::Key_Return);
    EXPECT_FLOAT_EQ(value->currentValue().toFloat(), -4.5f);
    value->setCurrentValue(6.789);
    EXPECT_EQ(w.Text5(PositionField)->text(), QStringLiteral("6,79"));
    EXPECT_EQ(scene->text(QAccessible::Value), QStringLiteral("Position initiale 6,79 cm"));

    // The description follows the motion when asked: position, velocity, regime, after the
    // value in words.
    EXPECT_EQ(scene->text(QAccessible::Description),
              QStringLiteral("Position initiale 6,79 cm. Mobile en x = 6,79 centimètres, "
                             "animation arrêtée, vitesse 0,00 mètres par seconde, régime "
                             "pseudo-périodique"));
}

}  // namespace
}  // namespace ondalis::testing
