#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ondalis {

class DialogService;
class DrawingSurface;
class PrinterService;
class UpDown;

// The print dialog "Imprimer": the animation or the graph, centring, page title, number of
// copies and printer. "&OK" prints one page per copy in a single document, then closes;
// Enter is "&OK" and Escape "&Annuler". A job that fails is reported and the dialog stays
// open, so that another printer may be chosen.
class confimp : public QDialog {
    Q_OBJECT
public:
    // The images printed are the persistent images of `animation` and `graph` when "&OK" is
    // pressed.
    confimp(DialogService& dialogs, PrinterService& printer, const DrawingSurface& animation,
            const DrawingSurface& graph, QWidget* parent = nullptr);

    // The largest number of copies.
    static constexpr int maxCopies = 99;

    QGroupBox* Frame1 = nullptr;  // "Options"
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QCheckBox* Chec(int index) const { return chec_[index]; }
    QLineEdit* Text1 = nullptr;  // page title
    QLabel* Label4 = nullptr;    // number of copies
    UpDown* UpDown1 = nullptr;
    QLineEdit* defaut = nullptr;      // printer name
    QPushButton* Command1 = nullptr;  // "&OK"
    QPushButton* Command2 = nullptr;  // "&Imprimantes"
    QPushButton* Command3 = nullptr;  // "&Annuler"
    QGroupBox* Frame2 = nullptr;      // waiting notice

    // Creation steps, repeated after the printer set-up: the top 20 pixels below the main
    // window's top, the printer's name in `defaut`.
    void Form_Load();
    void UpDown1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void showWaitingNotice(bool shown);

    DialogService& dialogs_;
    PrinterService& printer_;
    const DrawingSurface& animation_;
    const DrawingSurface& graph_;
    std::array<QCheckBox*, 2> chec_{};
};

// What `defaut` shows: the printer's name, or that the pages go to a PDF file.
QString printerCaption(const PrinterService& printer);

}  // namespace ondalis
