#pragma once

#include <QDialog>
#include <vector>

#include "platform/services/printersetup.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ondalis {

// The printer set-up form "Configuration de l'impression": the printer and its paper, the
// orientation, and the printer's properties (two-sided printing, colour). What is printed and
// how many copies are the caller's. A line at the bottom explains the control under the
// pointer or with the focus.
class confimprimante : public QDialog {
    Q_OBJECT
public:
    confimprimante(std::vector<PrinterDescription> printers, const PrinterSettings& current,
                   QWidget* parent = nullptr);

    QComboBox* Combo1 = nullptr;      // printer
    QPushButton* Command1 = nullptr;  // "&Propriétés..."
    QLabel* Label5 = nullptr;         // state
    QLabel* Label6 = nullptr;         // type
    QLabel* Label7 = nullptr;         // location
    QLabel* Label8 = nullptr;         // comment
    QComboBox* Combo2 = nullptr;      // paper size
    QRadioButton* Option1 = nullptr;  // "P&ortrait"
    QRadioButton* Option2 = nullptr;  // "Pa&ysage"
    QLabel* info = nullptr;           // hint line
    QPushButton* Command2 = nullptr;  // "OK"
    QPushButton* Command3 = nullptr;  // "Annuler"

    // The choices as they stand in the form.
    PrinterSettings settings() const;
    const PrinterDescription& selectedPrinter() const;

    void Combo1_Click();
    void Command1_Click();

protected:
    bool event(QEvent* event) override;

private:
    std::vector<PrinterDescription> printers_;
    PrinterSettings settings_;
};

// "Propriétés de l'imprimante": what the system says of the printer, two-sided printing and
// colour, among the modes the printer has.
class proprietes : public QDialog {
    Q_OBJECT
public:
    proprietes(const PrinterDescription& printer, const PrinterSettings& current,
               QWidget* parent = nullptr);

    QComboBox* Combo1 = nullptr;      // two-sided printing
    QComboBox* Combo2 = nullptr;      // colour
    QPushButton* Command1 = nullptr;  // "OK"
    QPushButton* Command2 = nullptr;  // "Annuler"

    // `current` with the choices of the window.
    PrinterSettings settings() const;

private:
    PrinterSettings settings_;
};

}  // namespace ondalis
