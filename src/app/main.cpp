#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "dialogservice.h"
#include "feuillep.h"
#include "periodictimer.h"
#include "printerservice.h"
#include "programfolder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ondalis"));
    // The desktop's menu entry, icon and file types.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.calvane.Ondalis"));
    // The program speaks French and writes its numbers with a decimal comma.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The platform's own dialogs (printer set-up, files) speak French too.
    QTranslator qtFrench;
    if (qtFrench.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtFrench);

    ondalis::QtDialogService dialogs;
    ondalis::QtPrinterService printer(dialogs);
    ondalis::feuilleP window(dialogs, printer, std::make_unique<ondalis::QtPeriodicTimer>(20),
                             ondalis::programFolder());
    dialogs.setParent(&window);
    QObject::connect(&window, &ondalis::feuilleP::unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return app.exec();
}
