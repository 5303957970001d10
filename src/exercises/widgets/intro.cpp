#include "exercises/widgets/intro.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/widgets/richtextpane.h"

namespace ondalis::exercises {

namespace {

constexpr int bodyIndent = 20;  // pixels

// A CR LF pair is one paragraph break in the pane.
qsizetype paneLength(const QString& text) {
    return text.size() - text.count(QLatin1String("\r\n"));
}

}  // namespace

const std::vector<IntroRun>& introRuns() {
    static const std::vector<IntroRun> runs = {
        {QStringLiteral("Ondalis\r\n"), IntroStyle::Title},
        {QStringLiteral("\r\nCette application permet de simuler le mouvement d'un ondalis dans un"
                        " fluide sans vitesse initiale.\r\n\r\n"),
         IntroStyle::Body},
        {QStringLiteral("Vous pouvez modifier les paramètres :\r\n"), IntroStyle::Body},
        {QStringLiteral("     - la masse du solide,\r\n     - la raideur du ressort,\r\n     - le "
                        "coefficient de frottement fluide.\r\n\r\n"),
         IntroStyle::Blue},
        {QStringLiteral("Pour déplacer le solide, vous pouvez saisir sa position initiale (onglet "
                        "Paramètres) ou"),
         IntroStyle::Body},
        {QStringLiteral(" utiliser la souris"), IntroStyle::Blue},
        {QStringLiteral(" sur l'animation.\r\n\r\nPour étudier le mouvement, vous pouvez utiliser "
                        "le tableau (onglet Enregistrement) ou obtenir des représentations "
                        "graphiques et vectorielles (onglets Affichage et Vecteurs).\r\n\r\n"),
         IntroStyle::Body},
        {QStringLiteral("Tous les paramètres sont modifiables et l'image obtenue peut être "
                        "imprimée ou placée dans le presse-papiers "),
         IntroStyle::Blue},
        {QStringLiteral("(bouton Copier) pour la coller dans une autre application.\r\n\r\n"),
         IntroStyle::Body},
        {QStringLiteral("Vous pouvez obtenir l'énoncé d'un exercice "), IntroStyle::Body},
        {QStringLiteral("dans cette fenêtre en appuyant sur l'onglet "), IntroStyle::Body},
        {QStringLiteral("Exercices"), IntroStyle::Blue},
        {QStringLiteral(".\r\n\r\n"), IntroStyle::Body},
        {QStringLiteral("Pour vous familiariser avec ce simulateur, choisissez d'abord "
                        "l'activité "),
         IntroStyle::Body},
        {QStringLiteral("Prise en main "), IntroStyle::Blue},
        {QStringLiteral("dans le menu Exercices."), IntroStyle::Body},
    };
    return runs;
}

void intro(RichTextPane& pane) {
    pane.setUpdatesEnabled(false);
    pane.clear();
    QTextDocument* doc = pane.document();
    doc->setUndoRedoEnabled(false);
    doc->setDefaultFont(RichTextPane::defaultFont());
    QTextCharFormat base;
    base.setFontFamilies({QStringLiteral("Arial")});
    base.setFontPointSize(10);
    base.setForeground(Qt::black);
    base.setFontWeight(QFont::Normal);
    base.setFontItalic(false);
    base.setFontUnderline(false);
    base.setVerticalAlignment(QTextCharFormat::AlignNormal);
    pane.setCurrentCharFormat(base);
    pane.setEditable(false);

    QString all;
    for (const IntroRun& run : introRuns()) all += run.text;
    all.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextCursor cursor(doc);
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    cursor.setBlockFormat(left);
    cursor.setBlockCharFormat(base);
    cursor.insertText(all, base);

    qsizetype start = 0;
    for (const IntroRun& run : introRuns()) {
        const qsizetype length = paneLength(run.text);
        pane.setSelection(int(start), int(length));
        pane.setSelectionIndent(run.style == IntroStyle::Title ? 0 : bodyIndent);
        QTextCharFormat style;
        if (run.style == IntroStyle::Title) {
            style.setFontFamilies({QStringLiteral("Arial")});
            style.setFontPointSize(18);
            pane.setSelectionAlignment(Qt::AlignHCenter);
        }
        if (run.style != IntroStyle::Body) style.setForeground(introBlue);
        if (!style.properties().isEmpty()) pane.mergeSelectionFormat(style);
        pane.setSelection(0, 0);
        start += length;
    }
    pane.moveCursor(QTextCursor::Start);
    doc->setUndoRedoEnabled(true);
    pane.setUpdatesEnabled(true);
}

}  // namespace ondalis::exercises
