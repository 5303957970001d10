#pragma once

// The animation clock. Each tick advances the simulated time t by
//     s = min(0.05 s, stepLimit)      (s / 10 in slow motion)
// and, while a recording is under way, pulls t back exactly onto the next sampling instant
// n·D/50 (n = rows already recorded), so that every instant 0, D/50, …, D is computed and
// recorded once, whatever the size of s compared with D/50.
#include <cstdint>

namespace ondalis {

inline constexpr int kDefaultDurationIndex = 3;
inline constexpr int kSamplesPerRecording = 51;

// What the clock needs of the recording: the duration D and the flag by which it tells the
// drawing that it has stopped on a sampling instant.
struct RecordingSettings {
    // Position of the up-down control; 3 at start-up.
    std::int16_t durationIndex = kDefaultDurationIndex;
    // D, in seconds.
    float duration = 5;
    // The clock has just stopped on a sampling instant whose row is not written yet.
    bool sampleDue = false;
};

struct ClockAdvance {
    double t = 0;
    bool sampleDue = false;
};

// `duration` is D as stored (single precision); the sampling instants are taken from its
// decimal value, so that they read as plain decimals (0,02, 0,00004, …).
ClockAdvance advanceClock(double t, float duration, float stepLimit, bool slowMotion,
                          int rowsRecorded);

// The instant n·D/50, from the decimal value of D.
double samplingInstant(float duration, int n);

// D as a double with the decimal value it was chosen for (0.001f -> 0.001).
double decimalDuration(float duration);

}  // namespace ondalis
