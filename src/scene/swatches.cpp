#include "scene/swatches.h"

#include <array>

namespace ondalis {

QColor defaultSwatchColor(int index) {
    static const std::array<QColor, SwatchCount> colors = {
        QColor(255, 128, 0), QColor(0, 0, 192), QColor(0, 0, 192), QColor(192, 0, 0),
        QColor(0, 0, 192),   QColor(192, 0, 0), QColor(0, 192, 0), QColor(192, 64, 0),
        QColor(0, 128, 0),   QColor(0, 0, 128)};
    if (index < 0 || index >= SwatchCount) return Qt::black;
    return colors[index];
}

QString swatchAccessibleName(int index) {
    static const std::array<const char*, SwatchCount> names = {
        "Couleur du vecteur vitesse",
        "Couleur de la courbe de la position",
        "Couleur du vecteur tension du ressort",
        "Couleur du vecteur force de frottement",
        "Couleur inutilisée",
        "Couleur de la courbe de la vitesse",
        "Couleur de la courbe de l'accélération",
        "Couleur de la courbe de l'énergie cinétique",
        "Couleur de la courbe de l'énergie potentielle élastique",
        "Couleur de la courbe de l'énergie mécanique"};
    if (index < 0 || index >= SwatchCount) return {};
    return QString::fromUtf8(names[index]);
}

}  // namespace ondalis
