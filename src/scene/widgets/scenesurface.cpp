#include "scene/widgets/scenesurface.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <cmath>

#include "scene/scenegeometry.h"
#include "simulation/parameters.h"

namespace ondalis {

namespace {

// The scene reads as a slider whose value is the starting position, in words and in numbers,
// and whose description follows what it shows.
class SceneSurfaceAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SceneSurfaceAccessible(SceneSurface* s) : QAccessibleWidget(s, QAccessible::Slider) {}
    SceneSurface* scene() const { return static_cast<SceneSurface*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return SceneSurface::positionText(scene()->position());
        // The value in words leads the description as well: the accessibility bus of some
        // platforms carries only the number of a value, and the description is read out when
        // it changes.
        if (t == QAccessible::Description)
            return SceneSurface::positionText(scene()->position()) + QStringLiteral(". ") +
                   scene()->description();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return SceneSurface::value(scene()->position()); }
    void setCurrentValue(const QVariant& value) override {
        emit scene()->positionAsked(validatedParameter(PositionField, value.toFloat()));
    }
    QVariant maximumValue() const override { return SceneSurface::maximum; }
    QVariant minimumValue() const override { return SceneSurface::minimum; }
    QVariant minimumStepSize() const override { return SceneSurface::fineStep; }
};

QAccessibleInterface* sceneSurfaceFactory(const QString&, QObject* object) {
    if (object && object->metaObject() == &SceneSurface::staticMetaObject)
        return new SceneSurfaceAccessible(static_cast<SceneSurface*>(object));
    return nullptr;
}

}  // namespace

SceneSurface::SceneSurface(QWidget* parent) : DrawingSurface(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(sceneSurfaceFactory);
        return true;
    }();
    (void)installed;
    // Reached with Tab as well as by a click, which gave it the focus before.
    setFocusPolicy(Qt::StrongFocus);
    // The ring shows on the screen only, never in the image that is copied and printed.
    setFocusRing(2);
}

// The float x0 as the decimal number it stands for (3,2 and not 3,2000000477).
double SceneSurface::value(float x0) { return std::round(double(x0) * 1e4) / 1e4; }

QString SceneSurface::positionText(float x0) {
    return QStringLiteral("Position initiale %1 cm").arg(parameterText(x0));
}

void SceneSurface::setPosition(float x0) {
    if (x0 == position_) return;
    position_ = x0;
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, value(x0));
        QAccessible::updateAccessibility(&event);
        QAccessibleEvent described(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

void SceneSurface::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool fine = modifiers == Qt::ShiftModifier;
    if (modifiers != Qt::NoModifier && !fine) {
        DrawingSurface::keyPressEvent(event);
        return;
    }
    const std::optional<float> x0 = keyedPosition(event->key(), fine, position_);
    if (!x0) {
        DrawingSurface::keyPressEvent(event);
        return;
    }
    event->accept();
    emit positionAsked(*x0);
}

}  // namespace ondalis
