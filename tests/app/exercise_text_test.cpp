#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

#include "exercise_menu.h"
#include "exercises/widgets/exercisemenu.h"
#include "exercises/widgets/intro.h"
#include "file_size_limit.h"
#include "mainwindow_fixture.h"

namespace ondalis::testing {
namespace {

const QString sample = QStringLiteral(ONDALIS_RTF_SAMPLES "/regime-wordpad.rtf");
const QString checkDrive = QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.");

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ExerciseText : public MainWindowTest {
protected:
    void choose(QAction* entry) { chooseExerciseEntry(*window, entry); }

    // "Retrouver un texte" with `path` chosen in the open dialog.
    void retrieve(const QString& path) {
        dialogs.fileAnswers = {path};
        choose(window->optionexo->opentexte);
    }

    QString introText() const {
        QString all;
        for (const auto& run : exercises::introRuns()) all += run.text;
        return all;
    }
};

TEST_F(ExerciseText, theExerciseButtonPopsTheMenuUpBelowItWithItsRules) {
    feuilleP& w = open();
    QTest::mouseClick(w.btexo, Qt::LeftButton);
    ASSERT_TRUE(w.optionexo->isVisible());
    EXPECT_EQ(w.optionexo->geometry().topLeft(), w.btexo->mapToGlobal(QPoint(0, 19)));
    EXPECT_FALSE(w.optionexo->opencor->isEnabled());
    EXPECT_FALSE(w.optionexo->Closexo->isEnabled());
    EXPECT_TRUE(w.optionexo->savetexte->isEnabled());
    QTest::keyClick(w.optionexo, Qt::Key_Escape);
    EXPECT_FALSE(w.optionexo->isVisible());

    w.correctionAvailable = true;
    w.fich->setText(QStringLiteral("exercice"));
    QTest::mouseClick(w.btexo, Qt::LeftButton);
    EXPECT_TRUE(w.optionexo->opencor->isEnabled());
    EXPECT_TRUE(w.optionexo->Closexo->isEnabled());
    QTest::keyClick(w.optionexo, Qt::Key_Escape);
}

TEST_F(ExerciseText, theIntroductionIsShownAtStartUpAndTypingInItMarksNothing) {
    feuilleP& w = open();
    EXPECT_EQ(w.supertext->plainText(), introText());
    EXPECT_TRUE(w.supertext->isReadOnly());
    EXPECT_TRUE(w.fich->text().isEmpty());
    QTest::keyClicks(w.supertext, QStringLiteral("xyz"));
    EXPECT_EQ(w.supertext->plainText(), introText());
    EXPECT_FALSE(w.textModified);
}

TEST_F(ExerciseText, aRetrievedTextIsEditableNamedInTheFieldAndTypingMarksIt) {
    feuilleP& w = open();
    w.correctionAvailable = true;
    retrieve(sample);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(w.supertext->plainText().startsWith(QStringLiteral("Régime critique\r\n")));
    const QString named = QStringLiteral("Texte: ") + QDir::toNativeSeparators(sample);
    EXPECT_EQ(w.fich->text(), named);
    EXPECT_EQ(w.fich->toolTip(), named);
    EXPECT_EQ(w.fich->cursorPosition(), named.size());
    EXPECT_FALSE(w.correctionAvailable);
    EXPECT_FALSE(w.supertext->isReadOnly());
    EXPECT_FALSE(w.textModified);

    w.supertext->setFocus();
    QTest::keyClicks(w.supertext, QStringLiteral("Reponse"));
    EXPECT_TRUE(w.supertext->plainText().startsWith(QStringLiteral("Reponse")));
    EXPECT_TRUE(w.textModified);

    // Closing now asks first about the text; Cancel there ends the close.
    dialogs.messageAnswers = {MessageResult::Cancel};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Abandon des données?"));
    EXPECT_EQ(dialogs.messages[0].prompt,
              QStringLiteral("Attention: perte des modifications du texte."));
    EXPECT_TRUE(w.textModified);
}

TEST_F(ExerciseText, aTextThatCannotBeReadLeavesThePaneItsNameAndItsChanges) {
    feuilleP& w = open();
    retrieve(sample);
    QTest::keyClicks(w.supertext, QStringLiteral("Reponse"));
    const QString text = w.supertext->plainText(), name = w.fich->text();
    const QString notRtf = folder.filePath(QStringLiteral("notes.rtf"));
    QFile f(notRtf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("pas du RTF");
    f.close();

    for (const QString& path : {notRtf, folder.filePath(QStringLiteral("absent.rtf"))}) {
        dialogs.messages.clear();
        dialogs.messageAnswers = {MessageResult::Ok};  // the guard: abandon the changes
        retrieve(path);
        ASSERT_EQ(dialogs.messages.size(), 2u);
        EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("Erreur de lecture."));
        EXPECT_EQ(dialogs.messages[1].prompt, checkDrive);
        EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Error);
        EXPECT_EQ(w.supertext->plainText(), text);
        EXPECT_EQ(w.fich->text(), name);
        EXPECT_TRUE(w.textModified);
    }
    // The guard's Cancel keeps everything, and so does cancelling the open dialog.
    dialogs.messages.clear();
    dialogs.messageAnswers = {MessageResult::Cancel};
    choose(w.optionexo->opentexte);
    EXPECT_EQ(dialogs.fileRequests, 3);
    dialogs.messageAnswers = {MessageResult::Ok};
    dialogs.fileAnswers = {std::nullopt};
    choose(w.optionexo->opentexte);
    EXPECT_EQ(w.supertext->plainText(), text);
    EXPECT_TRUE(w.textModified);
}

TEST_F(ExerciseText, savingAsksBeforeOverwritingAndNeverDestroysTheOldFile) {
    feuilleP& w = open();
    retrieve(sample);
    QTest::keyClicks(w.supertext, QStringLiteral("Reponse"));
    const QString path = folder.filePath(QStringLiteral("copie.RTF"));
    const QByteArray old = "{\\rtf1 ancienne copie}";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(old);
    f.close();

    struct Step {
        const char* what;
        std::optional<QString> chosen;
        std::deque<MessageResult> answers;
        bool writes;
    };
    const Step steps[] = {
        {"the save dialog cancelled", std::nullopt, {}, false},
        {"the overwrite question cancelled", path, {MessageResult::Cancel}, false},
    };
    for (const Step& s : steps) {
        dialogs.messages.clear();
        dialogs.fileAnswers = {s.chosen};
        dialogs.messageAnswers = s.answers;
        choose(w.optionexo->savetexte);
        EXPECT_EQ(bytesOf(path), old) << s.what;
        EXPECT_TRUE(w.textModified) << s.what;
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Ecraser le fichier?"));
    EXPECT_EQ(dialogs.messages[0].prompt,
              QStringLiteral("Le fichier copie.RTF existe déjà.\nEcraser l'ancien?"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::OkCancel);

    // The disk is full: the error, the old file intact, the text still marked modified.
    {
        FileSizeLimit limit(64);
        dialogs.messages.clear();
        dialogs.fileAnswers = {path};
        dialogs.messageAnswers = {MessageResult::Ok};
        choose(w.optionexo->savetexte);
    }
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("Erreur d'écriture."));
    EXPECT_EQ(dialogs.messages[1].prompt, checkDrive);
    EXPECT_EQ(bytesOf(path), old);
    EXPECT_TRUE(w.textModified);

    dialogs.fileAnswers = {path};
    dialogs.messageAnswers = {MessageResult::Ok};
    choose(w.optionexo->savetexte);
    EXPECT_FALSE(w.textModified);
    RichTextPane saved;
    ASSERT_TRUE(saved.loadFile(path));
    EXPECT_EQ(saved.plainText(), w.supertext->plainText());
}

TEST_F(ExerciseText, closingTheExerciseAsksFirstThenShowsTheIntroduction) {
    feuilleP& w = open();
    retrieve(sample);
    QTest::keyClicks(w.supertext, QStringLiteral("Reponse"));
    const QString edited = w.supertext->plainText();

    dialogs.messageAnswers = {MessageResult::Cancel};
    choose(w.optionexo->Closexo);
    EXPECT_EQ(w.supertext->plainText(), edited);
    EXPECT_FALSE(w.fich->text().isEmpty());
    EXPECT_TRUE(w.textModified);

    dialogs.messageAnswers = {MessageResult::Ok};
    choose(w.optionexo->Closexo);
    EXPECT_EQ(w.supertext->plainText(), introText());
    EXPECT_TRUE(w.supertext->isReadOnly());
    EXPECT_TRUE(w.fich->text().isEmpty());
    EXPECT_FALSE(w.textModified);
    EXPECT_FALSE(w.correctionAvailable);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("Abandon des données?"));

    QTest::mouseClick(w.btexo, Qt::LeftButton);
    EXPECT_FALSE(w.optionexo->Closexo->isEnabled());
    QTest::keyClick(w.optionexo, Qt::Key_Escape);

    // Closing the program asks one question only.
    dialogs.messages.clear();
    dialogs.messageAnswers = {MessageResult::Cancel};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("Quitter vraiment Ondalis ?"));
}

TEST_F(ExerciseText, printingThePaneSendsTheSelectionOrEverythingAfterTheSetUp) {
    feuilleP& w = open();
    const QString all = introText();

    // A cancelled set-up prints nothing.
    dialogs.printerAnswers = {std::nullopt};
    choose(w.optionexo->imprimetexte);
    EXPECT_TRUE(printer.documentTexts.empty());

    // Nothing selected: the whole text; then only the selection.
    dialogs.printerAnswers = {QStringLiteral("Imprimante de la salle 12")};
    choose(w.optionexo->imprimetexte);
    w.supertext->setSelection(0, 7);
    dialogs.printerAnswers = {QStringLiteral("Imprimante de la salle 12")};
    choose(w.optionexo->imprimetexte);
    ASSERT_EQ(printer.documentTexts.size(), 2u);
    EXPECT_EQ(printer.documentTexts[0].simplified(), all.simplified());
    EXPECT_EQ(printer.documentTexts[1], QStringLiteral("Ondalis"));

    // A job that fails says why.
    printer.failAtEnd = QStringLiteral("L'imprimante ne répond pas.");
    dialogs.printerAnswers = {QStringLiteral("Imprimante de la salle 12")};
    choose(w.optionexo->imprimetexte);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("L'imprimante ne répond pas."));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace ondalis::testing
