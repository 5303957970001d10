#pragma once

#include <QColor>
#include <QString>
#include <vector>

namespace ondalis {

class RichTextPane;

namespace exercises {

// The styles of the introduction's runs.
enum class IntroStyle { Title, Body, Blue };

struct IntroRun {
    QString text;  // CR LF ends a line
    IntroStyle style;
};

// The sixteen runs of the introduction, in order.
const std::vector<IntroRun>& introRuns();

// The blue of the title and of the highlighted runs.
inline const QColor introBlue{0, 0, 200};

// Writes the introduction into `pane`, replacing its whole content, and leaves the pane
// read-only: default "Arial" 10 points black, left-aligned; the title centred in 18 points
// blue without indent; every other run indented 20 pixels, the blue runs in blue.
void intro(RichTextPane& pane);

}  // namespace exercises
}  // namespace ondalis
