#pragma once

#include <array>

#include "platform/widgets/drawingsurface.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;

namespace ondalis {

class ColorSwatch;

// The "Affichage" panel (`Picture1`): the plotted quantity, the scene options (axis, ruler),
// bold trace, slow motion and the six curve colours with the energy legend. It paints its own
// background and headings, again whenever it is resized.
class DisplayPanel : public DrawingSurface {
    Q_OBJECT
public:
    explicit DisplayPanel(QWidget* parent = nullptr);

    // 0 "Position", 1 "Vitesse", 2 "Accélération", 3 "Energies"; nullptr outside 0 … 3.
    QRadioButton* Option1(int index) const;
    QCheckBox* Check1() const { return check1_; }  // "Afficher l'axe"
    QCheckBox* Check6() const { return check6_; }  // "Afficher la règle"
    QCheckBox* Check3() const { return check3_; }  // "Tracer en gras"
    QCheckBox* speed() const { return speed_; }    // "Animation au ralenti"
    // Swatches 1, 5, 6 (curves of x, v, a) and 7, 8, 9 (energies); nullptr otherwise.
    ColorSwatch* Label4(int index) const;

    int quantity() const;  // the checked option, 0 … 3
    void setQuantity(int index);
    bool axisShown() const;
    bool rulerShown() const;
    bool boldTrace() const;
    bool slowMotion() const;

    // Paints the background, headings and energy legend.
    void paintPanel();

signals:
    // Another option button became checked (by the user or the program).
    void quantityChosen(int index);
    // "Afficher l'axe" or "Afficher la règle" changed: the scene is to be redrawn.
    void sceneOptionsChanged();
    // A swatch was clicked or activated from the keyboard.
    void swatchClicked(int index);

private:
    std::array<QRadioButton*, 4> options_{};
    QButtonGroup* group_;
    QCheckBox* check1_;
    QCheckBox* check6_;
    QCheckBox* check3_;
    QCheckBox* speed_;
    std::array<ColorSwatch*, 10> swatches_{};  // by swatch index; only 1, 5 … 9 live here
};

}  // namespace ondalis
