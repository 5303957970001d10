// The animation side of the main window: reset, tick, redraw, parameter fields and dragging
// the solid.
#include <QLabel>

#include "app/buttonpictures.h"
#include "app/feuillep.h"
#include "app/feuillep_state.h"
#include "platform/colorswatch.h"
#include "platform/drawingsurface.h"
#include "platform/numberformat.h"
#include "platform/periodictimer.h"
#include "recording/recordingpanel.h"
#include "recording/valuetable.h"
#include "scene/displaypanel.h"
#include "scene/readouts.h"
#include "scene/vectorspanel.h"
#include "simulation/clock.h"
#include "simulation/parameterspanel.h"

namespace ondalis {

OscillatorParameters feuilleP::parameters() const {
    if (!state_->parametersRead) {
        state_->parameters = parametersFromTexts(
            {Text5(0)->text(), Text5(1)->text(), Text5(2)->text(), Text5(3)->text()});
        state_->parametersRead = true;
    }
    return state_->parameters;
}

bool feuilleP::isRunning() const { return Timer1->isEnabled(); }
float feuilleP::duration() const { return state_->recording.duration; }
int feuilleP::rowsRecorded() const { return recordedRows(*Picture6->grid()); }
bool feuilleP::slowMotion() const { return Picture1->slowMotion(); }

void feuilleP::Command18_Click() {
    // Whichever control asked for the reset, a field still being edited is validated first, so
    // that the motion starts from values the fields show.
    finishParameterEdits();
    Timer1->setEnabled(false);
    const OscillatorParameters p = parameters();
    state_->parametersInForce = p;
    computeScaleExponents(p, motion_);
    Frame2->setExponents(motion_.forceExponent, motion_.speedExponent);
    sample_.t = 0;
    sample_.x = p.x0;
    majaff();
    computeRegime(p, motion_);
    sample_.x = sample_.v = sample_.a = 0;
    sample_.t = 0;
    clockTime_ = 0;
    state_->recording.sampleDue = false;
    showClockInstant();
    writeInitialReadouts();
    cutTableToHeader(*Picture6->grid());
    echgraph();
}

void feuilleP::finishParameterEdits() {
    for (int i = 0; i < 4; ++i) {
        ParameterEdit* field = Text5(i);
        const QString validated = validatedParameterText(i, field->text());
        if (validated != field->text()) field->setText(validated);
    }
}

void feuilleP::writeInitialReadouts() {
    Label3->setText(formatFixed2(sample_.t));
    Label1->setText(formatThreeSignificant(sample_.x));
    Label6->setText(formatThreeSignificant(sample_.v));
    Label7->setText(formatThreeSignificant(sample_.a));
}

void feuilleP::Timer1_Timer() {
    showClockInstant();
    const ClockAdvance next =
        advanceClock(clockTime_, duration(), motion_.stepLimit, slowMotion(), rowsRecorded());
    clockTime_ = next.t;
    state_->recording.sampleDue = next.sampleDue;
}

void feuilleP::showClockInstant() {
    sample_ = sampleMotion(motion_, parameters(), clockTime_, sample_);
    majaff();
}

void feuilleP::majaff() {
    const auto texts = readoutTexts(sample_);
    ValueLabel* labels[ReadoutCount] = {Label3, Label1, Label6, Label7, Label5, Label8, Label9};
    for (int i = 0; i < ReadoutCount; ++i) labels[i]->setValueText(texts[i]);
    // The x readout keeps up while the solid is dragged; a running clock repaints it anyway.
    if (!isRunning()) Label1->repaint();

    const OscillatorParameters p = parameters();
    SceneView view;
    view.x = sample_.x;
    view.v = sample_.v;
    view.t = sample_.t;
    view.rulerShown = Picture1->rulerShown();
    view.axisShown = Picture1->axisShown();
    view.k = p.k;
    view.h = p.h;
    view.vectors = Frame2->vectorView();
    state_->scene.draw(*Picture2, view);

    if (float(sample_.t) <= duration()) {
        tracegraphe(*Frame1, state_->graphScale, state_->plot, sample_, duration(),
                    Picture1->boldTrace(), curveColors(), state_->recording, *Picture6->grid());
    }
}

// The curve colours are the colours of swatches 1, 5, 6 (x, v, a) and 7, 8, 9 (energies).
CurveColors feuilleP::curveColors() const {
    CurveColors colors;
    colors.position = Label4(1)->color();
    colors.velocity = Label4(5)->color();
    colors.acceleration = Label4(6)->color();
    colors.ec = Label4(7)->color();
    colors.epe = Label4(8)->color();
    colors.em = Label4(9)->color();
    return colors;
}

void feuilleP::fond() { ondalis::fond(*Picture2, Image3); }

void feuilleP::appareil() { ondalis::appareil(*Picture4, readoutLabelRects()); }

void feuilleP::echgraph() {
    const OscillatorParameters p = parameters();
    CurveColors colors;
    colors.ec = Label4(7)->color();
    colors.epe = Label4(8)->color();
    colors.em = Label4(9)->color();
    ondalis::echgraph(*Frame1, state_->graphScale, Picture1->quantity(), duration(), p.x0, p.m, p.k,
                      colors);
}

void feuilleP::command15_Click() {
    if (Picture2->isVisible()) Picture2->setFocus(Qt::OtherFocusReason);
    Timer1->setEnabled(true);
}

void feuilleP::command16_Click() {
    if (!isRunning()) return;
    if (Picture2->isVisible()) Picture2->setFocus(Qt::OtherFocusReason);
    Timer1->setEnabled(false);
}

void feuilleP::Image4_Click() {
    Command18_Click();
    // The initial position shown once more; the clock stays on t = 0, where the next start
    // begins.
    showClockInstant();
    majaff();
    echgraph();
}

void feuilleP::Command13_Click() {
    Command18_Click();
    Picture2->clearPicture();
    fond();
    majaff();
}

void feuilleP::Text5_GotFocus(int) {
    if (isRunning()) Timer1->setEnabled(false);
}

void feuilleP::Text5_LostFocus(int index) {
    ParameterEdit* field = Text5(index);
    field->setText(validatedParameterText(index, field->text()));
    // A field looked at and left with the value the motion already uses changes nothing: the
    // motion and its recording are kept.
    if (state_->parametersInForce == parameters()) return;
    Timer1->setEnabled(false);
    Command18_Click();
    if (index == StiffnessField) Command13_Click();
}

float feuilleP::positionFromPointer(int x) const {
    float x0 = float(x - 450) / 30.0f;
    if (x0 < -10) x0 = -10;
    if (x0 > 10) x0 = 10;
    return roundThreeSignificant(x0);
}

void feuilleP::moveSolidTo(int x) {
    const float x0 = positionFromPointer(x);
    Text5(PositionField)->setText(parameterText(x0));
    sample_.x = x0;
    Command18_Click();
    majaff();
    Picture2->refreshNow();
}

void feuilleP::Picture2_MouseDown(Qt::MouseButton button, int x, int) {
    if (button != Qt::LeftButton || !isRunning()) return;
    Command18_Click();
    moveSolidTo(x);
}

void feuilleP::Picture2_MouseMove(Qt::MouseButtons buttons, int x, int y) {
    setStatusText(QStringLiteral("Vous pouvez déplacer le mobile avec la souris (bouton enfoncé)"));
    const double solidX = sceneX(sample_.x);
    const bool overSolid = std::abs(x - solidX) < 15 && y > 6 && y < 32;
    if (overSolid)
        Picture2->setCursor(dragPointer());
    else
        Picture2->unsetCursor();
    if (buttons & Qt::LeftButton) moveSolidTo(x);
}

void feuilleP::Picture2_MouseUp(Qt::MouseButton button, int x, int) {
    if (button != Qt::LeftButton) return;
    if (isRunning()) Command18_Click();
    const float x0 = positionFromPointer(x);
    sample_.x = x0;
    Text5(PositionField)->setText(parameterText(x0));
    Command18_Click();
    command15_Click();
}

}  // namespace ondalis
