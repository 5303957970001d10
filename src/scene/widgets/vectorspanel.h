#pragma once

#include <array>

#include "platform/widgets/drawingsurface.h"
#include "scene/vectors.h"

class QCheckBox;
class QScrollBar;

namespace ondalis {

class ColorSwatch;

// The "Vecteurs" panel (`Frame2`): the two switches, the two scale spinners with their bars and
// decade captions, and the three vector colours with their legends. It paints its own
// background, bars and captions, again whenever it is resized or a scale changes.
//
// Each scale bar is 100 - s pixels long, s being its spinner's value: the length of one decade
// of the quantity (10^nF N for the forces, 10^nV m/s for the velocity).
class VectorsPanel : public DrawingSurface {
    Q_OBJECT
public:
    explicit VectorsPanel(QWidget* parent = nullptr);

    QCheckBox* Check5() const { return check5_; }       // "Afficher le vecteur vitesse"
    QCheckBox* Check12() const { return check12_; }     // "Afficher les vecteurs forces"
    QScrollBar* VScroll1() const { return vscroll1_; }  // velocity scale, 0 … 90
    QScrollBar* VScroll3() const { return vscroll3_; }  // force scale, -50 … 90
    // Swatches 0 (velocity), 2 (tension), 3 (friction) and the hidden 4; nullptr otherwise.
    ColorSwatch* Label4(int index) const;

    // The decades computed by the last reset; the captions are repainted.
    void setExponents(int forceExponent, int speedExponent);
    int forceExponent() const { return forceExponent_; }
    int speedExponent() const { return speedExponent_; }

    // The settings as the scene draws them, with the exponents last given.
    VectorView vectorView() const;

    // Paints the background, captions, bars and legends.
    void paintPanel();

    // Fixed geometry, in panel pixels.
    static constexpr int BarY = 120;
    static constexpr int ForceBarLeft = 64;      // Line2
    static constexpr int VelocityBarLeft = 272;  // Line1
    static constexpr int SpinnerHeight = 34;
    // The focus mark of a spinner: a ring of the focus colour round its edge.
    static constexpr int SpinnerFocusRingWidth = 2;

signals:
    // A switch or a scale changed: the scene is to be redrawn.
    void vectorSettingsChanged();
    // A swatch was clicked or activated from the keyboard.
    void swatchClicked(int index);

private:
    void drawBar(int left, int length);
    void drawLegend(const ColorSwatch* swatch, const QString& symbol, bool italic, int back);

    QCheckBox* check5_;
    QCheckBox* check12_;
    QScrollBar* vscroll1_;
    QScrollBar* vscroll3_;
    std::array<ColorSwatch*, 5> swatches_{};  // by swatch index; 1 is not on this panel
    int forceExponent_ = 0;
    int speedExponent_ = 0;
};

}  // namespace ondalis
