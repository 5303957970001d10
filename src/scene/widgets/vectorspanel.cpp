#include "scene/widgets/vectorspanel.h"

#include <QCheckBox>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "platform/core/numberformat.h"
#include "platform/widgets/colorswatch.h"
#include "platform/widgets/focusmark.h"
#include "scene/swatches.h"

namespace ondalis {

namespace {

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(text);
    box->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    box->adjustSize();
    box->move(x, y);
    return box;
}

// A small vertical spinner: the upper arrow lowers the value, which lengthens the vectors. With
// the keyboard focus it is ringed with the focus colour.
class ScaleSpinner : public QScrollBar {
public:
    explicit ScaleSpinner(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (!showsFocusMark(*this)) return;
        QPainter p(this);
        drawFocusRing(p, rect(), focusMarkColor(*this), VectorsPanel::SpinnerFocusRingWidth);
    }
};

QScrollBar* makeSpinner(QWidget* parent, const char* name, const QString& label, int min, int max,
                        int value, int x) {
    auto* bar = new ScaleSpinner(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setAccessibleName(label);
    bar->setToolTip(label);
    bar->setRange(min, max);
    bar->setSingleStep(5);
    bar->setPageStep(10);
    bar->setValue(value);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setGeometry(x, VectorsPanel::BarY - VectorsPanel::SpinnerHeight / 2, 17,
                     VectorsPanel::SpinnerHeight);
    return bar;
}

ColorSwatch* makeSwatch(QWidget* parent, int index, int x, int y) {
    auto* swatch = new ColorSwatch(parent);
    swatch->setObjectName(QStringLiteral("Label4_%1").arg(index));
    swatch->setAccessibleName(swatchAccessibleName(index));
    swatch->setColor(defaultSwatchColor(index));
    swatch->setGeometry(x, y, 17, 17);
    return swatch;
}

}  // namespace

VectorsPanel::VectorsPanel(QWidget* parent) : DrawingSurface(parent) {
    setObjectName(QStringLiteral("Frame2"));
    setAccessibleName(QStringLiteral("Vecteurs"));

    check12_ =
        makeCheckBox(this, "Check12", QStringLiteral("Afficher les vecteurs forces"), 16, 16);
    swatches_[2] = makeSwatch(this, 2, 40, 48);
    swatches_[3] = makeSwatch(this, 3, 104, 48);
    vscroll3_ =
        makeSpinner(this, "VScroll3", QStringLiteral("Échelle des forces"), -50, 90, -10, 40);
    check5_ = makeCheckBox(this, "Check5", QStringLiteral("Afficher le vecteur vitesse"), 224, 16);
    swatches_[0] = makeSwatch(this, 0, 248, 48);
    vscroll1_ =
        makeSpinner(this, "VScroll1", QStringLiteral("Échelle de la vitesse"), 0, 90, 70, 248);

    // Part of the saved colours, but never shown nor clicked.
    swatches_[4] = makeSwatch(this, 4, 0, 0);
    swatches_[4]->setFocusPolicy(Qt::NoFocus);
    swatches_[4]->setEnabled(false);
    swatches_[4]->hide();

    setTabOrder(check12_, swatches_[2]);
    setTabOrder(swatches_[2], swatches_[3]);
    setTabOrder(swatches_[3], vscroll3_);
    setTabOrder(vscroll3_, check5_);
    setTabOrder(check5_, swatches_[0]);
    setTabOrder(swatches_[0], vscroll1_);

    for (int index : {0, 2, 3})
        connect(swatches_[index], &ColorSwatch::clicked, this,
                [this, index] { emit swatchClicked(index); });
    connect(check5_, &QCheckBox::toggled, this, &VectorsPanel::vectorSettingsChanged);
    connect(check12_, &QCheckBox::toggled, this, &VectorsPanel::vectorSettingsChanged);
    for (QScrollBar* bar : {vscroll1_, vscroll3_}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            paintPanel();
            emit vectorSettingsChanged();
        });
    }
    connect(this, &DrawingSurface::resized, this, &VectorsPanel::paintPanel);

    setSurfaceSize(337, 177);
    paintPanel();
}

ColorSwatch* VectorsPanel::Label4(int index) const {
    if (index < 0 || index >= int(swatches_.size())) return nullptr;
    return swatches_[index];
}

void VectorsPanel::setExponents(int forceExponent, int speedExponent) {
    forceExponent_ = forceExponent;
    speedExponent_ = speedExponent;
    paintPanel();
}

VectorView VectorsPanel::vectorView() const {
    VectorView v;
    v.velocityShown = check5_->isChecked();
    v.forcesShown = check12_->isChecked();
    v.velocityScale = vscroll1_->value();
    v.forceScale = vscroll3_->value();
    v.forceExponent = forceExponent_;
    v.speedExponent = speedExponent_;
    v.velocityColor = swatches_[0]->color();
    v.tensionColor = swatches_[2]->color();
    v.frictionColor = swatches_[3]->color();
    return v;
}

void VectorsPanel::drawBar(int left, int length) {
    const int right = left + length;
    line(left, BarY, right, BarY, Qt::black);
    line(left, BarY - 3, left, BarY + 4, Qt::black);
    line(right, BarY - 3, right, BarY + 4, Qt::black);
}

void VectorsPanel::drawLegend(const ColorSwatch* swatch, const QString& symbol, bool italic,
                              int back) {
    setFont(QStringLiteral("Arial"), 8, false, italic);
    printAt(swatch->x() + swatch->width() + 4, swatch->y() + 2, symbol);
    // The arrow over the letter.
    moveTo(currentX() - back, currentY() - back);
    setFont(QStringLiteral("Symbol"), 8);
    print(QStringLiteral("→"));
    setFont(QStringLiteral("Arial"), 8);
}

void VectorsPanel::paintPanel() {
    setBackColor(settingsPanelColor());
    setFont(QStringLiteral("Arial"), 8);
    setForeColor(Qt::black);

    const QString caption = QStringLiteral("Échelle de représentation :");
    printAt(40, 80, caption);
    printAt(248, 80, caption);

    drawBar(ForceBarLeft, 100 - vscroll3_->value());     // Line2, Line5, Line6
    drawBar(VelocityBarLeft, 100 - vscroll1_->value());  // Line1, Line3, Line4

    // One decade above each bar.
    const double y = BarY - 1.2 * textHeight();
    printAt(ForceBarLeft, y, formatGeneral(std::pow(10.0, forceExponent_)) + QStringLiteral(" N"));
    printAt(VelocityBarLeft, y,
            formatGeneral(std::pow(10.0, speedExponent_)) + QStringLiteral(" m · s"));
    setCurrentY(y - 4);
    print(QStringLiteral("-1"));

    drawLegend(swatches_[0], QStringLiteral("v"), true, 6);
    drawLegend(swatches_[2], QStringLiteral("F"), true, 8);
    drawLegend(swatches_[3], QStringLiteral("ƒ"), false, 8);
}

}  // namespace ondalis
