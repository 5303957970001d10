// What a screen reader hears from the scene and the graph: descriptions computed when it asks,
// so that the animation's tick does no extra work.
#include <algorithm>

#include "app/feuillep.h"
#include "app/feuillep_state.h"
#include "platform/core/numberformat.h"
#include "platform/widgets/drawingsurface.h"
#include "scene/readouts.h"

namespace ondalis {

namespace {

// Where the solid is, how fast it goes and in which regime it moves.
QString sceneDescription(const MotionSample& s, Regime regime, bool running) {
    return QStringLiteral(
               "Mobile en x = %1 centimètres, animation %2, vitesse %3 mètres par seconde, "
               "régime %4")
        .arg(readoutText(s.x), running ? QStringLiteral("en cours") : QStringLiteral("arrêtée"),
             readoutText(s.v), regimeName(regime));
}

QString graphDescription(const GraphScale& scale, float duration, int rowsRecorded) {
    struct Quantity {
        const char* name;
        const char* unit;
    };
    static const Quantity quantities[] = {
        {"de la position x", "centimètres"},
        {"de la vitesse v", "mètres par seconde"},
        {"de l'accélération a", "mètres par seconde carrée"},
        {"des énergies cinétique, potentielle élastique et mécanique", "joules"},
    };
    const Quantity& q = quantities[std::clamp(scale.quantity, 0, 3)];
    const QString full = formatGeneral(scale.ymax);
    const QString range =
        scale.quantity == PlotEnergies
            ? QStringLiteral("de 0 à %1 %2").arg(full, QString::fromUtf8(q.unit))
            : QStringLiteral("de -%1 à %1 %2").arg(full, QString::fromUtf8(q.unit));
    return QStringLiteral(
               "Graphe %1 en fonction du temps, pleine échelle %2, sur %3 secondes ; "
               "%4 sur 51 valeurs enregistrées")
        .arg(QString::fromUtf8(q.name), range, formatGeneral(duration),
             QString::number(rowsRecorded));
}

}  // namespace

void feuilleP::describeForScreenReaders() {
    Picture2->setDescriber(
        [this] { return sceneDescription(run_.sample(), run_.constants().regime, isRunning()); });
    Frame1->setDescriber([this] {
        QStringList parts{graphDescription(state_->graphScale, duration(), rowsRecorded())};
        // The cursors' readout and the kept curves, as the graph shows them.
        parts << state_->measures.readout(state_->graphScale.quantity);
        const QStringList kept = state_->measures.keptLabels(parameters());
        if (!kept.isEmpty())
            parts << QStringLiteral("courbes gardées : ") + kept.join(QStringLiteral(", "));
        return parts.join(QStringLiteral(" ; "));
    });
}

}  // namespace ondalis
