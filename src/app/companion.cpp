#include "app/companion.h"

#include "platform/core/recordfile.h"

namespace ondalis {

CompanionHandshake::CompanionHandshake(const QString& programFolder)
    : path_(withTrailingSeparator(programFolder) + QStringLiteral("ZANTEK.TMP")) {}

void CompanionHandshake::setRunning(bool running) const {
    RecordFile::writeOne(path_, StatusRecord,
                         running ? QStringLiteral("OUI") : QStringLiteral("NON"));
}

QString CompanionHandshake::takeExerciseRequest() const {
    RecordFile file(path_);
    if (!file.openForWriting()) return {};
    const QString request = file.read(RequestRecord).value_or(QString());
    file.write(RequestRecord, QString());
    file.close();
    return request;
}

}  // namespace ondalis
