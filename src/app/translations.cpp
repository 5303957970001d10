#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ondalis {

namespace {

bool install(QCoreApplication& application, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace

bool installFrenchTranslations(QCoreApplication& application) {
    const bool qt = install(application, QStringLiteral("qtbase_fr"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Installed last, it is looked up first.
    install(application, QStringLiteral("ondalis_fr"), QStringLiteral(":/translations"));
    return qt;
}

}  // namespace ondalis
