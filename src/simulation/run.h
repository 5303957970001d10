#pragma once

#include <optional>
#include <vector>

#include "simulation/clock.h"
#include "simulation/motion.h"
#include "simulation/parameters.h"

// The run of the animation without any window: the motion in force, the current sample, the
// clock, the recording and its samples, and whether the animation runs. The window asks it for
// what to draw and shows that; its timer follows isRunning().
namespace ondalis {

using RecordedSamples = std::vector<MotionSample>;

// The recording: its settings (D and the clock's sampling flag) and the samples taken, one per
// sampling instant k·D/50, at most 51.
class Recording {
public:
    RecordingSettings settings;

    // A drawing of `sample` while float(t) <= D (and D > 0): at t = 0 the recording becomes that
    // one sample (every drawing there writes it again); when the clock has flagged a sampling
    // instant and the sample is the motion at that very instant n·D/50 (n samples taken), the
    // sample is appended and the flag cleared, so that a drawing at the same or at another
    // instant adds nothing. Returns whether a sample was written.
    bool record(const MotionSample& sample);

    const RecordedSamples& samples() const { return samples_; }
    int rows() const { return int(samples_.size()); }
    // Back to no sample, the flag cleared.
    void clear();
    // The first `n` samples kept, the later ones dropped.
    void keepFirst(int n);

private:
    RecordedSamples samples_;
};

// What a tick or a redraw gives to draw.
struct RunFrame {
    MotionSample sample;
    // float(t) <= D: the graph gains the point (past D it keeps what it has).
    bool onGraph = false;
    // The recording gained a sample (or, at t = 0, wrote its first one again).
    bool rowAdded = false;
};

class Run {
public:
    // Back to the start (`resetMotion`, also the "Stop" button): the clock stopped and on t = 0,
    // the motion constants recomputed from `p` (a failing computation keeps the previous ones),
    // the sample at t = 0, the recording emptied.
    void reset(const OscillatorParameters& p);
    // The solid moved to `x` cm while the clock is stopped, as the mouse drag moves it: x0 is `x`
    // clamped to -10 … 10 and rounded to three significant digits, then the run is reset with
    // it (the other parameters kept). Returns x0.
    float drag(float x);

    void start() { running_ = true; }
    // The clock stopped; t, the sample and the recording are kept, so that start() resumes.
    void pause() { running_ = false; }
    bool isRunning() const { return running_; }

    // One tick: the sample at the clock's instant, drawn (see redraw()), then the clock's advance
    // (a tenth of the step in slow motion), which may flag the next sampling instant. While the
    // run is paused, a tick changes nothing and gives the current sample.
    RunFrame tick(bool slowMotion);
    // One step of the clock while the run is paused or stopped: exactly what a tick of the
    // running clock does (the same frame, the same row, the same advance), the run staying
    // paused, so that n steps reach the instant and the row n ticks would. A running run is only
    // paused.
    RunFrame step(bool slowMotion);
    // Back to the last sampling instant recorded before the sample shown: the run paused, that
    // recorded sample shown again, the samples after it dropped (a step or a start records them
    // again, the same), and the clock where the tick that recorded it left it, so that going on
    // from there retraces the motion bit for bit. Nothing happens when no sample lies before the
    // one shown. Returns whether it went back.
    bool stepBack(bool slowMotion);
    // The sample at the clock's instant computed again and drawn, the clock not advanced.
    RunFrame showClockInstant();
    // A drawing of the current sample (every redraw of the scene), recorded when its row is due.
    RunFrame redraw();
    // The current sample to draw, nothing recorded.
    RunFrame frame() const;

    const MotionConstants& constants() const { return constants_; }
    const MotionSample& sample() const { return sample_; }
    // The clock's instant: the t of the next tick's sample.
    double clockTime() const { return clockTime_; }
    // The parameters of the motion in force, as the last reset took them (none before).
    const std::optional<OscillatorParameters>& parametersInForce() const { return inForce_; }

    RecordingSettings& settings() { return recording_.settings; }
    const RecordingSettings& settings() const { return recording_.settings; }
    const RecordedSamples& samples() const { return recording_.samples(); }
    int rows() const { return recording_.rows(); }

private:
    RunFrame advance(bool slowMotion);

    std::optional<OscillatorParameters> inForce_;
    MotionConstants constants_;
    // The sample shown, with its own instant t. The clock's time is kept apart: the advance at
    // the end of a tick moves the clock to the next instant, and the sample follows at the next
    // tick, so that a redraw in between (paused) shows and records the motion at its own t.
    MotionSample sample_;
    double clockTime_ = 0;
    Recording recording_;
    bool running_ = false;
};

}  // namespace ondalis
