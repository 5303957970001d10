#include "projection/widgets/projectionwindow.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "platform/canvas/canvas.h"

namespace ondalis {

ProjectionWindow::ProjectionWindow(std::function<ProjectionContent()> content, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), content_(std::move(content)) {
    setObjectName(QStringLiteral("projection"));
    setWindowTitle(QStringLiteral("Ondalis - Projection"));
    setAccessibleName(QStringLiteral("Projection de l'animation, des valeurs et du graphe"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("projectionMenu"));
}

ProjectionWindow::~ProjectionWindow() = default;

QScreen* ProjectionWindow::defaultScreen(const QScreen* mainScreen) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* s : screens)
        if (s != mainScreen) return s;
    return QGuiApplication::primaryScreen();
}

void ProjectionWindow::showOn(QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (isVisible()) hide();
    // The platform window itself is put on the screen, so that full screen fills that one.
    if (!windowHandle()) create();
    windowHandle()->setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
}

void ProjectionWindow::setHighContrast(bool on) {
    if (on == highContrast_) return;
    highContrast_ = on;
    update();
}

QImage ProjectionWindow::picture() const {
    QImage image(size(), QImage::Format_RGB32);
    QPainter p(&image);
    drawProjection(p, size(), layout_, content_(), highContrast_);
    return image;
}

// Area by area, so that a frame redraws the scene and the readouts without the graph between
// them.
void ProjectionWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const ProjectionContent content = content_();
    for (const QRect& r : event->region()) {
        p.save();
        p.setClipRect(r);
        drawProjection(p, size(), layout_, content, highContrast_, r, &cache_);
        p.restore();
    }
}

void ProjectionWindow::follow(const RunFrame& frame) {
    const ProjectionContent content = content_();
    // Where the scene and the graph changed since they were last shown.
    const auto changed = [this](const Canvas* canvas, QImage& shown, const QRect& place) {
        if (!canvas) return;
        const QRect area = screenArea(takeChanges(shown, canvas->image()), place, layout_.scale);
        if (!area.isEmpty()) update(area);
    };
    changed(content.scene, sceneShown_, layout_.scene);
    // Of the readouts only the values change, and not all of them at each frame.
    const QPoint origin = layout_.readouts.topLeft();
    const double k = layout_.scale;
    const auto rects = readoutLabelRects();
    for (size_t i = 0; i < rects.size(); ++i) {
        if (content.values[i] == valuesShown_[i]) continue;
        valuesShown_[i] = content.values[i];
        const QRect r = rects[i];
        update(QRectF(origin.x() + r.x() * k, origin.y() + r.y() * k, r.width() * k, r.height() * k)
                   .toAlignedRect()
                   .adjusted(-2, -2, 2, 2));
    }
    if (frame.onGraph) changed(content.graph, graphShown_, layout_.graph);
}

void ProjectionWindow::followReset() {
    const ProjectionContent content = content_();
    if (content.scene) takeChanges(sceneShown_, content.scene->image());
    if (content.graph) takeChanges(graphShown_, content.graph->image());
    valuesShown_ = content.values;
    update();
}

void ProjectionWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layout_ = projectionLayout(size());
}

void ProjectionWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F11) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProjectionWindow::fillMenu() {
    menu_->clear();
    QAction* contrast = menu_->addAction(QStringLiteral("Contraste élevé"));
    contrast->setObjectName(QStringLiteral("contrasteEleve"));
    contrast->setCheckable(true);
    contrast->setChecked(highContrast_);
    connect(contrast, &QAction::toggled, this, &ProjectionWindow::setHighContrast);
    menu_->addSeparator();
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i) {
        QScreen* s = screens[i];
        QAction* a = menu_->addAction(QStringLiteral("Projeter sur l'écran %1 (%2 × %3)")
                                          .arg(i + 1)
                                          .arg(s->geometry().width())
                                          .arg(s->geometry().height()));
        a->setCheckable(true);
        a->setChecked(s == screen());
        connect(a, &QAction::triggered, this, [this, s] { showOn(s); });
    }
    menu_->addSeparator();
    QAction* quit = menu_->addAction(QStringLiteral("Fermer la projection\tÉchap"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

void ProjectionWindow::contextMenuEvent(QContextMenuEvent* event) {
    fillMenu();
    menu_->popup(event->globalPos());
}

void ProjectionWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

}  // namespace ondalis
