#pragma once

#include <QDialog>
#include <array>

#include "calculator/keypad.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ondalis {
class DialogService;
}

namespace ondalis::calculator {

// "Machine à calculer": the modal scientific calculator. The keys and the keyboard feed a
// Keypad, whose display text the one-line read-only display `z1` shows with its caret at the
// end (a message from its start); failures beep through the dialog service; Escape closes it. Every
// control carries its designer name as its object name ("B7", "bsin", "EXE", "z1", "angle(1)",
// "C(0)").
class Machine : public QDialog {
    Q_OBJECT

public:
    Machine(DialogService& dialogs, CalculatorMemory& memory, QWidget* parent = nullptr);

    const Keypad& keypad() const { return keypad_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildKeys();
    void buildOptions();
    // Every character typed goes through the keyboard mapping; the others are dropped.
    bool typeCharacter(const QKeyEvent* event);
    void press(Key key);
    void showDisplay(const QString& text);

    DialogService& dialogs_;
    Keypad keypad_;
    QLineEdit* z1_ = nullptr;
    std::array<QRadioButton*, 2> angle_{};
    std::array<QRadioButton*, 2> C_{};
};

}  // namespace ondalis::calculator
