#pragma once

#include "platform/widgets/drawingsurface.h"

namespace ondalis {

// The animation scene `Picture2`: the surface the scene is drawn on, which is also the control
// of the starting position. Besides the mouse drag it moves the solid from the keyboard as a
// slider does (arrows, Shift for fine steps, Page Up/Down, Home/End), shows a focus ring while
// it has the keyboard focus, and reads as a slider to a screen reader: its value is x0, its
// description what the scene shows.
class SceneSurface : public DrawingSurface {
    Q_OBJECT
public:
    explicit SceneSurface(QWidget* parent = nullptr);

    // The slider's value: the starting position x0 in cm, as the position field holds it. A
    // change is told to the screen readers.
    float position() const { return position_; }
    void setPosition(float x0);
    // The value in words: "Position initiale 3,4 cm".
    static QString positionText(float x0);
    // The value as a number: x0 to a tenth of a micrometre.
    static double value(float x0);

    static constexpr double minimum = -10.0;
    static constexpr double maximum = 10.0;
    static constexpr double fineStep = 0.2;

signals:
    // A key (or a screen reader setting the value) asks for the starting position `x0`.
    void positionAsked(float x0);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    float position_ = 0.0f;
};

}  // namespace ondalis
