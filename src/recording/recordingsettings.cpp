#include "recording/recordingsettings.h"

#include <array>
#include <limits>

namespace ondalis {

namespace {

constexpr std::array<DurationEntry, 19> kDurations{{
    {-8, "1 ms", 0.001f}, {-7, "2 ms", 0.002f}, {-6, "5 ms", 0.005f},   {-5, "10 ms", 0.01f},
    {-4, "20 ms", 0.02f}, {-3, "50 ms", 0.05f}, {-2, "100 ms", 0.1f},   {-1, "200 ms", 0.2f},
    {0, "500 ms", 0.5f},  {1, "1 s", 1.0f},     {2, "2 s", 2.0f},       {3, "5 s", 5.0f},
    {4, "10 s", 10.0f},   {5, "20 s", 20.0f},   {6, "30 s", 30.0f},     {7, "1 min", 60.0f},
    {8, "2 min", 120.0f}, {9, "5 min", 300.0f}, {10, "10 min", 600.0f},
}};

}  // namespace

std::optional<DurationEntry> durationEntry(int index) {
    if (index < kMinDurationIndex || index > kMaxDurationIndex) return std::nullopt;
    return kDurations[std::size_t(index - kMinDurationIndex)];
}

std::optional<QString> applyDurationIndex(RecordingSettings& settings, int index) {
    // The stored index is 16-bit; a value that does not fit leaves it as it was.
    if (index >= std::numeric_limits<std::int16_t>::min() &&
        index <= std::numeric_limits<std::int16_t>::max())
        settings.durationIndex = std::int16_t(index);
    const auto entry = durationEntry(index);
    if (!entry) return std::nullopt;
    settings.duration = entry->duration;
    return QString::fromUtf8(entry->label);
}

QString recordingPanelHint() {
    return QStringLiteral("Vous pouvez choisir la durée de l'enregistrement (tableau et graphe)");
}

}  // namespace ondalis
