#pragma once

#include <QString>

#include "simulation/motion.h"

namespace ondalis {

class Canvas;

// The energies of one instant as the "Énergies" bar chart shows them: the sample's own Ec, Epe
// and Em, and the energy friction has dissipated since release, Em(0) − Em.
struct EnergyValues {
    double ec = 0, epe = 0, em = 0, dissipated = 0;
};

// The bar chart of the energies, on one scale fixed at each reset to the initial energy.
class EnergyBars {
public:
    static constexpr int Width = 320;
    static constexpr int Height = 200;
    // Top and bottom of a full bar (the initial energy).
    static constexpr int FullTop = 24;
    static constexpr int Base = 170;

    // The scale taken from the sample at release.
    void reset(const MotionSample& atRelease);
    EnergyValues valuesAt(const MotionSample& s) const;
    double initialEnergy() const { return e0_; }

    // The four bars and their values, the whole chart drawn again (Width × Height).
    void draw(Canvas& canvas, const MotionSample& s) const;
    // The height in pixels of a bar of `joules`, within 0 … Base − FullTop.
    int barHeight(double joules) const;
    // Left edge of bar `index` (0 Ec, 1 Epe, 2 Em, 3 dissipated); each is BarWidth wide.
    static int barLeft(int index) { return 30 + index * 75; }
    static constexpr int BarWidth = 40;

    static QString barName(int index);

private:
    double e0_ = 0;
};

}  // namespace ondalis
