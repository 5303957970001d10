#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace ondalis {

class DriveList;
class FileBrowser;
class FileList;
class FolderList;

// What the open and save dialogs share: the drive, folder and file lists ("*.P19") under their
// labels, linked by a file browser and starting on the process's current folder, and the two
// buttons (`Command1` acts, `Command2` "ANNULER" closes; Escape too). The dialog is placed 20
// pixels right of and below its owner's window.
class BrowserDialog : public QDialog {
    Q_OBJECT
public:
    DriveList* Drive1 = nullptr;
    FolderList* Dir1 = nullptr;
    FileList* File1 = nullptr;
    QLabel* Label1 = nullptr;  // above the drive list
    QLabel* Label2 = nullptr;  // above the folder list
    QLabel* Label3 = nullptr;  // above the file list
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;  // "ANNULER"

    FileBrowser* browser() const { return browser_; }

    // "ANNULER": the dialog closes, nothing else changes.
    void Command2_Click();

protected:
    struct Texts {
        QString caption;
        QString folders;  // label of the folder list
        QString files;    // label of the file list
        QString action;   // Command1
    };
    BrowserDialog(const Texts& texts, int height, QWidget* owner);

    static constexpr int Width = 425;
    static constexpr int ListsBottom = 218;
    static constexpr int ButtonsTop(int height) { return height - 36; }

private:
    FileBrowser* browser_ = nullptr;
};

// The busy pointer over a window while it works; the normal pointer comes back when it is
// restored (before a message) or destroyed.
class BusyPointer {
public:
    explicit BusyPointer(QWidget* window);
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    void show();
    void restore();

private:
    QWidget* window_;
};

}  // namespace ondalis
