#include "platform/widgets/updown.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

namespace ondalis {

namespace {

class UpDownAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UpDownAccessible(UpDown* w) : QAccessibleWidget(w, QAccessible::SpinBox) {}
    UpDown* upDown() const { return static_cast<UpDown*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return upDown()->valueText().isEmpty() ? QString::number(upDown()->value())
                                                   : upDown()->valueText();
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return upDown()->value(); }
    void setCurrentValue(const QVariant& v) override { upDown()->setValue(v.toInt()); }
    QVariant maximumValue() const override { return upDown()->maximum(); }
    QVariant minimumValue() const override { return upDown()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* upDownFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("ondalis::UpDown") && object && object->isWidgetType())
        return new UpDownAccessible(static_cast<UpDown*>(object));
    return nullptr;
}

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(7, 7));
    return b;
}

}  // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(upDownFactory);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::StrongFocus);
    up_ = makeArrow(this, Qt::UpArrow, "up");
    down_ = makeArrow(this, Qt::DownArrow, "down");
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
    resize(sizeHint());
}

void UpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setValue(value_);
}

void UpDown::setValue(int value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_) return;
    value_ = value;
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent e(this, value_);
        QAccessible::updateAccessibility(&e);
    }
    emit valueChanged(value_);
}

void UpDown::setValueText(const QString& text) {
    valueText_ = text;
    if (QAccessible::isActive()) {
        QAccessibleEvent e(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&e);
    }
}

void UpDown::setArrowNames(const QString& up, const QString& down) {
    up_->setAccessibleName(up);
    up_->setToolTip(up);
    down_->setAccessibleName(down);
    down_->setToolTip(down);
}

QSize UpDown::sizeHint() const { return {17, 24}; }

void UpDown::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Plus:
            stepUp();
            break;
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Minus:
            stepDown();
            break;
        case Qt::Key_Home:
            setValue(minimum_);
            break;
        case Qt::Key_End:
            setValue(maximum_);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace ondalis
