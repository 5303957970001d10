#include "analysis/widgets/analysiswindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "analysis/characteristics.h"
#include "platform/core/numberformat.h"
#include "platform/widgets/drawingsurface.h"

namespace ondalis {

namespace {

QString number(double v) {
    if (std::isinf(v)) return v > 0 ? QStringLiteral("∞") : QStringLiteral("−∞");
    if (std::isnan(v)) return QStringLiteral("—");
    return formatThreeSignificant(v);
}

QString withUnit(double v, const QString& unit) {
    const QString n = number(v);
    return unit.isEmpty() || std::isnan(v) ? n : n + QLatin1Char(' ') + unit;
}

QTableWidget* makeTable(QWidget* parent, const QStringList& headers, const QString& name) {
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAccessibleName(name);
    return table;
}

void setRow(QTableWidget* table, int row, const QStringList& cells, const QString& tip = {}) {
    for (int c = 0; c < int(cells.size()); ++c) {
        auto* item = table->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            table->setItem(row, c, item);
        }
        item->setText(cells[c]);
        item->setToolTip(tip);
    }
}

// A label read by a screen reader: its name is its text, kept with it.
void setSpokenText(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text);
}

struct QuantityRow {
    const char* name;
    const char* formula;
};

const QuantityRow quantityRows[] = {
    {"Régime", "décidé par le signe de Δ = λ'² − 4k/m, avec λ' = h/m"},
    {"Pulsation propre ω0", "ω0 = √(k/m)"},
    {"Période propre T0", "T0 = 2π/ω0"},
    {"Coefficient d'amortissement λ", "λ = h/(2m)"},
    {"Constante de temps τ", "τ = 1/λ"},
    {"Pseudo-période T", "T = 2π/√(ω0² − λ²)"},
    {"Facteur de qualité Q", "Q = m·ω0/h"},
    {"Frottement critique hc", "hc = 2√(k·m)"},
    {"Rapport h/hc", "h/hc"},
    {"Énergie mécanique initiale", "Em(0) = ½·k·x0²"},
};

}  // namespace

AnalysisWindow::AnalysisWindow(const Run& run, QWidget* parent) : QWidget(parent), run_(run) {
    setWindowFlags(Qt::Window);
    setObjectName(QStringLiteral("Analyse"));
    setWindowTitle(QStringLiteral("Analyse du mouvement"));
    setAccessibleName(QStringLiteral("Analyse du mouvement"));
    auto* layout = new QVBoxLayout(this);
    parts = new QTabWidget(this);
    parts->setAccessibleName(QStringLiteral("Parties de l'analyse"));
    layout->addWidget(parts);
    createCharacteristics();
    createEnergies();
    createPortrait();
    createModelling();
    connect(parts, &QTabWidget::currentChanged, this, [this] {
        if (isVisible()) bars_.draw(*energyChart, run_.sample());
    });
    resize(460, 470);
}

void AnalysisWindow::createCharacteristics() {
    auto* page = new QWidget(parts);
    auto* layout = new QVBoxLayout(page);
    quantities = makeTable(page, {QStringLiteral("Grandeur"), QStringLiteral("Valeur")},
                           QStringLiteral("Grandeurs caractéristiques"));
    quantities->setRowCount(int(std::size(quantityRows)));
    quantities->setColumnWidth(0, 220);
    for (int r = 0; r < quantities->rowCount(); ++r)
        setRow(quantities, r, {QString::fromUtf8(quantityRows[r].name), QString()},
               QString::fromUtf8(quantityRows[r].formula));
    layout->addWidget(quantities);
    auto* formula = new QLabel(page);
    formula->setObjectName(QStringLiteral("formula"));
    formula->setWordWrap(true);
    formula->setAccessibleName(QStringLiteral("Formule"));
    layout->addWidget(formula);
    connect(quantities, &QTableWidget::currentCellChanged, formula, [formula](int row) {
        setSpokenText(formula, row >= 0 && row < int(std::size(quantityRows))
                                   ? QStringLiteral("Formule : ") +
                                         QString::fromUtf8(quantityRows[row].formula)
                                   : QStringLiteral("Formule"));
    });
    criticalEdge = new QLabel(page);
    criticalEdge->setObjectName(QStringLiteral("criticalEdge"));
    criticalEdge->setWordWrap(true);
    criticalEdge->setAccessibleName(QStringLiteral("Écart à l'amortissement critique"));
    criticalEdge->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    criticalEdge->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(criticalEdge);
    criticalButton = new QPushButton(QStringLiteral("Amortissement criti&que"), page);
    criticalButton->setObjectName(QStringLiteral("criticalButton"));
    criticalButton->setAccessibleName(QStringLiteral("Amortissement critique"));
    criticalButton->setToolTip(
        QStringLiteral("Donne à h la valeur critique hc = 2√(k·m), arrondie à trois chiffres"));
    layout->addWidget(criticalButton, 0, Qt::AlignLeft);
    connect(criticalButton, &QPushButton::clicked, this, &AnalysisWindow::criticalDampingRequested);
    parts->addTab(page, QStringLiteral("&Caractéristiques"));
}

void AnalysisWindow::createEnergies() {
    auto* page = new QWidget(parts);
    auto* layout = new QVBoxLayout(page);
    energyChart = new DrawingSurface(page);
    energyChart->setObjectName(QStringLiteral("energyChart"));
    energyChart->setFixedSize(EnergyBars::Width, EnergyBars::Height);
    energyChart->setSurfaceSize(EnergyBars::Width, EnergyBars::Height);
    energyChart->setBackColor(Qt::white);
    energyChart->setFocusPolicy(Qt::StrongFocus);
    energyChart->setAccessibleName(QStringLiteral("Énergies"));
    energyChart->setDescriber([this] {
        const EnergyValues v = bars_.valuesAt(run_.sample());
        return QStringLiteral(
                   "Ec = %1 J, Epe = %2 J, Em = %3 J, énergie dissipée = %4 J, "
                   "sur l'échelle de l'énergie initiale %5 J")
            .arg(number(v.ec), number(v.epe), number(v.em), number(v.dissipated),
                 number(bars_.initialEnergy()));
    });
    layout->addWidget(energyChart, 0, Qt::AlignHCenter);
    auto* legend = new QLabel(
        QStringLiteral("Énergie dissipée par le frottement depuis le lâcher : Em(0) − Em(t)"),
        page);
    legend->setWordWrap(true);
    layout->addWidget(legend);
    layout->addStretch();
    parts->addTab(page, QStringLiteral("É&nergies"));
}

void AnalysisWindow::createPortrait() {
    auto* page = new QWidget(parts);
    auto* layout = new QVBoxLayout(page);
    phaseChart = new DrawingSurface(page);
    phaseChart->setObjectName(QStringLiteral("phaseChart"));
    phaseChart->setFixedSize(PhasePortrait::Width, PhasePortrait::Height);
    phaseChart->setSurfaceSize(PhasePortrait::Width, PhasePortrait::Height);
    phaseChart->setBackColor(Qt::white);
    phaseChart->setFocusPolicy(Qt::StrongFocus);
    phaseChart->setAccessibleName(QStringLiteral("Portrait de phase"));
    phaseChart->setDescriber([this] {
        const MotionSample& s = run_.sample();
        return QStringLiteral(
                   "Vitesse v en fonction de la position x ; point actuel x = %1 cm, "
                   "v = %2 m·s⁻¹ ; échelle ± %3 cm et ± %4 m·s⁻¹")
            .arg(number(s.x), number(s.v), number(portrait_.xScale()), number(portrait_.vScale()));
    });
    layout->addWidget(phaseChart, 0, Qt::AlignHCenter);
    layout->addStretch();
    parts->addTab(page, QStringLiteral("&Portrait de phase"));
}

void AnalysisWindow::createModelling() {
    auto* page = new QWidget(parts);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Mo&dèle :"), page);
    modelChoice = new QComboBox(page);
    modelChoice->setObjectName(QStringLiteral("modelChoice"));
    modelChoice->setAccessibleName(QStringLiteral("Modèle"));
    for (FitModel m :
         {FitModel::DampedSine, FitModel::TwoExponentials, FitModel::CriticalForm, FitModel::Sine})
        modelChoice->addItem(modelFormula(m), int(m));
    label->setBuddy(modelChoice);
    fitButton = new QPushButton(QStringLiteral("A&juster"), page);
    fitButton->setObjectName(QStringLiteral("fitButton"));
    fitButton->setAccessibleName(QStringLiteral("Ajuster le modèle au tableau"));
    row->addWidget(label);
    row->addWidget(modelChoice, 1);
    row->addWidget(fitButton);
    layout->addLayout(row);
    fitMessage = new QLabel(page);
    fitMessage->setObjectName(QStringLiteral("fitMessage"));
    fitMessage->setWordWrap(true);
    fitMessage->setAccessibleName(QStringLiteral("Résultat de l'ajustement"));
    fitMessage->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    fitMessage->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(fitMessage);
    fitTable = makeTable(page,
                         {QStringLiteral("Paramètre"), QStringLiteral("Ajusté"),
                          QStringLiteral("Incertitude-type"), QStringLiteral("Théorique")},
                         QStringLiteral("Paramètres ajustés"));
    fitTable->setColumnWidth(0, 70);
    fitTable->setColumnWidth(1, 95);
    fitTable->setColumnWidth(2, 100);
    layout->addWidget(fitTable, 1);
    residualChart = new DrawingSurface(page);
    residualChart->setObjectName(QStringLiteral("residualChart"));
    residualChart->setFixedSize(360, 90);
    residualChart->setSurfaceSize(360, 90);
    residualChart->setBackColor(Qt::white);
    residualChart->setFocusPolicy(Qt::StrongFocus);
    residualChart->setAccessibleName(QStringLiteral("Résidus"));
    residualChart->setDescriber([this] {
        return fit_.ok ? QStringLiteral(
                             "Résidus de l'ajustement en fonction du temps, "
                             "écart-type %1 cm")
                             .arg(number(fit_.residualDeviation))
                       : QStringLiteral("Aucun ajustement");
    });
    layout->addWidget(residualChart, 0, Qt::AlignHCenter);
    connect(fitButton, &QPushButton::clicked, this, &AnalysisWindow::fit);
    parts->addTab(page, QStringLiteral("&Modélisation"));
    setSpokenText(fitMessage, QStringLiteral("Enregistrez le mouvement, puis ajustez un modèle au "
                                             "tableau de valeurs."));
    drawResiduals();
}

QPoint AnalysisWindow::placeBeside(const QRect& main, const QSize& size, const QRect& screen) {
    int x;
    if (main.right() + 1 + size.width() <= screen.right() + 1)
        x = main.right() + 1;
    else if (main.left() - size.width() >= screen.left())
        x = main.left() - size.width();
    else
        x = screen.right() + 1 - size.width();
    x = std::max(screen.left(), x);
    const int y = std::clamp(main.top(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

QString AnalysisWindow::quantityText(int row) const {
    const auto* item = quantities->item(row, 1);
    return item ? item->text() : QString();
}

void AnalysisWindow::showCharacteristics() {
    const auto& p = run_.parametersInForce();
    if (!p) return;
    const Characteristics c = characterize(*p, run_.constants());
    const QString period = c.pseudoPeriod > 0 ? withUnit(c.pseudoPeriod, QStringLiteral("s"))
                                              : QStringLiteral("n'existe pas (pas d'oscillation)");
    const QString edge = criticalEdgeText(c);
    // Near hc three digits would read 1: the ratio keeps all the digits of a single there.
    const QString ratio = edge.isEmpty() ? number(c.ratio) : formatGeneral(float(c.ratio));
    const QString values[] = {
        regimeName(c.regime),
        withUnit(c.omega0, QStringLiteral("rad·s⁻¹")),
        withUnit(c.period0, QStringLiteral("s")),
        withUnit(c.lambda, QStringLiteral("s⁻¹")),
        withUnit(c.tau, QStringLiteral("s")),
        period,
        number(c.quality),
        withUnit(c.criticalH, QStringLiteral("N·s·m⁻¹")),
        edge.isEmpty() ? ratio : ratio + QStringLiteral(" (") + edge + ')',
        withUnit(c.energy0, QStringLiteral("J")),
    };
    for (int r = 0; r < int(std::size(values)); ++r) {
        auto* item = quantities->item(r, 1);
        item->setText(values[r]);
    }
    setSpokenText(criticalEdge,
                  QStringLiteral("Régime %1, h/hc = %2").arg(regimeName(c.regime), ratio) +
                      (edge.isEmpty() ? QString() : QStringLiteral(" : ") + edge) + '.');
    const int index = modelChoice->findData(int(modelFor(c.regime)));
    if (index >= 0) modelChoice->setCurrentIndex(index);
}

void AnalysisWindow::showReset() {
    showCharacteristics();
    fit_ = FitResult();
    fitTable->setRowCount(0);
    setSpokenText(fitMessage, QStringLiteral("Enregistrez le mouvement, puis ajustez un modèle au "
                                             "tableau de valeurs."));
    drawResiduals();
    if (!isVisible()) return;
    const auto& p = run_.parametersInForce();
    if (!p) return;
    // The energies' scale from the release; the portrait from the instant shown, so that a
    // window opened during the run draws only what it sees.
    bars_.reset(sampleMotion(run_.constants(), *p, 0.0));
    portrait_.reset(*phaseChart, *p, run_.sample());
    bars_.draw(*energyChart, run_.sample());
}

void AnalysisWindow::showFrame(const RunFrame& frame) {
    if (!isVisible() || !run_.parametersInForce()) return;
    portrait_.add(*phaseChart, frame.sample);
    if (parts->currentWidget() == energyChart->parentWidget())
        bars_.draw(*energyChart, frame.sample);
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showReset();
}

void AnalysisWindow::fit() {
    const auto& p = run_.parametersInForce();
    if (!p) return;
    const auto model = FitModel(modelChoice->currentData().toInt());
    fit_ = fitRecording(model, run_.samples(), run_.constants(), *p);
    showFit();
}

void AnalysisWindow::showFit() {
    if (!fit_.ok) {
        fitTable->setRowCount(0);
        setSpokenText(fitMessage, fit_.message);
        drawResiduals();
        return;
    }
    setSpokenText(fitMessage,
                  QStringLiteral("%1 ajusté sur %2 points ; écart-type des résidus : %3 cm.")
                      .arg(modelFormula(fit_.model))
                      .arg(fit_.t.size())
                      .arg(number(fit_.residualDeviation)));
    fitTable->setRowCount(int(fit_.parameters.size()));
    for (int r = 0; r < int(fit_.parameters.size()); ++r) {
        const FittedParameter& f = fit_.parameters[size_t(r)];
        setRow(fitTable, r,
               {f.name + QStringLiteral(" (") + f.unit + ')', number(f.value),
                QStringLiteral("± ") + number(f.uncertainty), number(f.theory)});
    }
    drawResiduals();
}

void AnalysisWindow::drawResiduals() {
    Canvas& c = *residualChart;
    c.clear();
    const int w = c.imageWidth(), h = c.imageHeight();
    const int mid = h / 2;
    c.line(30, mid, w - 5, mid, QColor(128, 128, 128));
    c.setFont(QStringLiteral("Arial"), 8);
    c.setForeColor(Qt::black);
    c.printAt(2, 1, QStringLiteral("Résidus (cm)"));
    if (!fit_.ok || fit_.t.empty()) return;
    double rmax = 0;
    for (double r : fit_.residuals) rmax = std::max(rmax, std::abs(r));
    const double tmax = std::max(fit_.t.back(), 1e-12);
    c.printAt(2, mid - 6, QStringLiteral("0"));
    c.printAt(w - 5 - c.textWidth(QStringLiteral("t (s)")), h - 13, QStringLiteral("t (s)"));
    c.printAt(2 + c.textWidth(QStringLiteral("Résidus (cm)")), 1,
              QStringLiteral(" : de − %1 à + %1").arg(number(rmax)));
    for (size_t i = 0; i < fit_.t.size(); ++i) {
        const double x = 30 + (w - 40) * fit_.t[i] / tmax;
        const double y = rmax > 0 ? mid - (h / 2.0 - 17) * fit_.residuals[i] / rmax : mid;
        c.fillBox(x - 1, y - 1, x + 1, y + 1, QColor(192, 0, 0));
    }
}

}  // namespace ondalis
