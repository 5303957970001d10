#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

#include "analysis/widgets/analysiswindow.h"
#include "mainwindow_fixture.h"
#include "platform/widgets/drawingsurface.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

class MotionAnalysis : public MainWindowTest {
protected:
    AnalysisWindow& openAnalysis() {
        QTest::keyClick(window.get(), Qt::Key_M, Qt::ControlModifier);
        AnalysisWindow* a = window->analysisWindow();
        EXPECT_NE(a, nullptr);
        EXPECT_TRUE(a && a->isVisible());
        return *a;
    }

    void recordAll() {
        window->command15_Click();
        for (int i = 0; i < 5000 && window->rowsRecorded() < 51; ++i) tick();
        window->command16_Click();
    }

    // Every text the window shows: labels and table cells.
    static QString allTexts(const AnalysisWindow& a) {
        QString all;
        for (const QLabel* l : a.findChildren<QLabel*>()) all += l->text() + '\n';
        for (const QTableWidget* t : a.findChildren<QTableWidget*>())
            for (int r = 0; r < t->rowCount(); ++r)
                for (int c = 0; c < t->columnCount(); ++c)
                    if (t->item(r, c)) all += t->item(r, c)->text() + '\n';
        return all;
    }
};

TEST_F(MotionAnalysis, costsNothingUntilOpenedThenOpensBesideTheMainWindow) {
    feuilleP& w = openAt(QStringLiteral("5"));
    EXPECT_EQ(w.analysisWindow(), nullptr);
    w.command15_Click();
    tick(20);
    EXPECT_EQ(w.analysisWindow(), nullptr);
    AnalysisWindow& a = openAnalysis();
    EXPECT_EQ(a.windowTitle(), QStringLiteral("Analyse du mouvement"));
    EXPECT_FALSE(a.isModal());
    EXPECT_EQ(a.pos(), AnalysisWindow::placeBeside(w.frameGeometry(), a.size(),
                                                   w.screen()->availableGeometry()));
    // The button opens the same window again, and Alt+N reaches it.
    a.close();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier);
    // An accelerator presses its button a moment later.
    for (int i = 0; i < 100 && !a.isVisible(); ++i) QTest::qWait(10);
    EXPECT_EQ(w.analysisWindow(), &a);
    EXPECT_TRUE(a.isVisible());
}

TEST_F(MotionAnalysis, followsTheRunFrameByFrame) {
    feuilleP& w = openAt(QStringLiteral("5"));
    AnalysisWindow& a = openAnalysis();
    EXPECT_EQ(a.quantityText(0), QStringLiteral("pseudo-périodique"));
    const QImage before = a.phaseChart->image();
    w.command15_Click();
    tick(25);
    const MotionSample& s = w.currentSample();
    EXPECT_EQ(a.phaseChart->image().pixelColor(a.portrait().pixelFor(s.x, s.v)),
              PhasePortrait::PointColour);
    EXPECT_NE(a.phaseChart->image(), before);
    a.parts->setCurrentIndex(1);
    EXPECT_TRUE(a.energyChart->description().contains(QStringLiteral("Ec = ")));
    // A reset starts the portrait over and the quantities follow the new parameters.
    ParameterEdit* h = w.Text5(FrictionField);
    h->setFocus();
    h->setText(QStringLiteral("0"));
    QTest::keyClick(h, Qt::Key_Return);
    EXPECT_EQ(a.quantityText(0), QStringLiteral("périodique"));
    EXPECT_EQ(a.quantityText(4), QStringLiteral("∞ s"));
}

struct CriticalCase {
    const char* mass;
    const char* stiffness;
    const char* h;  // what the field shows afterwards
    const char* regime;
};

class CriticalDampingButton : public MotionAnalysis,
                              public ::testing::WithParamInterface<CriticalCase> {};

TEST_P(CriticalDampingButton, setsHcThroughTheFieldAndSaysHowCloseItIs) {
    const CriticalCase& c = GetParam();
    feuilleP& w = openAt(QStringLiteral("5"));
    for (auto [field, text] :
         {std::pair{MassField, c.mass}, std::pair{StiffnessField, c.stiffness}}) {
        ParameterEdit* e = w.Text5(field);
        e->setFocus();
        e->setText(QString::fromUtf8(text));
        QTest::keyClick(e, Qt::Key_Return);
    }
    AnalysisWindow& a = openAnalysis();
    w.command15_Click();
    tick(10);
    QTest::mouseClick(a.criticalButton, Qt::LeftButton);
    EXPECT_EQ(w.Text5(FrictionField)->text(), QString::fromUtf8(c.h));
    EXPECT_FALSE(w.isRunning());
    EXPECT_EQ(w.currentSample().t, 0.0);
    EXPECT_EQ(a.quantityText(0), QString::fromUtf8(c.regime));
    EXPECT_TRUE(a.criticalEdge->text().contains(QStringLiteral("amortissement critique")))
        << a.criticalEdge->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(RoundedHc, CriticalDampingButton,
                         ::testing::Values(CriticalCase{"145", "10", "2,41", "apériodique"},
                                           CriticalCase{"100", "10", "2", "critique"},
                                           CriticalCase{"10", "49", "1,4", "critique"},
                                           CriticalCase{"120", "10", "2,19", "pseudo-périodique"},
                                           CriticalCase{"5000", "1000", "141",
                                                        "pseudo-périodique"}));

TEST_F(MotionAnalysis, fitsTheRecordedTableWithUncertaintiesAndTheory) {
    feuilleP& w = openAt(QStringLiteral("5"));
    AnalysisWindow& a = openAnalysis();
    recordAll();
    ASSERT_EQ(w.rowsRecorded(), 51);
    a.parts->setCurrentIndex(3);
    QTest::mouseClick(a.fitButton, Qt::LeftButton);
    ASSERT_TRUE(a.lastFit().ok) << a.fitMessage->text().toStdString();
    EXPECT_EQ(a.fitTable->rowCount(), 4);
    EXPECT_TRUE(a.fitTable->item(1, 2)->text().startsWith(QStringLiteral("± ")));
    EXPECT_TRUE(a.fitMessage->text().contains(QStringLiteral("écart-type des résidus")));
    // The residuals' zero line and their points.
    ASSERT_EQ(a.residualChart->imageHeight(), 90);
    EXPECT_NE(a.residualChart->image().pixelColor(200, 45), Qt::white);
}

TEST_F(MotionAnalysis, aFlatTableGivesAFrenchMessageAndNoNumberOnScreen) {
    feuilleP& w = open();  // x0 = 0: the solid never moves
    AnalysisWindow& a = openAnalysis();
    recordAll();
    ASSERT_EQ(w.rowsRecorded(), 51);
    for (int m = 0; m < a.modelChoice->count(); ++m) {
        a.modelChoice->setCurrentIndex(m);
        QTest::mouseClick(a.fitButton, Qt::LeftButton);
        EXPECT_FALSE(a.lastFit().ok);
        EXPECT_TRUE(a.fitMessage->text().contains(QStringLiteral("plat")));
        EXPECT_EQ(a.fitTable->rowCount(), 0);
        const QString all = allTexts(a).toLower();
        EXPECT_FALSE(all.contains(QStringLiteral("nan"))) << all.toStdString();
    }
}

TEST_F(MotionAnalysis, namesEveryControlForScreenReaders) {
    open();
    AnalysisWindow& a = openAnalysis();
    int reachable = 0;
    for (QWidget* c : a.findChildren<QWidget*>()) {
        if (!(c->focusPolicy() & Qt::TabFocus) || c->inherits("QTabBar")) continue;
        ++reachable;
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className();
    }
    EXPECT_GE(reachable, 9);
}

TEST(AnalysisPlacement, putsTheWindowBesideTheMainWindowWhereTheScreenAllows) {
    const QSize size(420, 400);
    const struct {
        QRect main, screen;
        QPoint at;
    } cases[] = {
        {QRect(0, 0, 800, 600), QRect(0, 0, 1280, 1024), QPoint(800, 0)},
        {QRect(500, 50, 800, 600), QRect(0, 0, 1300, 1024), QPoint(80, 50)},
        {QRect(100, 100, 800, 600), QRect(0, 0, 1024, 768), QPoint(604, 100)},
        {QRect(0, 600, 800, 600), QRect(0, 0, 1280, 800), QPoint(800, 400)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnalysisWindow::placeBeside(c.main, size, c.screen), c.at) << c.main.x();
}

}  // namespace
}  // namespace ondalis::testing
