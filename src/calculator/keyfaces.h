#pragma once

#include <QIcon>
#include <QString>

// Pictures of the calculator keys that show a power: a base with a smaller raised exponent
// ("x" and "y", "x" and "2", "10" and "x", "e" and "x"), drawn in black on a clear background.
namespace ondalis::calculator {

QIcon powerPicture(const QString& base, const QString& exponent);

}  // namespace ondalis::calculator
