#pragma once

#include <QRect>
#include <QString>
#include <array>

#include "simulation/motion.h"

// The readout panel `Picture4` (161 × 169): seven value labels, names drawn before them and
// units after them, in the order t, x, v, a, Ec, Epe, Em.
namespace ondalis {

class Canvas;

enum ReadoutIndex : int {
    ReadoutT = 0,
    ReadoutX,
    ReadoutV,
    ReadoutA,
    ReadoutEc,
    ReadoutEpe,
    ReadoutEm,
    ReadoutCount
};

// Object names of the seven labels, in readout order: Label3, Label1, Label6, Label7, Label5,
// Label8, Label9.
const std::array<const char*, ReadoutCount>& readoutLabelNames();

// Geometry of the seven labels in panel pixels: left 42, 69 × 19, tops 8, 30, … 140.
std::array<QRect, ReadoutCount> readoutLabelRects();

// A readout value: "#########0.00" with the locale's decimal separator.
QString readoutText(double v);

// An energy readout (the unit " J" is drawn after the label): below 1 J the value is shown in
// millijoules with the suffix " m" (0.5 -> "500,00 m", 0 -> "0,00 m"); from 1 J on, in joules
// without suffix (1 -> "1,00").
QString energyReadoutText(float e);

// The seven label texts of a sample; the position is shown in centimetres (its unit is " cm").
std::array<QString, ReadoutCount> readoutTexts(const MotionSample& s);

// Paints the panel around the labels: bevelled frame, horizontal shading, the names ending at
// each label's left edge (dots over the x of the velocity and acceleration, subscripts of the
// energies) and the units after each label's right edge (with their exponents).
void appareil(Canvas& panel, const std::array<QRect, ReadoutCount>& labels);

}  // namespace ondalis
