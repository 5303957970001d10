#include "recording/widgets/recordingpanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>

#include "platform/widgets/updown.h"
#include "platform/widgets/valuegrid.h"
#include "recording/widgets/valuetable.h"

namespace ondalis {

namespace {

const QColor kPanelColor(240, 235, 230);

}  // namespace

RecordingPanel::RecordingPanel(QWidget* parent) : DrawingSurface(parent) {
    setObjectName(QStringLiteral("Picture6"));
    setAccessibleName(QStringLiteral("Enregistrement"));

    const QFont font = makeFont(QStringLiteral("Arial"), 8);
    labelg_ = new QLabel(this);
    labelg_->setObjectName(QStringLiteral("Labelg"));
    labelg_->setFont(font);
    labelg_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Wide enough for the longest label, so that the arrows stay put.
    int widest = 0;
    for (int i = kMinDurationIndex; i <= kMaxDurationIndex; ++i)
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(
                                      QString::fromUtf8(durationEntry(i)->label)));
    labelg_->resize(widest + 4, QFontMetrics(font).height());

    upDown_ = new UpDown(this);
    upDown_->setObjectName(QStringLiteral("UpDown1"));
    upDown_->setAccessibleName(QStringLiteral("Durée de l'enregistrement"));
    upDown_->setArrowNames(QStringLiteral("Durée plus longue"),
                           QStringLiteral("Durée plus courte"));
    upDown_->setRange(kMinDurationIndex, kMaxDurationIndex);
    labelg_->setBuddy(upDown_);
    connect(upDown_, &UpDown::valueChanged, this, &RecordingPanel::durationIndexChanged);

    grid_ = new ValueGrid(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setAccessibleName(QStringLiteral("Tableau de valeurs"));
    grid_->setOutsideBackground(kPanelColor);

    pictete_ = new DrawingSurface(this);
    pictete_->setObjectName(QStringLiteral("Pictete"));
    pictete_->hide();

    setBackColor(kPanelColor);
    layoutPanel();
}

int RecordingPanel::durationIndex() const { return upDown_->value(); }

void RecordingPanel::setDurationIndex(int index) {
    if (index >= upDown_->minimum() && index <= upDown_->maximum())
        upDown_->setValue(index);
    else
        emit durationIndexChanged(index);
}

bool RecordingPanel::applyDuration(RecordingSettings& settings, int index) {
    const auto label = applyDurationIndex(settings, index);
    if (!label) return false;
    labelg_->setText(*label);
    upDown_->setValueText(*label);
    return true;
}

void RecordingPanel::tetetab() {
    ondalis::tetetab(*grid_, width(), *pictete_);
    layoutPanel();
}

void RecordingPanel::layoutPanel() {
    clear();
    grid_->move((width() - grid_->width()) / 2, kGridTop);
    grid_->resize(grid_->width(), std::max(0, height() - kGridTop));
    setFont(QStringLiteral("Arial"), 8);
    setForeColor(Qt::black);
    printAt(kTextX, kTextY, QStringLiteral("Durée de l'enregistrement "));
    labelg_->move(int(currentX()), kTextY);
    const int middle = kTextY + labelg_->height() / 2;
    upDown_->move(labelg_->x() + labelg_->width(), middle - upDown_->height() / 2);
}

void RecordingPanel::resizeEvent(QResizeEvent* event) {
    DrawingSurface::resizeEvent(event);
    layoutPanel();
}

}  // namespace ondalis
