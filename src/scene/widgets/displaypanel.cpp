#include "scene/widgets/displaypanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>

#include "platform/widgets/colorswatch.h"
#include "scene/swatches.h"

namespace ondalis {

namespace {

template <typename Button>
Button* makeButton(QWidget* parent, const QString& name, const QString& text, int x, int y) {
    auto* button = new Button(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(text);
    button->setFont(DrawingSurface::makeFont(QStringLiteral("Arial"), 8));
    button->adjustSize();
    button->move(x, y);
    return button;
}

struct SwatchPlace {
    int index;
    int x;
    int y;
};

constexpr SwatchPlace swatchPlaces[] = {{1, 336, 32},  {5, 336, 53},  {6, 336, 72},
                                        {7, 248, 116}, {8, 304, 116}, {9, 360, 116}};

}  // namespace

DisplayPanel::DisplayPanel(QWidget* parent) : DrawingSurface(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(QStringLiteral("Affichage"));

    check1_ = makeButton<QCheckBox>(this, QStringLiteral("Check1"),
                                    QStringLiteral("Afficher l'axe"), 32, 32);
    check6_ = makeButton<QCheckBox>(this, QStringLiteral("Check6"),
                                    QStringLiteral("Afficher la règle"), 32, 52);
    speed_ = makeButton<QCheckBox>(this, QStringLiteral("speed"),
                                   QStringLiteral("Animation au ralenti"), 32, 72);
    check3_ = makeButton<QCheckBox>(this, QStringLiteral("Check3"),
                                    QStringLiteral("Tracer en gras"), 32, 112);
    check1_->setChecked(true);
    check6_->setChecked(true);

    const char* texts[4] = {"Position", "Vitesse", "Accélération", "Energies"};
    const int tops[4] = {32, 53, 72, 92};
    group_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        options_[i] = makeButton<QRadioButton>(this, QStringLiteral("Option1_%1").arg(i),
                                               QString::fromUtf8(texts[i]), 232, tops[i]);
        group_->addButton(options_[i], i);
    }
    options_[0]->setChecked(true);

    for (const SwatchPlace& p : swatchPlaces) {
        auto* swatch = new ColorSwatch(this);
        swatch->setObjectName(QStringLiteral("Label4_%1").arg(p.index));
        swatch->setAccessibleName(swatchAccessibleName(p.index));
        swatch->setColor(defaultSwatchColor(p.index));
        swatch->setGeometry(p.x, p.y, 17, 17);
        swatches_[p.index] = swatch;
        const int index = p.index;
        connect(swatch, &ColorSwatch::clicked, this, [this, index] { emit swatchClicked(index); });
    }

    // Keyboard order: the animation column, then the graph column line by line.
    QWidget* order[] = {check1_,      check6_,      speed_,       check3_,     options_[0],
                        swatches_[1], options_[1],  swatches_[5], options_[2], swatches_[6],
                        options_[3],  swatches_[7], swatches_[8], swatches_[9]};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) emit quantityChosen(id);
    });
    connect(check1_, &QCheckBox::toggled, this, &DisplayPanel::sceneOptionsChanged);
    connect(check6_, &QCheckBox::toggled, this, &DisplayPanel::sceneOptionsChanged);
    connect(this, &DrawingSurface::resized, this, &DisplayPanel::paintPanel);

    setSurfaceSize(409, 139);
    paintPanel();
}

QRadioButton* DisplayPanel::Option1(int index) const {
    if (index < 0 || index >= int(options_.size())) return nullptr;
    return options_[index];
}

ColorSwatch* DisplayPanel::Label4(int index) const {
    if (index < 0 || index >= int(swatches_.size())) return nullptr;
    return swatches_[index];
}

int DisplayPanel::quantity() const {
    const int id = group_->checkedId();
    return id < 0 ? 0 : id;
}

void DisplayPanel::setQuantity(int index) {
    if (QRadioButton* b = Option1(index)) b->setChecked(true);
}

bool DisplayPanel::axisShown() const { return check1_->isChecked(); }
bool DisplayPanel::rulerShown() const { return check6_->isChecked(); }
bool DisplayPanel::boldTrace() const { return check3_->isChecked(); }
bool DisplayPanel::slowMotion() const { return speed_->isChecked(); }

void DisplayPanel::paintPanel() {
    setBackColor(settingsPanelColor());
    setForeColor(Qt::black);

    setFont(QStringLiteral("Arial"), 8, true, false);
    printAt(18, check1_->y() - 23, QStringLiteral("Animation"));
    printAt(220, options_[0]->y() - 23, QStringLiteral("Graphe"));

    // Legend of the three energy curves: italic E, upright subscript.
    setFont(QStringLiteral("Arial"), 8, false, true);
    const char* subscripts[3] = {"c", "pe", "m"};
    for (int i = 0; i < 3; ++i) {
        const ColorSwatch* s = swatches_[7 + i];
        setFontItalic(true);
        printAt(s->x() + 20, s->y(), QStringLiteral("E"));
        setFontItalic(false);
        printAt(s->x() + 28, s->y() + 3, QString::fromLatin1(subscripts[i]));
    }
}

}  // namespace ondalis
