// "&Aide" and F1 open the help window; the scene shows what it showed before.
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "mainwindow/help/helpwindow.h"
#include "mainwindow/widgets/tabstrip.h"
#include "mainwindow_fixture.h"
#include "platform/widgets/drawingsurface.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis::testing {
namespace {

using HelpFromTheMainWindow = MainWindowTest;

TEST_F(HelpFromTheMainWindow, aideOpensTheContentsOnceAndKeepsTheScene) {
    feuilleP& w = open();
    // State: the solid stands at 5 cm.
    w.Text5(0)->setFocus();
    w.Text5(0)->selectAll();
    QTest::keyClicks(w.Text5(0), QStringLiteral("5"));
    w.Text5(1)->setFocus();
    const QImage scene = w.Picture2->image();
    const QImage background = w.Picture2->picture();
    ASSERT_NE(scene, background);

    // Action: "&Aide", twice.
    QTest::mouseClick(w.Command7, Qt::LeftButton);
    QTest::mouseClick(w.Command7, Qt::LeftButton);

    // Expected: one help window on its contents; the scene unchanged, its background still
    // without the solid.
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_TRUE(w.helpWindow()->isVisible());
    EXPECT_EQ(w.helpWindow()->currentPage(), QStringLiteral("index.html"));
    EXPECT_EQ(w.helpWindow()->tabs()->currentIndex(), 0);
    EXPECT_EQ(w.findChildren<HelpWindow*>().size(), 1);
    EXPECT_EQ(w.Picture2->image(), scene);
    EXPECT_EQ(w.Picture2->picture(), background);
}

TEST_F(HelpFromTheMainWindow, f1OpensThePageOfTheFocusedArea) {
    feuilleP& w = open();
    const struct {
        int tab;
        QWidget* focus;
        const char* page;
    } cases[] = {
        {1, w.Text5(2), "parametres.html"},
        {2, w.Frame2->VScroll1(), "vecteurs.html"},
        {4, w.Onglets, "enregistrement.html"},
        {1, w.Command11, "configurations.html"},
        {1, w.Command8, "calculatrice.html"},
        {1, w.Command7, "index.html"},
        {1, w.Picture2, "animation.html"},
        {1, w.findChild<QWidget*>(QStringLiteral("Projeter")), "projection.html"},
    };
    for (const auto& c : cases) {
        w.Onglets->selectTab(c.tab);
        QApplication::setActiveWindow(&w);
        c.focus->setFocus();
        QTest::keyClick(c.focus, Qt::Key_F1);
        ASSERT_NE(w.helpWindow(), nullptr) << c.page;
        EXPECT_EQ(w.helpWindow()->currentPage(), QString::fromLatin1(c.page));
    }
}

}  // namespace
}  // namespace ondalis::testing
