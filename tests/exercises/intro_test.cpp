#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "exercises/widgets/exercisemenu.h"
#include "exercises/widgets/intro.h"
#include "platform/widgets/richtextpane.h"

namespace ondalis::testing {
namespace {

using exercises::IntroStyle;

// Where each run lies in the pane: a CR LF is one paragraph break there.
struct Span {
    int start, length;
};

std::vector<Span> runSpans() {
    std::vector<Span> spans;
    int start = 0;
    for (const auto& run : exercises::introRuns()) {
        const int length = int(run.text.size() - run.text.count(QLatin1String("\r\n")));
        spans.push_back({start, length});
        start += length;
    }
    return spans;
}

TEST(Intro, writesTheSixteenRunsWithTheirStylesIntoAReadOnlyPane) {
    RichTextPane pane;
    pane.setPlainText(QStringLiteral("un énoncé"));
    pane.setEditable(true);
    exercises::intro(pane);

    ASSERT_EQ(exercises::introRuns().size(), 16u);
    QString all;
    for (const auto& run : exercises::introRuns()) all += run.text;
    EXPECT_EQ(pane.plainText(), all);
    EXPECT_TRUE(pane.isReadOnly());
    EXPECT_EQ(pane.textCursor().position(), 0);
    EXPECT_FALSE(pane.textCursor().hasSelection());

    // Every character of run k has the style of run k.
    const std::vector<Span> spans = runSpans();
    const QColor blue(0, 0, 200);
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const IntroStyle style = exercises::introRuns()[k].style;
        for (int i = spans[k].start; i < spans[k].start + spans[k].length; ++i) {
            QTextCursor c(pane.document());
            c.setPosition(i + 1);
            if (c.block().position() == i + 1) continue;  // a paragraph break
            const QTextCharFormat f = c.charFormat();
            const QTextBlockFormat p = c.blockFormat();
            const std::string where = "run " + std::to_string(k + 1) + " at " + std::to_string(i);
            EXPECT_EQ(f.fontFamilies().toStringList().value(0), QStringLiteral("Arial")) << where;
            EXPECT_EQ(f.fontPointSize(), style == IntroStyle::Title ? 18 : 10) << where;
            EXPECT_EQ(f.foreground().color(), style == IntroStyle::Body ? QColor(Qt::black) : blue)
                << where;
            EXPECT_FALSE(f.fontWeight() > QFont::Normal || f.fontItalic() || f.fontUnderline())
                << where;
            EXPECT_EQ(f.verticalAlignment(), QTextCharFormat::AlignNormal) << where;
            EXPECT_EQ(p.alignment() & Qt::AlignHorizontal_Mask,
                      style == IntroStyle::Title ? Qt::AlignHCenter : Qt::AlignLeft)
                << where;
            EXPECT_EQ(p.leftMargin(), style == IntroStyle::Title ? 0 : 20) << where;
        }
    }
    // The empty line under the title is indented like the body.
    const QTextBlockFormat second = pane.document()->findBlockByNumber(1).blockFormat();
    EXPECT_EQ(second.leftMargin(), 20);
    EXPECT_EQ(second.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    // Only runs 4, 6, 8, 12 and 15 are blue, and the title is run 1.
    std::vector<int> blue_runs;
    for (std::size_t k = 0; k < spans.size(); ++k)
        if (exercises::introRuns()[k].style == IntroStyle::Blue) blue_runs.push_back(int(k + 1));
    EXPECT_EQ(blue_runs, (std::vector<int>{4, 6, 8, 12, 15}));
    EXPECT_EQ(exercises::introRuns()[0].style, IntroStyle::Title);

    // Typing changes nothing.
    QTest::keyClicks(&pane, QStringLiteral("abc"));
    EXPECT_EQ(pane.plainText(), all);
}

TEST(ExerciseMenu, holdsEveryEntryInOrderWithItsRules) {
    exercises::ExerciseMenu menu;
    EXPECT_EQ(menu.objectName(), QStringLiteral("optionexo"));
    QStringList entries;
    for (const QAction* a : menu.actions())
        entries << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(entries, (QStringList{"PRISENMAIN=Prise en main", "separons1=-",
                                    "openexo=Ouvrir un exercice (énoncé + configuration)",
                                    "opencor=Voir la correction", "separons2=-",
                                    "savetexte=Enregistrer le contenu de la fenêtre exercice",
                                    "opentexte=Retrouver un texte",
                                    "imprimetexte=Imprimer le contenu de la fenêtre exercice",
                                    "separons3=-", "Closexo=Fermer l'exercice"}));
    menu.setRules(false, false);
    EXPECT_FALSE(menu.opencor->isEnabled());
    EXPECT_FALSE(menu.Closexo->isEnabled());
    menu.setRules(true, true);
    EXPECT_TRUE(menu.opencor->isEnabled());
    EXPECT_TRUE(menu.Closexo->isEnabled());
}

}  // namespace
}  // namespace ondalis::testing
