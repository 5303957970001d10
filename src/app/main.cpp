#include <QApplication>
#include <QLocale>
#include <memory>

#include "dialogservice.h"
#include "feuillep.h"
#include "periodictimer.h"
#include "translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ondalis"));
    // The program speaks French and writes its numbers with a decimal comma.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ondalis::installFrenchTranslations(app);

    ondalis::QtDialogService dialogs;
    ondalis::feuilleP window(dialogs, std::make_unique<ondalis::QtPeriodicTimer>(20),
                             QApplication::applicationDirPath());
    dialogs.setParent(&window);
    QObject::connect(&window, &ondalis::feuilleP::unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
