#pragma once

#include "platform/widgets/drawingsurface.h"
#include "recording/recordingsettings.h"

class QLabel;

namespace ondalis {

class UpDown;
class ValueGrid;

// The "Enregistrement" panel (`Picture6`): the sentence "Durée de l'enregistrement " ended by
// the duration label `Labelg` and the arrows `UpDown1` over the 19 durations, and below them
// the value table `MSFlexGrid1`, centred, down to the bottom of the panel. The hidden canvas
// `Pictete` serves to draw the table's header pictures.
//
// The panel only displays and forwards: a change of `UpDown1` is signalled with the new index;
// the owner then runs the change (applyDuration, graph frame, reset of the motion).
class RecordingPanel : public DrawingSurface {
    Q_OBJECT
public:
    static constexpr int kTextX = 16;
    static constexpr int kTextY = 10;
    static constexpr int kGridTop = 34;

    explicit RecordingPanel(QWidget* parent = nullptr);

    ValueGrid* grid() const { return grid_; }
    QLabel* labelg() const { return labelg_; }
    UpDown* upDown() const { return upDown_; }
    DrawingSurface* pictete() const { return pictete_; }

    // Position of `UpDown1`. A fresh panel is at 0, so that setting the start-up index 3
    // signals a change.
    int durationIndex() const;
    // Sets `UpDown1` as the program does (start-up, configuration file). An index inside
    // -8 … 10 moves the arrows and signals when it differs; an index outside cannot be shown by
    // the arrows, which stay where they are, but it is signalled all the same so that the
    // change runs (and keeps the previous duration).
    void setDurationIndex(int index);

    // First step of the duration change: settings from the index, and `Labelg` shows the label
    // of a known index (otherwise it keeps its text). Returns whether the index was known.
    bool applyDuration(RecordingSettings& settings, int index);

    // Builds the table for the panel's current width (`tetetab`).
    void tetetab();

    // Paints the sentence and places `Labelg`, `UpDown1` and the grid (done on every resize).
    void layoutPanel();

signals:
    void durationIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* labelg_;
    UpDown* upDown_;
    ValueGrid* grid_;
    DrawingSurface* pictete_;
};

}  // namespace ondalis
