#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <memory>

#include "app/feuillep.h"
#include "app/translations.h"
#include "platform/core/periodictimer.h"
#include "platform/core/programfolder.h"
#include "platform/services/dialogservice.h"
#include "platform/services/printerservice.h"

int main(int argc, char** argv) {
    // On X11 the animation sends a few small rectangles every 20 ms. Through shared memory each
    // frame costs a round trip to the server (Qt waits until the server has read the segment
    // before painting into it again); sent in the requests themselves they cost less, and the
    // window is the same. A user's own setting of the variable is kept.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ondalis"));
    // The desktop's menu entry, icon and file types.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.calvane.Ondalis"));
    // The program speaks French and writes its numbers with a decimal comma.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ondalis::installFrenchTranslations(app);

    ondalis::QtDialogService dialogs;
    ondalis::QtPrinterService printer(dialogs);
    ondalis::feuilleP window(dialogs, printer, std::make_unique<ondalis::QtPeriodicTimer>(20),
                             ondalis::programFolder());
    dialogs.setParent(&window);
    QObject::connect(&window, &ondalis::feuilleP::unloaded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    // A file double-clicked on the desktop ("ondalis %f") opens once the window is up.
    QTimer::singleShot(0, &window, [&window, arguments = QApplication::arguments()] {
        window.openCommandLineFile(arguments);
    });
    return app.exec();
}
