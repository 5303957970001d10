// The animation side of the main window: reset, tick, parameter fields and dragging the solid.
#include <QLabel>

#include "buttonpictures.h"
#include "clock.h"
#include "drawingsurface.h"
#include "feuillep.h"
#include "feuillep_view.h"
#include "numberformat.h"
#include "parameterspanel.h"
#include "periodictimer.h"

namespace ondalis {

OscillatorParameters feuilleP::parameters() const {
    return parametersFromTexts(
        {Text5(0)->text(), Text5(1)->text(), Text5(2)->text(), Text5(3)->text()});
}

bool feuilleP::isRunning() const { return Timer1->isEnabled(); }

void feuilleP::Command18_Click() {
    Timer1->setEnabled(false);
    const OscillatorParameters p = parameters();
    computeScaleExponents(p, motion_);
    view_->setExponents(motion_.forceExponent, motion_.speedExponent);
    sample_.t = 0;
    sample_.x = p.x0;
    majaff();
    computeRegime(p, motion_);
    sample_.x = sample_.v = sample_.a = 0;
    sample_.t = 0;
    Timer1_Timer();
    sample_.t = 0;
    writeInitialReadouts();
    view_->cutTableToHeader();
    echgraph();
}

void feuilleP::writeInitialReadouts() {
    Label3->setText(formatFixed2(sample_.t));
    Label1->setText(formatThreeSignificant(sample_.x));
    Label6->setText(formatThreeSignificant(sample_.v));
    Label7->setText(formatThreeSignificant(sample_.a));
}

void feuilleP::Timer1_Timer() {
    sample_ = sampleMotion(motion_, parameters(), sample_.t, sample_);
    majaff();
    const ClockAdvance next = advanceClock(sample_.t, view_->duration(), motion_.stepLimit,
                                           view_->slowMotion(), view_->rowsRecorded());
    sample_.t = next.t;
    view_->setSampleDue(next.sampleDue);
}

void feuilleP::majaff() {
    view_->writeReadouts(sample_);
    Label1->repaint();
    view_->drawScene(sample_, parameters(), motion_);
    if (float(sample_.t) <= view_->duration()) view_->tracegraphe(sample_);
}

void feuilleP::fond() { view_->fond(Image3); }
void feuilleP::appareil() { view_->appareil(); }
void feuilleP::echgraph() { view_->echgraph(parameters()); }

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
    Timer1_Timer();
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
    Text5(PositionField)->setText(formatGeneral(x0));
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
    setStatusText(
        QStringLiteral("Vous pouvez déplacer le mobile avec la souris (bouton "
                       "enfoncé)"));
    const double solidX = 30.0 * sample_.x + 450;
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
    Text5(PositionField)->setText(formatGeneral(x0));
    Command18_Click();
    command15_Click();
}

}  // namespace ondalis
