#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

#include "mainwindow_fixture.h"
#include "platform/widgets/drawingsurface.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

class ParameterFields : public MainWindowTest {
protected:
    // Types into a field with real key presses, then leaves it for the next field.
    QString typeAndLeave(int index, const QString& keys) {
        ParameterEdit* field = window->Text5(index);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, keys);
        window->Text5((index + 1) % 4)->setFocus();
        return field->text();
    }
};

TEST_F(ParameterFields, leavingAFieldClampsAndRounds) {
    open();
    EXPECT_EQ(typeAndLeave(0, QStringLiteral("12")), QStringLiteral("10"));
    EXPECT_EQ(typeAndLeave(0, QStringLiteral("-12,5")), QStringLiteral("-10"));
    EXPECT_EQ(typeAndLeave(1, QStringLiteral("1234")), QStringLiteral("1230"));
    EXPECT_EQ(typeAndLeave(3, QStringLiteral("-3")), QStringLiteral("0"));
    EXPECT_EQ(typeAndLeave(2, QStringLiteral("-")), QStringLiteral("1"));
}

TEST_F(ParameterFields, keyFilterTurnsFullStopsIntoCommasAndDropsOtherKeys) {
    feuilleP& w = open();
    ParameterEdit* field = w.Text5(0);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("a3+.1E4x159"));
    EXPECT_EQ(field->text(), QStringLiteral("3,14159"));
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), QStringLiteral("3,1415"));
}

TEST_F(ParameterFields, enterValidatesWithoutLeavingTheField) {
    feuilleP& w = open();
    ParameterEdit* field = w.Text5(0);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("3.14159"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), QStringLiteral("3,14"));
    EXPECT_TRUE(field->hasFocus());
    // The motion follows at once: the solid stands at x0.
    EXPECT_FLOAT_EQ(w.currentSample().x, 3.14f);
    EXPECT_EQ(w.motionConstants().regime, Regime::Underdamped);
}

TEST_F(ParameterFields, pastedTextIsValidatedLikeTypedText) {
    feuilleP& w = open();
    ParameterEdit* field = w.Text5(1);
    field->setFocus();
    field->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("abc"));
    QTest::keyClick(field, Qt::Key_Enter);
    EXPECT_EQ(field->text(), QStringLiteral("10"));
}

TEST_F(ParameterFields, enteringAFieldPausesAndLeavingItResetsWhenItsValueChanged) {
    feuilleP& w = open();
    w.Text5(0)->setText(QStringLiteral("5"));
    w.Text5_LostFocus(0);
    w.command15_Click();
    tick(10);
    EXPECT_TRUE(w.isRunning());
    EXPECT_GT(w.currentSample().t, 0.1);

    w.Text5(1)->setFocus();
    EXPECT_FALSE(w.isRunning());
    EXPECT_GT(w.currentSample().t, 0.1);  // paused, not reset
    w.Text5(2)->setFocus();               // left unchanged: still paused where it was
    EXPECT_FALSE(w.isRunning());
    EXPECT_GT(w.currentSample().t, 0.1);
    EXPECT_EQ(typeAndLeave(2, QStringLiteral("20")), QStringLiteral("20"));
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(w.currentSample().t, 0.0);
    EXPECT_FLOAT_EQ(w.currentSample().x, 5.0f);
}

TEST_F(ParameterFields, theSmallestValuesAreShownAsTheMotionUsesThem) {
    feuilleP& w = open();
    EXPECT_EQ(typeAndLeave(FrictionField, QStringLiteral("0.00000123456")),
              QStringLiteral("0,00000123"));
    EXPECT_EQ(w.parameters().h, 1.23e-6f);
    EXPECT_EQ(w.motionConstants().regime, Regime::Underdamped);
}

TEST_F(ParameterFields, panelShowsHeadingsLabelsAndUnitsAroundTheFields) {
    feuilleP& w = open();
    const QImage img = w.Picture3->image();
    EXPECT_EQ(img.pixelColor(5, 5), QColor(240, 235, 230));
    // Some dark text pixels in the heading column, left of each field and right of it.
    const auto darkIn = [&](QRect r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (img.pixelColor(x, y).lightness() < 100) return true;
        return false;
    };
    for (int i = 0; i < 4; ++i) {
        const QRect f = w.Text5(i)->geometry();
        EXPECT_TRUE(darkIn(QRect(18, f.top() + 2, 60, 12))) << "heading " << i;
        EXPECT_TRUE(darkIn(QRect(f.left() - 40, f.top() + 2, 38, 12))) << "label " << i;
        EXPECT_TRUE(darkIn(QRect(f.right() + 1, f.top() - 2, 20, 16))) << "unit " << i;
    }
}

}  // namespace
}  // namespace ondalis::testing
