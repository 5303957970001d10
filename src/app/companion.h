#pragma once

#include <QString>

#include "platform/core/filepaths.h"

namespace ondalis {

// The handshake file "ZANTEK.TMP" in the program folder, shared with the collection's main
// module. Record 12 holds the run status ("OUI" while running, "NON" after closing); record 31
// holds an exercise the main module asks us to open, relative to the program folder. The file
// is opened and closed within each step; failures are silent.
class CompanionHandshake {
public:
    static constexpr int StatusRecord = 12;
    static constexpr int RequestRecord = 31;

    explicit CompanionHandshake(const QString& programFolder);

    QString path() const { return path_; }
    void setRunning(bool running) const;
    // Reads the request, then clears it so that it is served once. Blank means no request.
    QString takeExerciseRequest() const;

private:
    QString path_;
};

}  // namespace ondalis
