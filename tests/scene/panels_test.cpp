// The "Vecteurs" and "Affichage" panels, driven with real clicks and keys.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "platform/widgets/colorswatch.h"
#include "scene/swatches.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"

namespace ondalis {
namespace {

const QColor PanelColour(240, 235, 230);

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

// Clicks one of a scroll bar's arrows.
void clickArrow(QScrollBar* bar, QStyle::SubControl arrow) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect r = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
    ASSERT_TRUE(r.isValid() && r.height() >= 8) << "arrow too small to use";
    QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
}

class VectorsPanelTest : public testing::Test {
protected:
    VectorsPanelTest() {
        panel_.resize(409, 139);
        panel_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel_));
    }
    QColor at(int x, int y) const { return panel_.image().pixelColor(x, y); }
    // Right end of the black bar on the row y = 120, from its left end.
    int barRight(int left) const {
        int x = left;
        while (x + 1 < panel_.imageWidth() && at(x + 1, VectorsPanel::BarY) == QColor(Qt::black))
            ++x;
        return x;
    }

    VectorsPanel panel_;
};

TEST_F(VectorsPanelTest, ControlsHaveTheirNamesTextsAndStartValues) {
    EXPECT_EQ(panel_.objectName(), QStringLiteral("Frame2"));
    EXPECT_EQ(panel_.Check5()->objectName(), QStringLiteral("Check5"));
    EXPECT_EQ(panel_.Check5()->text(), QStringLiteral("Afficher le vecteur vitesse"));
    EXPECT_EQ(panel_.Check12()->objectName(), QStringLiteral("Check12"));
    EXPECT_EQ(panel_.Check12()->text(), QStringLiteral("Afficher les vecteurs forces"));
    EXPECT_FALSE(panel_.Check5()->isChecked());
    EXPECT_FALSE(panel_.Check12()->isChecked());

    EXPECT_EQ(panel_.VScroll1()->objectName(), QStringLiteral("VScroll1"));
    EXPECT_EQ(panel_.VScroll1()->accessibleName(), QStringLiteral("Échelle de la vitesse"));
    EXPECT_EQ(panel_.VScroll1()->value(), 70);
    EXPECT_EQ(panel_.VScroll1()->minimum(), 0);
    EXPECT_EQ(panel_.VScroll1()->maximum(), 90);
    EXPECT_EQ(panel_.VScroll3()->objectName(), QStringLiteral("VScroll3"));
    EXPECT_EQ(panel_.VScroll3()->accessibleName(), QStringLiteral("Échelle des forces"));
    EXPECT_EQ(panel_.VScroll3()->value(), -10);
    EXPECT_EQ(panel_.VScroll3()->minimum(), -50);
    EXPECT_EQ(panel_.VScroll3()->maximum(), 90);
    EXPECT_EQ(panel_.VScroll1()->width(), 17);

    for (int i : {0, 2, 3, 4}) {
        ASSERT_NE(panel_.Label4(i), nullptr) << i;
        EXPECT_EQ(panel_.Label4(i)->objectName(), QStringLiteral("Label4_%1").arg(i));
        EXPECT_EQ(panel_.Label4(i)->color(), defaultSwatchColor(i));
        EXPECT_FALSE(panel_.Label4(i)->accessibleName().isEmpty());
    }
    EXPECT_EQ(panel_.Label4(1), nullptr);
    EXPECT_EQ(panel_.Label4(0)->geometry(), QRect(248, 48, 17, 17));
    EXPECT_EQ(panel_.Label4(2)->geometry(), QRect(40, 48, 17, 17));
    EXPECT_EQ(panel_.Label4(3)->geometry(), QRect(104, 48, 17, 17));
    EXPECT_FALSE(panel_.Label4(4)->isVisible());
}

TEST_F(VectorsPanelTest, TickingASwitchAsksForARedraw) {
    QSignalSpy changed(&panel_, &VectorsPanel::vectorSettingsChanged);
    click(panel_.Check5());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(panel_.vectorView().velocityShown);
    EXPECT_FALSE(panel_.vectorView().forcesShown);
    click(panel_.Check12());
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(panel_.vectorView().forcesShown);
    panel_.Check5()->setFocus();
    QTest::keyClick(panel_.Check5(), Qt::Key_Space);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_FALSE(panel_.vectorView().velocityShown);
}

TEST_F(VectorsPanelTest, ClickingASwatchGivesItsIndex) {
    QSignalSpy clicked(&panel_, &VectorsPanel::swatchClicked);
    QSignalSpy changed(&panel_, &VectorsPanel::vectorSettingsChanged);
    for (int i : {0, 2, 3}) {
        click(panel_.Label4(i));
        ASSERT_EQ(clicked.count(), 1) << i;
        EXPECT_EQ(clicked.takeFirst().at(0).toInt(), i);
    }
    EXPECT_EQ(changed.count(), 0);
    // The hidden swatch cannot be reached.
    QTest::mouseClick(panel_.Label4(4), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(VectorsPanelTest, UpperArrowLowersTheScaleAndLengthensTheBar) {
    EXPECT_EQ(barRight(VectorsPanel::ForceBarLeft), 64 + 110);
    EXPECT_EQ(barRight(VectorsPanel::VelocityBarLeft), 272 + 30);
    QSignalSpy changed(&panel_, &VectorsPanel::vectorSettingsChanged);

    clickArrow(panel_.VScroll3(), QStyle::SC_ScrollBarSubLine);
    const int force = panel_.VScroll3()->value();
    EXPECT_LT(force, -10);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(barRight(VectorsPanel::ForceBarLeft), 64 + 100 - force);
    EXPECT_EQ(panel_.vectorView().forceScale, force);
    // End ticks from 3 above to 4 below the bar, at both ends.
    for (int x : {64, 64 + 100 - force}) {
        EXPECT_EQ(at(x, 117), QColor(Qt::black)) << x;
        EXPECT_EQ(at(x, 124), QColor(Qt::black)) << x;
        EXPECT_EQ(at(x, 125), PanelColour) << x;
    }
    EXPECT_EQ(at(64 + 100 - force + 1, 120), PanelColour);

    clickArrow(panel_.VScroll1(), QStyle::SC_ScrollBarAddLine);
    const int speed = panel_.VScroll1()->value();
    EXPECT_GT(speed, 70);
    EXPECT_EQ(barRight(VectorsPanel::VelocityBarLeft), 272 + 100 - speed);
    EXPECT_EQ(panel_.vectorView().velocityScale, speed);
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(VectorsPanelTest, ScalesStopAtTheirLimits) {
    panel_.VScroll1()->setValue(0);
    clickArrow(panel_.VScroll1(), QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(panel_.VScroll1()->value(), 0);
    EXPECT_EQ(barRight(VectorsPanel::VelocityBarLeft), 372);
    panel_.VScroll3()->setValue(200);
    EXPECT_EQ(panel_.VScroll3()->value(), 90);
    EXPECT_EQ(barRight(VectorsPanel::ForceBarLeft), 74);
}

TEST_F(VectorsPanelTest, KeyboardUpArrowLowersTheScale) {
    panel_.VScroll1()->setFocus();
    QTest::keyClick(panel_.VScroll1(), Qt::Key_Up);
    EXPECT_LT(panel_.VScroll1()->value(), 70);
}

TEST_F(VectorsPanelTest, DecadeCaptionsFollowTheExponents) {
    // "1 N" then "100 N": the caption grows to the right, above the force bar.
    auto captionRight = [&] {
        int right = -1;
        for (int y = 95; y < 117; ++y)
            for (int x = 60; x < 240; ++x)
                if (at(x, y).red() < 120) right = std::max(right, x);
        return right;
    };
    const int one = captionRight();
    panel_.setExponents(2, -1);
    const int hundred = captionRight();
    EXPECT_GT(hundred, one + 8);
    panel_.setExponents(0, 0);
    EXPECT_EQ(captionRight(), one);
    EXPECT_EQ(panel_.vectorView().forceExponent, 0);
    panel_.setExponents(1, -2);
    EXPECT_EQ(panel_.vectorView().forceExponent, 1);
    EXPECT_EQ(panel_.vectorView().speedExponent, -2);
}

TEST_F(VectorsPanelTest, LegendsShowTheSymbolsBesideTheSwatches) {
    for (int left : {248, 40, 104}) {
        bool ink = false;
        for (int y = 40; y < 66; ++y)
            for (int x = left + 20; x < left + 34; ++x) ink = ink || at(x, y).red() < 120;
        EXPECT_TRUE(ink) << left;
    }
}

TEST_F(VectorsPanelTest, RepaintsWhenResized) {
    panel_.resize(430, 150);
    QApplication::processEvents();
    EXPECT_EQ(panel_.imageWidth(), 430);
    EXPECT_EQ(at(425, 145), PanelColour);
    EXPECT_EQ(barRight(VectorsPanel::ForceBarLeft), 64 + 110);
}

TEST_F(VectorsPanelTest, ViewCarriesTheSwatchColours) {
    panel_.Label4(0)->setColor(QColor(1, 2, 3));
    panel_.Label4(2)->setColor(QColor(4, 5, 6));
    panel_.Label4(3)->setColor(QColor(7, 8, 9));
    const VectorView v = panel_.vectorView();
    EXPECT_EQ(v.velocityColor, QColor(1, 2, 3));
    EXPECT_EQ(v.tensionColor, QColor(4, 5, 6));
    EXPECT_EQ(v.frictionColor, QColor(7, 8, 9));
}

class DisplayPanelTest : public testing::Test {
protected:
    DisplayPanelTest() {
        panel_.resize(409, 139);
        panel_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel_));
    }
    QColor at(int x, int y) const { return panel_.image().pixelColor(x, y); }
    bool inkIn(int x1, int y1, int x2, int y2) const {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (at(x, y).red() < 120) return true;
        return false;
    }

    DisplayPanel panel_;
};

TEST_F(DisplayPanelTest, FreshPanelPlotsThePositionAndShowsAxisAndRuler) {
    EXPECT_EQ(panel_.objectName(), QStringLiteral("Picture1"));
    const char* options[] = {"Position", "Vitesse", "Accélération", "Energies"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(panel_.Option1(i)->objectName(), QStringLiteral("Option1_%1").arg(i));
        EXPECT_EQ(panel_.Option1(i)->text(), QString::fromUtf8(options[i]));
        EXPECT_EQ(panel_.Option1(i)->x(), 232);
    }
    EXPECT_EQ(panel_.quantity(), 0);
    EXPECT_TRUE(panel_.axisShown());
    EXPECT_TRUE(panel_.rulerShown());
    EXPECT_FALSE(panel_.boldTrace());
    EXPECT_FALSE(panel_.slowMotion());
    EXPECT_EQ(panel_.Check1()->text(), QStringLiteral("Afficher l'axe"));
    EXPECT_EQ(panel_.Check6()->text(), QStringLiteral("Afficher la règle"));
    EXPECT_EQ(panel_.Check3()->text(), QStringLiteral("Tracer en gras"));
    EXPECT_EQ(panel_.speed()->text(), QStringLiteral("Animation au ralenti"));
    EXPECT_EQ(panel_.speed()->objectName(), QStringLiteral("speed"));
    EXPECT_EQ(panel_.Check3()->pos(), QPoint(32, 112));

    for (int i : {1, 5, 6, 7, 8, 9}) {
        ASSERT_NE(panel_.Label4(i), nullptr) << i;
        EXPECT_EQ(panel_.Label4(i)->objectName(), QStringLiteral("Label4_%1").arg(i));
        EXPECT_EQ(panel_.Label4(i)->color(), defaultSwatchColor(i));
    }
    for (int i : {0, 2, 3, 4}) EXPECT_EQ(panel_.Label4(i), nullptr);
    EXPECT_EQ(panel_.Label4(6)->geometry(), QRect(336, 72, 17, 17));
    EXPECT_EQ(panel_.Label4(8)->geometry(), QRect(304, 116, 17, 17));
}

TEST_F(DisplayPanelTest, ChoosingAnotherQuantityIsReportedOnce) {
    QSignalSpy chosen(&panel_, &DisplayPanel::quantityChosen);
    click(panel_.Option1(2));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.takeFirst().at(0).toInt(), 2);
    EXPECT_EQ(panel_.quantity(), 2);
    click(panel_.Option1(2));
    EXPECT_EQ(chosen.count(), 0) << "already chosen";
    panel_.setQuantity(3);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.takeFirst().at(0).toInt(), 3);
}

TEST_F(DisplayPanelTest, OnlyAxisAndRulerAskForASceneRedraw) {
    QSignalSpy scene(&panel_, &DisplayPanel::sceneOptionsChanged);
    QSignalSpy chosen(&panel_, &DisplayPanel::quantityChosen);
    QSignalSpy swatch(&panel_, &DisplayPanel::swatchClicked);
    click(panel_.Check1());
    EXPECT_EQ(scene.count(), 1);
    EXPECT_FALSE(panel_.axisShown());
    click(panel_.Check6());
    EXPECT_EQ(scene.count(), 2);
    EXPECT_FALSE(panel_.rulerShown());
    click(panel_.Check3());
    click(panel_.speed());
    EXPECT_EQ(scene.count(), 2);
    EXPECT_TRUE(panel_.boldTrace());
    EXPECT_TRUE(panel_.slowMotion());
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(swatch.count(), 0);
}

TEST_F(DisplayPanelTest, ClickingASwatchGivesItsIndex) {
    QSignalSpy clicked(&panel_, &DisplayPanel::swatchClicked);
    for (int i : {1, 5, 6, 7, 8, 9}) {
        click(panel_.Label4(i));
        ASSERT_EQ(clicked.count(), 1) << i;
        EXPECT_EQ(clicked.takeFirst().at(0).toInt(), i);
    }
    panel_.Label4(7)->setFocus();
    QTest::keyClick(panel_.Label4(7), Qt::Key_Space);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.takeFirst().at(0).toInt(), 7);
}

TEST_F(DisplayPanelTest, PaintsHeadingsAndTheEnergyLegend) {
    EXPECT_EQ(at(5, 5), PanelColour);
    EXPECT_TRUE(inkIn(18, 9, 80, 21)) << "Animation";
    EXPECT_TRUE(inkIn(220, 9, 270, 21)) << "Graphe";
    for (int left : {248, 304, 360}) {
        EXPECT_TRUE(inkIn(left + 20, 116, left + 27, 128)) << "E at " << left;
        EXPECT_TRUE(inkIn(left + 28, 124, left + 36, 132)) << "subscript at " << left;
    }
    panel_.resize(420, 150);
    QApplication::processEvents();
    EXPECT_EQ(at(415, 145), PanelColour);
    EXPECT_TRUE(inkIn(18, 9, 80, 21));
}

}  // namespace
}  // namespace ondalis
