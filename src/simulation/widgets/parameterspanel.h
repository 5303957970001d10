#pragma once

#include <QLineEdit>
#include <QRect>
#include <array>

#include "platform/widgets/drawingsurface.h"

namespace ondalis {

// Paints the "Paramètres" panel around its four entry fields (geometries in panel pixels):
// bold headings on the left, the symbol and range ending at each field, the unit after it.
void paintParametersPanel(DrawingSurface& panel, const std::array<QRect, 4>& fields);

// The background colour of the settings panels.
inline QColor panelColor() { return QColor(240, 235, 230); }

// A parameter entry field: typed characters go through the key filter (digits, comma, minus,
// backspace; a full stop becomes a comma), Enter validates without leaving the field. Focus
// changes caused by switching to another application do not count as entering or leaving.
class ParameterEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ParameterEdit(QWidget* parent = nullptr);

signals:
    void entered();
    void left();
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// The "Paramètres" panel `Picture3` with its four fields `Text5(0..3)`.
class ParametersPanel : public DrawingSurface {
    Q_OBJECT
public:
    explicit ParametersPanel(QWidget* parent = nullptr);
    std::array<ParameterEdit*, 4> Text5{};

    void Picture3_Paint();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace ondalis
