#pragma once

#include <QRect>
#include <array>

namespace ondalis {

class DrawingSurface;

// Paints the "Paramètres" panel around its four entry fields (geometries in panel pixels):
// bold headings on the left, the symbol and range ending at each field, the unit after it.
void paintParametersPanel(DrawingSurface& panel, const std::array<QRect, 4>& fields);

// The panel's background colour, shared by every settings panel.
inline constexpr int PanelRed = 240, PanelGreen = 235, PanelBlue = 230;

}  // namespace ondalis
