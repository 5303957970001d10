#pragma once

#include <QColor>
#include <QString>

// The ten colour swatches `Label4(0)` … `Label4(9)`: 0, 2, 3 the velocity, tension and friction
// vectors ("Vecteurs" panel, 4 hidden and unused), 1, 5, 6 the curves of x, v and a, 7, 8, 9
// the curves of Ec, Epe and Em ("Affichage" panel).
namespace ondalis {

inline constexpr int SwatchCount = 10;

// Background of the settings panels.
inline QColor settingsPanelColor() { return QColor(240, 235, 230); }

// Colour of a swatch in a fresh window; black for an index outside 0 … 9.
QColor defaultSwatchColor(int index);

// What a screen reader says for a swatch ("Couleur du vecteur vitesse", …).
QString swatchAccessibleName(int index);

}  // namespace ondalis
