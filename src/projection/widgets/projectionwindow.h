#pragma once

#include <QWidget>
#include <functional>

#include "projection/projectionlayout.h"
#include "simulation/run.h"

class QMenu;
class QScreen;

namespace ondalis {

// The projection: a frameless window that fills a screen with the scene, the readouts and the
// graph, drawn from the main window's pictures at the screen's scale. It follows the run as it
// is told (`follow`); the main window stays the control panel. Escape or F11 closes it; its
// context menu chooses the screen and the high-contrast form.
class ProjectionWindow : public QWidget {
    Q_OBJECT
public:
    // `content` gives what to draw, asked at each paint.
    explicit ProjectionWindow(std::function<ProjectionContent()> content,
                              QWidget* parent = nullptr);
    ~ProjectionWindow() override;

    // The screen to project on: the first one that is not the main window's (the second when
    // the main window is on the first), else the only one.
    static QScreen* defaultScreen(const QScreen* mainScreen);
    // Fills `screen` and shows the window there.
    void showOn(QScreen* screen);

    bool highContrast() const { return highContrast_; }
    void setHighContrast(bool on);
    const ProjectionLayout& layout() const { return layout_; }

    // A new frame of the run: what it changes (the scene, the readouts, the graph when it gained
    // a point) is drawn at the next paint; after a reset, everything.
    void follow(const RunFrame& frame);
    void followReset();

    // The picture as the window shows it, at its size.
    QImage picture() const;

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillMenu();

    std::function<ProjectionContent()> content_;
    ProjectionLayout layout_;
    ProjectionCache cache_;
    // The scene and the graph as last asked to be shown: a frame repaints where they changed.
    QImage sceneShown_, graphShown_;
    std::array<QString, ReadoutCount> valuesShown_;
    bool highContrast_ = false;
    QMenu* menu_ = nullptr;
};

}  // namespace ondalis
