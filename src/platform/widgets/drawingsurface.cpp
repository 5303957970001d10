#include "platform/widgets/drawingsurface.h"

#include "platform/widgets/focusmark.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace ondalis {

namespace {

int px(double v) { return int(std::lround(v)); }

// A described surface reads as a graphic whose description follows what it shows.
class DrawingSurfaceAccessible : public QAccessibleWidget {
public:
    explicit DrawingSurfaceAccessible(DrawingSurface* s) : QAccessibleWidget(s) {}
    const DrawingSurface* surface() const { return static_cast<const DrawingSurface*>(widget()); }
    QAccessible::Role role() const override {
        return surface()->isDescribed() ? QAccessible::Graphic : QAccessibleWidget::role();
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) return surface()->description();
        return QAccessibleWidget::text(t);
    }
};

// Only plain surfaces: the controls built on a surface keep their own interfaces.
QAccessibleInterface* drawingSurfaceFactory(const QString&, QObject* object) {
    if (object && object->metaObject() == &DrawingSurface::staticMetaObject)
        return new DrawingSurfaceAccessible(static_cast<DrawingSurface*>(object));
    return nullptr;
}

}  // namespace

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(drawingSurfaceFactory);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

DrawingSurface::~DrawingSurface() = default;

void DrawingSurface::setSurfaceSize(int w, int h) {
    resize(w, h);
    ensureImageSize();
}

void DrawingSurface::refreshNow() { repaint(); }

// At one device pixel per unit the image itself; above, the drawing at the screen's resolution.
void DrawingSurface::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& shown = image();
    if (devicePixelRatioF() > 1) {
        p.setClipRegion(event->region());
        render(p, event->region().boundingRect());
    } else {
        for (const QRect& r : event->region()) {
            const QRect area = r & shown.rect();
            if (!area.isEmpty()) p.drawImage(area.topLeft(), shown, area);
        }
    }
    if (shown.width() < width() || shown.height() < height()) {
        p.setClipping(false);
        p.fillRect(QRect(shown.width(), 0, width() - shown.width(), height()), backColor());
        p.fillRect(QRect(0, shown.height(), width(), height() - shown.height()), backColor());
    }
    if (focusRing_ > 0 && showsFocusMark(*this)) {
        p.setClipping(false);
        drawFocusRing(p, rect(), focusMarkColor(*this), focusRing_);
    }
}

void DrawingSurface::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (focusRing_ > 0) update();
}

void DrawingSurface::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (focusRing_ > 0) update();
}

void DrawingSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensureImageSize();
    emit resized();
}

void DrawingSurface::mousePressEvent(QMouseEvent* e) {
    emit mousePressed(e->button(), e->buttons(), px(e->position().x()), px(e->position().y()));
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* e) {
    emit mouseMoved(e->buttons(), px(e->position().x()), px(e->position().y()));
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseReleased(e->button(), e->buttons(), px(e->position().x()), px(e->position().y()));
}

}  // namespace ondalis
