#include "exercises/exerciseindex.h"

#include <QFile>
#include <cmath>

#include "configfile/savename.h"
#include "platform/core/numberformat.h"
#include "platform/core/recordfile.h"

namespace ondalis::exercises {

namespace {

// A record that cannot be read counts as empty where read errors are ignored.
QString recordOrEmpty(QByteArrayView bytes, int record) {
    return RecordFile::recordText(bytes, record).value_or(QString());
}

}  // namespace

bool isBlank(const QString& record) { return trimSpaces(record).isEmpty(); }

int litStars(double difficulty) {
    int lit = 0;
    for (int i = 0; i < MaxStars; ++i)
        if (difficulty > i) ++lit;
    return lit;
}

int hourglassCount(double count) {
    if (std::isnan(count) || count < 0) return 0;
    if (count >= MaxHourglasses) return MaxHourglasses;
    const long long n = roundHalfEven(count);
    return n < 1 ? 0 : int(n);
}

std::optional<QByteArray> readIndexBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.read(qint64(IndexRecords) * RecordFile::RecordSize);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

std::optional<ExerciseFiles> exerciseFiles(QByteArrayView bytes) {
    ExerciseFiles files;
    QString* fields[] = {&files.statement, &files.configuration, &files.correctionText,
                         &files.correctionConfiguration};
    for (int record = StatementRecord; record <= CorrectionConfigurationRecord; ++record) {
        const std::optional<QString> text = RecordFile::recordText(bytes, record);
        if (!text) return std::nullopt;
        *fields[record - 1] = *text;
    }
    return files;
}

std::optional<ExercisePreview> exercisePreview(QByteArrayView bytes) {
    const std::optional<QString> correctionText =
        RecordFile::recordText(bytes, CorrectionTextRecord);
    const std::optional<QString> correctionConfiguration =
        RecordFile::recordText(bytes, CorrectionConfigurationRecord);
    if (!correctionText || !correctionConfiguration) return std::nullopt;

    ExercisePreview preview;
    preview.corrected = !isBlank(*correctionText) || !isBlank(*correctionConfiguration);
    preview.stars = litStars(readLenientNumber(recordOrEmpty(bytes, DifficultyRecord)));
    for (int record = FirstNotionRecord; record <= LastNotionRecord; ++record) {
        const QString notion = recordOrEmpty(bytes, record);
        if (!isBlank(notion)) preview.notions += notion;
    }
    preview.title = trimSpaces(recordOrEmpty(bytes, TitleRecord));
    preview.hourglasses = hourglassCount(readLenientNumber(recordOrEmpty(bytes, HourglassRecord)));
    return preview;
}

}  // namespace ondalis::exercises
