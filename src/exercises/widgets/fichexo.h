#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace ondalis {

class DrawingSurface;
class DriveList;
class FileBrowser;
class FileList;
class FolderList;

namespace exercises {

// The exercise catalogue "Ouvrir un exercice". It covers the main window (same state, caption,
// place, size and icon) and lists the ".E41" files of a drive and folder, starting on the
// program folder. Clicking a file (or moving onto it with the arrows) shows its preview: the
// title, the difficulty in stars, the notions covered, whether it is corrected and a row of
// hourglasses. A double click, Enter, or the button `ouvreur` opens the exercise through the
// main window; `Image5` and Escape close the catalogue without loading anything. Moving the
// list to another folder clears the preview: the file previewed is no longer in the list.
//
// `exerciseFolder` is the main window's folder for the names stored in the exercise: a file
// selected here sets it to the file's folder; closing without opening an exercise gives it
// back its value from before, so that the open exercise still finds its correction.
class Fichexo : public QDialog {
    Q_OBJECT
public:
    // `open` opens the exercise whose index file is at the path given (statement, starting
    // configuration, its own messages) and says whether it did.
    Fichexo(QString& exerciseFolder, const QString& programFolder,
            std::function<bool(const QString& indexPath)> open, QWidget* mainWindow);

    DrawingSurface* tito = nullptr;  // the painted title strip
    QFrame* Frame1 = nullptr;        // the content frame below the strip
    DriveList* Drive1 = nullptr;
    FolderList* Dir1 = nullptr;
    FileList* File1 = nullptr;  // "*.E41"
    QLabel* Label5 = nullptr;   // "Liste des exercices:"
    QLineEdit* fichierexo = nullptr;
    QLabel* intratro = nullptr;   // "Sélectionner un fichier", until a file is previewed
    QLabel* titratexo = nullptr;  // the title
    QLabel* Label4 = nullptr;     // "Niveau de difficulté :"
    std::array<QLabel*, 3> Image4{};
    QLabel* Imagalu = nullptr;    // hidden: the lit star
    QLabel* Imagenoir = nullptr;  // hidden: the dark star
    QLabel* Label1 = nullptr;     // "Notions abordées :"
    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;    // "Exercice corrigé" or "Non corrigé"
    QLabel* Label3 = nullptr;    // its shadow, 2 pixels right and down
    QLineEdit* Text2 = nullptr;  // the hourglasses
    QLabel* Label8 = nullptr;    // in place of the preview: why the file cannot be read
    QToolButton* ouvreur = nullptr;
    QToolButton* Image5 = nullptr;
    QFrame* Frame2 = nullptr;  // "Patienter quelques instants", " Chargement des fichiers"

    FileBrowser* browser() const { return browser_; }

    // The preview of the file named in `fichierexo`: none, and nothing to open, when it is
    // blank; a file that cannot be read says so in the preview's place (opening it explicitly
    // gives the message box).
    void apercu();
    // A file of the list chosen: its path into `fichierexo`, its folder as the exercise folder
    // and the current folder, then the preview.
    void File1_Click();
    // Opens the exercise named in `fichierexo` (nothing when it is blank), showing the loading
    // panel meanwhile; the catalogue closes once the exercise is open and stays open otherwise.
    void ouvreur_Click();
    // Closes without loading anything.
    void Image5_Click();
    // The title strip, drawn again: "Ouvrir un exercice" in 24-point bold, from x = 30,
    // character i of L in red 255, green 255, blue round(i / L × 100 + 155).
    void paintTitle();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void layOut();

    QString& exerciseFolder_;
    QString folderBefore_;
    std::function<bool(const QString&)> open_;
    FileBrowser* browser_ = nullptr;
    bool activated_ = false;
};

}  // namespace exercises
}  // namespace ondalis
