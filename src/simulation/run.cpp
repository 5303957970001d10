#include "simulation/run.h"

namespace ondalis {

bool Recording::record(const MotionSample& sample) {
    const float duration = settings.duration;
    if (duration <= 0 || float(sample.t) > duration) return false;
    if (sample.t == 0) {
        samples_.assign(1, sample);
        return true;
    }
    if (settings.sampleDue && sample.t == samplingInstant(duration, rows())) {
        samples_.push_back(sample);
        settings.sampleDue = false;
        return true;
    }
    return false;
}

void Recording::keepFirst(int n) {
    if (n >= 0 && n < rows()) samples_.resize(std::size_t(n));
}

void Recording::clear() {
    samples_.clear();
    settings.sampleDue = false;
}

void Run::reset(const OscillatorParameters& p) {
    running_ = false;
    inForce_ = p;
    computeScaleExponents(p, constants_);
    computeRegime(p, constants_);
    // The solid released at x0 without speed; the energies keep their values until computed.
    sample_.x = sample_.v = sample_.a = 0;
    clockTime_ = 0;
    recording_.clear();
    sample_ = sampleMotion(constants_, p, 0, sample_);
}

float Run::drag(float x) {
    OscillatorParameters p = inForce_.value_or(OscillatorParameters{});
    p.x0 = validatedParameter(PositionField, x);
    reset(p);
    return p.x0;
}

RunFrame Run::tick(bool slowMotion) {
    // A tick that comes while paused (the timer has just been stopped) changes nothing.
    if (!running_) return frame();
    return advance(slowMotion);
}

RunFrame Run::step(bool slowMotion) {
    if (running_) {
        pause();
        return frame();
    }
    return advance(slowMotion);
}

bool Run::stepBack(bool slowMotion) {
    const RecordedSamples& recorded = recording_.samples();
    int k = rows() - 1;
    while (k >= 0 && !(recorded[std::size_t(k)].t < sample_.t)) --k;
    if (k < 0) return false;
    running_ = false;
    recording_.keepFirst(k + 1);
    sample_ = recorded[std::size_t(k)];
    // Where the tick that recorded sample k left the clock, the flag included.
    const ClockAdvance next =
        advanceClock(sample_.t, settings().duration, constants_.stepLimit, slowMotion, k + 1);
    clockTime_ = next.t;
    settings().sampleDue = next.sampleDue;
    return true;
}

RunFrame Run::advance(bool slowMotion) {
    const RunFrame shown = showClockInstant();
    const ClockAdvance next =
        advanceClock(clockTime_, settings().duration, constants_.stepLimit, slowMotion, rows());
    clockTime_ = next.t;
    settings().sampleDue = next.sampleDue;
    return shown;
}

RunFrame Run::showClockInstant() {
    sample_ =
        sampleMotion(constants_, inForce_.value_or(OscillatorParameters{}), clockTime_, sample_);
    return redraw();
}

RunFrame Run::redraw() {
    RunFrame f = frame();
    f.rowAdded = recording_.record(sample_);
    return f;
}

RunFrame Run::frame() const { return {sample_, float(sample_.t) <= settings().duration, false}; }

}  // namespace ondalis
