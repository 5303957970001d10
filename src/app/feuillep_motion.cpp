// The animation side of the main window: reset, tick, redraw, parameter fields and dragging
// the solid.
#include <QLabel>

#include "app/buttonpictures.h"
#include "app/feuillep.h"
#include "app/feuillep_state.h"
#include "platform/core/numberformat.h"
#include "platform/core/periodictimer.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/drawingsurface.h"
#include "recording/widgets/recordingpanel.h"
#include "recording/widgets/valuetable.h"
#include "scene/readouts.h"
#include "scene/scenegeometry.h"
#include "scene/widgets/displaypanel.h"
#include "scene/widgets/vectorspanel.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis {

OscillatorParameters feuilleP::parameters() const {
    if (!state_->parametersRead) {
        state_->parameters = parametersFromTexts(
            {Text5(0)->text(), Text5(1)->text(), Text5(2)->text(), Text5(3)->text()});
        state_->parametersRead = true;
    }
    return state_->parameters;
}

bool feuilleP::isRunning() const { return run_.isRunning(); }
void feuilleP::followRun() { Timer1->setEnabled(run_.isRunning()); }
float feuilleP::duration() const { return run_.settings().duration; }
int feuilleP::rowsRecorded() const { return run_.rows(); }
bool feuilleP::slowMotion() const { return Picture1->slowMotion(); }

void feuilleP::Command18_Click() {
    // Whichever control asked for the reset, a field still being edited is validated first, so
    // that the motion starts from values the fields show.
    finishParameterEdits();
    run_.reset(parameters());
    showReset();
}

// What a reset shows: the clock stopped, the solid at x0 at t = 0 with its readouts, the table
// cut back to its header and the graph frame.
void feuilleP::showReset() {
    followRun();
    Frame2->setExponents(run_.constants().forceExponent, run_.constants().speedExponent);
    showFrame(run_.frame());
    writeInitialReadouts();
    cutTableToHeader(*Picture6->grid());
    echgraph();
    emit motionReset();
}

void feuilleP::finishParameterEdits() {
    for (int i = 0; i < 4; ++i) {
        ParameterEdit* field = Text5(i);
        const QString validated = validatedParameterText(i, field->text());
        if (validated != field->text()) field->setText(validated);
    }
}

void feuilleP::writeInitialReadouts() {
    const MotionSample& s = run_.sample();
    Label3->setText(formatFixed2(s.t));
    Label1->setText(formatThreeSignificant(s.x));
    Label6->setText(formatThreeSignificant(s.v));
    Label7->setText(formatThreeSignificant(s.a));
}

void feuilleP::Timer1_Timer() { showFrame(run_.tick(slowMotion())); }

void feuilleP::majaff() { showFrame(run_.redraw()); }

void feuilleP::showFrame(const RunFrame& frame) {
    const MotionSample& sample = frame.sample;
    const auto texts = readoutTexts(sample);
    ValueLabel* labels[ReadoutCount] = {Label3, Label1, Label6, Label7, Label5, Label8, Label9};
    for (int i = 0; i < ReadoutCount; ++i) labels[i]->setValueText(texts[i]);
    // The x readout keeps up while the solid is dragged; a running clock repaints it anyway.
    if (!isRunning()) Label1->repaint();

    const OscillatorParameters p = parameters();
    SceneView view;
    view.x = sample.x;
    view.v = sample.v;
    view.t = sample.t;
    view.rulerShown = Picture1->rulerShown();
    view.axisShown = Picture1->axisShown();
    view.k = p.k;
    view.h = p.h;
    view.vectors = Frame2->vectorView();
    state_->scene.draw(*Picture2, view);

    if (frame.onGraph) {
        tracegraphe(*Frame1, state_->graphScale, state_->plot, sample, duration(),
                    Picture1->boldTrace(), curveColors());
    }
    if (frame.rowAdded) showRecordedRows(*Picture6->grid(), run_.samples());
    emit frameShown(frame);
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
    graphFrameDrawn();
}

void feuilleP::command15_Click() {
    if (Picture2->isVisible()) Picture2->setFocus(Qt::OtherFocusReason);
    run_.start();
    followRun();
}

void feuilleP::command16_Click() {
    if (!isRunning()) return;
    if (Picture2->isVisible()) Picture2->setFocus(Qt::OtherFocusReason);
    run_.pause();
    followRun();
}

void feuilleP::Image4_Click() {
    Command18_Click();
    // The initial position shown once more; the clock stays on t = 0, where the next start
    // begins.
    showFrame(run_.showClockInstant());
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
    run_.pause();
    followRun();
}

void feuilleP::Text5_LostFocus(int index) {
    ParameterEdit* field = Text5(index);
    field->setText(validatedParameterText(index, field->text()));
    // A field looked at and left with the value the motion already uses changes nothing: the
    // motion and its recording are kept.
    if (run_.parametersInForce() == parameters()) return;
    Command18_Click();
    if (index == StiffnessField) Command13_Click();
}

// The solid dragged to the pointer's abscissa: x0 follows it, into the position field, and the
// motion is reset there.
void feuilleP::dragSolidTo(int x) {
    Text5(PositionField)->setText(parameterText(run_.drag(positionFromPointer(x))));
    showReset();
}

void feuilleP::moveSolidTo(int x) {
    dragSolidTo(x);
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
    if (pointerOverSolid(x, y, run_.sample().x))
        Picture2->setCursor(dragPointer());
    else
        Picture2->unsetCursor();
    if (buttons & Qt::LeftButton) moveSolidTo(x);
}

void feuilleP::Picture2_MouseUp(Qt::MouseButton button, int x, int) {
    if (button != Qt::LeftButton) return;
    if (isRunning()) Command18_Click();
    dragSolidTo(x);
    command15_Click();
}

}  // namespace ondalis
