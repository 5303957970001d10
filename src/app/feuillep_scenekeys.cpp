// The solid moved from the keyboard: the scene `Picture2` is a slider of the starting position,
// moved by the same path as the mouse drag.
#include "app/feuillep.h"
#include "platform/widgets/drawingsurface.h"
#include "scene/widgets/scenesurface.h"
#include "simulation/widgets/parameterspanel.h"

namespace ondalis {

SceneSurface* feuilleP::scene() const { return static_cast<SceneSurface*>(Picture2); }

void feuilleP::createSceneKeys() {
    connect(scene(), &SceneSurface::positionAsked, this, &feuilleP::Picture2_KeyMove);
    // The slider's value is the x0 the motion starts from, whichever control changed it.
    connect(this, &feuilleP::motionReset, this, [this] {
        const auto& inForce = run_.parametersInForce();
        scene()->setPosition(inForce ? inForce->x0 : parameters().x0);
    });
}

// As the drag does while the button is held: x0 into the position field, the motion reset
// there and the scene shown at once; the motion does not start. While the motion runs the keys
// leave x0 alone, as the drag does, and the status line says why.
void feuilleP::Picture2_KeyMove(float x0) {
    if (isRunning()) {
        setStatusText(
            QStringLiteral("Mettez l'animation en pause ou arrêtez-la pour déplacer "
                           "le mobile au clavier"));
        return;
    }
    Text5(PositionField)->setText(parameterText(run_.drag(x0)));
    showReset();
    majaff();
    Picture2->refreshNow();
}

}  // namespace ondalis
