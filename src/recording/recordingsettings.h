#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "simulation/clock.h"

// The recording: the motion from t = 0 to t = D, sampled at the 51 instants k·D/50
// (k = 0 … 50), each of which becomes a row of the value table.
namespace ondalis {

inline constexpr int kMinDurationIndex = -8;
inline constexpr int kMaxDurationIndex = 10;

// One row of the duration table: index -8 "1 ms" (0.001 s) up to 10 "10 min" (600 s). D is
// the single nearest to the decimal value.
struct DurationEntry {
    int index;
    const char* label;
    float duration;
};

// The row for `index`, or nothing when the index is outside -8 … 10.
std::optional<DurationEntry> durationEntry(int index);

// First step of a duration change: the index goes into `durationIndex`; when it is in the
// table, D takes the table's value and the label text to show is returned. An index outside
// the table keeps the previous D and label (nothing is returned); the caller still redraws the
// graph frame and resets the motion.
std::optional<QString> applyDurationIndex(RecordingSettings& settings, int index);

// Status-line hint for the pointer over the recording panel.
QString recordingPanelHint();

}  // namespace ondalis
