// The help holds together: every page of the contents exists and has a title, every link
// leads to a page (and an anchor) of the help, every picture loads, every window has its
// topic; and its search finds words whatever their accents.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include "mainwindow/help/helpcatalogue.h"
#include "mainwindow/help/helpwindow.h"

namespace ondalis {
namespace {

QString target(const QString& from, const QString& link) { return link.isEmpty() ? from : link; }

TEST(Help, EveryLinkIndexEntryAndPictureResolves) {
    const HelpCatalogue help;
    ASSERT_GE(help.topics().size(), 10);
    QSet<QString> pages;
    for (const auto& t : help.topics()) pages.insert(t.page);
    QStringList broken;
    const auto check = [&](const QString& from, const QString& link) {
        const QString file = target(from, link.section(QLatin1Char('#'), 0, 0));
        const QString anchor = link.section(QLatin1Char('#'), 1);
        if (!pages.contains(file))
            broken << from + QStringLiteral(" -> ") + link;
        else if (!anchor.isEmpty() && !HelpCatalogue::anchors(help.html(file)).contains(anchor))
            broken << from + QStringLiteral(" -> ") + link + QStringLiteral(" (ancre)");
    };
    for (const auto& t : help.topics()) {
        EXPECT_FALSE(help.html(t.page).isEmpty()) << t.page.toStdString();
        EXPECT_NE(t.title, t.page) << t.page.toStdString() << " has no <title>";
        for (const QString& link : HelpCatalogue::links(help.html(t.page))) check(t.page, link);
        for (const QString& src : HelpCatalogue::images(help.html(t.page)))
            if (QImage(help.root() + QLatin1Char('/') + src).isNull())
                broken << t.page + QStringLiteral(" -> image ") + src;
    }
    for (const auto& e : help.index()) check(HelpCatalogue::kHome, e.target);
    EXPECT_TRUE(broken.isEmpty()) << broken.join(QLatin1Char('\n')).toStdString();

    // No page of the resources is left out of the contents.
    for (const QString& page : QDir(help.root()).entryList({QStringLiteral("*.html")}))
        EXPECT_TRUE(pages.contains(page)) << page.toStdString() << " is not in sommaire.txt";
}

TEST(Help, EveryWindowAndPanelHasItsTopic) {
    const HelpCatalogue help;
    const struct {
        const char* page;
        const char* caption;
    } cases[] = {
        {"fenetre.html", "Quitter vraiment Ondalis ?"},
        {"parametres.html", "Coefficient de frottement"},
        {"vecteurs.html", "Afficher les vecteurs forces"},
        {"affichage.html", "Animation au ralenti"},
        {"enregistrement.html", "Durée de l'enregistrement"},
        {"animation.html", "Retrouver la position initiale"},
        {"animation.html", "Position initiale 3,4 cm"},
        {"projection.html", "Contraste élevé"},
        {"configurations.html", "Ouvrir une configuration"},
        {"configurations.html", "Enregistrer les paramètres."},
        {"exercices.html", "Ouvrir un exercice (énoncé + configuration)"},
        {"exercices.html", "Niveau de difficulté :"},
        {"calculatrice.html", "Machine à calculer"},
        {"calculatrice.html", "Erreur saisie: revoir les parenthèses"},
        {"impression.html", "Nombre d'exemplaires :"},
        {"copies.html", "Copier le contenu du tableau"},
        {"exports.html", "Copier le tableau avec les en-têtes (Regressi, tableur)"},
        {"exports.html", "Exporter le graphe…"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(
            help.plainText(QString::fromLatin1(c.page)).contains(QString::fromUtf8(c.caption)))
            << c.page << ": " << c.caption;
}

TEST(Help, SearchIgnoresCaseAndAccentsAndNeedsEveryWord) {
    const HelpCatalogue help;
    const QList<HelpCatalogue::SearchHit> hits = help.search(QStringLiteral("ENERGIE cinetique"));
    ASSERT_FALSE(hits.isEmpty());
    QStringList pages;
    for (const auto& h : hits) pages << h.page;
    EXPECT_TRUE(pages.contains(QStringLiteral("mouvement.html")));
    for (int i = 1; i < hits.size(); ++i) EXPECT_GE(hits[i - 1].count, hits[i].count);
    EXPECT_TRUE(help.search(QStringLiteral("pseudo-période zzzz")).isEmpty());
    EXPECT_TRUE(help.search(QStringLiteral("   ")).isEmpty());
}

TEST(Help, IndexIsInFrenchOrderWithAnchorsSplitOff) {
    const HelpCatalogue help;
    ASSERT_GT(help.index().size(), 50);
    bool found = false;
    for (const auto& e : help.index()) {
        EXPECT_FALSE(e.keyword.contains(QLatin1Char('#')));
        if (e.keyword == QStringLiteral("régime critique")) {
            EXPECT_EQ(e.target, QStringLiteral("mouvement.html#critique"));
            found = true;
        }
    }
    EXPECT_TRUE(found);
    // "écraser" sorts among the e's, not after "z".
    qsizetype ecraser = -1, fenetre = -1;
    for (qsizetype i = 0; i < help.index().size(); ++i) {
        if (help.index()[i].keyword.startsWith(QStringLiteral("écraser"))) ecraser = i;
        if (help.index()[i].keyword == QStringLiteral("fenêtre principale")) fenetre = i;
    }
    EXPECT_LT(ecraser, fenetre);
}

TEST(HelpWindow, IndexSearchBackAndForwardLeadToTheirPages) {
    HelpWindow help;
    help.showTopics();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Aide d'Ondalis"));
    EXPECT_EQ(help.currentPage(), QStringLiteral("index.html"));
    EXPECT_FALSE(help.backButton()->isEnabled());

    // Index: typing the start of a keyword picks it, Enter opens its page.
    help.tabs()->setCurrentIndex(1);
    QTest::keyClicks(help.indexField(), QStringLiteral("RAID"));
    EXPECT_EQ(help.indexList()->currentItem()->text(), QStringLiteral("raideur du ressort"));
    QTest::keyClick(help.indexField(), Qt::Key_Return);
    EXPECT_EQ(help.currentPage(), QStringLiteral("parametres.html"));
    // The contents follow the page shown.
    ASSERT_NE(help.contents()->currentItem(), nullptr);
    EXPECT_EQ(help.contents()->currentItem()->text(0), QStringLiteral("L'onglet Paramètres"));

    // Search: the pages holding the words, the first one opened with the words marked.
    help.tabs()->setCurrentIndex(2);
    QTest::keyClicks(help.searchField(), QStringLiteral("pseudo-periodique"));
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    ASSERT_GT(help.searchResults()->count(), 0);
    EXPECT_EQ(help.currentPage(), QStringLiteral("mouvement.html"));
    EXPECT_FALSE(help.browser()->extraSelections().isEmpty());
    EXPECT_FALSE(help.searchCount()->text().isEmpty());

    // Back and forward through the pages seen.
    QTest::mouseClick(help.backButton(), Qt::LeftButton);
    EXPECT_EQ(help.currentPage(), QStringLiteral("parametres.html"));
    QTest::mouseClick(help.forwardButton(), Qt::LeftButton);
    EXPECT_EQ(help.currentPage(), QStringLiteral("mouvement.html"));
    QTest::mouseClick(help.homeButton(), Qt::LeftButton);
    EXPECT_EQ(help.currentPage(), QStringLiteral("index.html"));

    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

}  // namespace
}  // namespace ondalis
