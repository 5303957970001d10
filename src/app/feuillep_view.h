#pragma once

#include <QImage>

#include "motion.h"
#include "parameters.h"

namespace ondalis {

class feuilleP;
class StatusHints;

// The main window's link to the scene, recording and graph subsystems: their panels, their
// state for the run, and the calls the window's routines hand over to them.
struct MainWindowView {
    explicit MainWindowView(feuilleP& window);

    float duration() const { return duration_; }
    int rowsRecorded() const { return 0; }
    bool slowMotion() const { return false; }
    void setSampleDue(bool due) { sampleDue_ = due; }

    void writeReadouts(const MotionSample& s);
    void drawScene(const MotionSample& s, const OscillatorParameters& p, const MotionConstants& c);
    void tracegraphe(const MotionSample& s);
    void cutTableToHeader() {}
    void echgraph(const OscillatorParameters& p);
    void fond(QImage& skyCache);
    void appareil() {}
    void setVectorScales(int, int) {}
    void setExponents(int, int) {}
    void setDurationIndex(int) {}
    void tetetab() {}
    void copyTable() {}
    void addHints(StatusHints&) {}
    void closeSecondaryWindows() {}

private:
    feuilleP& w_;
    float duration_ = 5;
    bool sampleDue_ = false;
};

}  // namespace ondalis
