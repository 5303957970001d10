#include "configfile/configuration.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

#include "platform/core/filepaths.h"
#include "platform/core/numberformat.h"
#include "platform/core/recordfile.h"

namespace ondalis {

namespace {

// Record numbers.
enum : int {
    SignatureRecord = 1,
    FirstParameterRecord = 2,
    DurationRecord = 6,
    VelocityScaleRecord = 7,
    ForceScaleRecord = 8,
    AxisRecord = 10,
    BoldRecord = 12,
    VelocityRecord = 14,
    RulerRecord = 15,
    ForcesRecord = 17,
    SlowMotionRecord = 18,
    QuantityRecord = 19,
    FirstColorRecord = 20,
};

constexpr int EmptyRecords[] = {9, 11, 13, 16};

QString checkText(bool checked) { return formatRecordInteger(checked ? 1 : 0); }

// The records' texts in writing order.
std::array<QString, ConfigurationRecords + 1> recordTexts(const Configuration& c) {
    std::array<QString, ConfigurationRecords + 1> texts;  // index 0 unused
    texts[SignatureRecord] = QString::fromLatin1(ConfigurationSignature);
    for (int i = 0; i < 4; ++i) texts[FirstParameterRecord + i] = c.parameters[i];
    texts[DurationRecord] = formatRecordInteger(c.durationIndex);
    texts[VelocityScaleRecord] = formatRecordInteger(c.velocityScale);
    texts[ForceScaleRecord] = formatRecordInteger(c.forceScale);
    texts[AxisRecord] = checkText(c.axisShown);
    texts[BoldRecord] = checkText(c.boldTrace);
    texts[VelocityRecord] = checkText(c.velocityShown);
    texts[RulerRecord] = checkText(c.rulerShown);
    texts[ForcesRecord] = checkText(c.forcesShown);
    texts[SlowMotionRecord] = checkText(c.slowMotion);
    texts[QuantityRecord] = formatRecordInteger(c.quantity);
    for (int i = 0; i < ConfigurationColors; ++i)
        texts[FirstColorRecord + i] = formatRecordInteger(c.colors[i]);
    for (int r : EmptyRecords) texts[r] = QString();
    return texts;
}

// Reads the records one by one; the first failure sticks.
class RecordReader {
public:
    explicit RecordReader(QByteArrayView bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    QString text(int record) {
        const std::optional<QString> t = RecordFile::recordText(bytes_, record);
        if (!t) ok_ = false;
        return t.value_or(QString());
    }

    // The record's number rounded halves to even, which must lie in min … max.
    long long integer(int record, long long min, long long max) {
        const long long v = roundHalfEven(readLenientNumber(text(record)));
        if (v < min || v > max) ok_ = false;
        return v;
    }

    bool check(int record) { return readLenientNumber(text(record)) == 1.0; }

private:
    QByteArrayView bytes_;
    bool ok_ = true;
};

}  // namespace

std::optional<QByteArray> configurationFileBytes(const Configuration& configuration,
                                                 const QByteArray& previous) {
    QByteArray bytes = previous;
    const auto texts = recordTexts(configuration);
    for (int r = 1; r <= ConfigurationRecords; ++r)
        if (!RecordFile::putRecord(bytes, r, texts[r])) return std::nullopt;
    return bytes;
}

ConfigurationReading parseConfiguration(QByteArrayView bytes) {
    using R = ConfigurationRanges;
    ConfigurationReading reading;
    RecordReader records(bytes);
    // A first record that cannot be read is no record of this program.
    if (records.text(SignatureRecord) != QLatin1String(ConfigurationSignature)) {
        reading.status = ConfigurationStatus::NotValid;
        return reading;
    }
    // The last record must be there, its length at least; each record checks its own text.
    constexpr qsizetype lastRecordStart = qsizetype(ConfigurationRecords - 1) * 128;
    if (bytes.size() < lastRecordStart + 2) return reading;

    Configuration& c = reading.configuration;
    for (int i = 0; i < 4; ++i) c.parameters[i] = records.text(FirstParameterRecord + i);
    c.durationIndex =
        int(records.integer(DurationRecord, R::minDurationIndex, R::maxDurationIndex));
    c.velocityScale =
        int(records.integer(VelocityScaleRecord, R::minVelocityScale, R::maxVelocityScale));
    c.forceScale = int(records.integer(ForceScaleRecord, R::minForceScale, R::maxForceScale));
    c.axisShown = records.check(AxisRecord);
    c.boldTrace = records.check(BoldRecord);
    c.velocityShown = records.check(VelocityRecord);
    c.rulerShown = records.check(RulerRecord);
    c.forcesShown = records.check(ForcesRecord);
    c.slowMotion = records.check(SlowMotionRecord);
    c.quantity = int(records.integer(QuantityRecord, 0, R::maxQuantity));
    for (int i = 0; i < ConfigurationColors; ++i)
        c.colors[i] = std::int32_t(records.integer(FirstColorRecord + i, 0, R::maxColor));
    if (records.ok()) reading.status = ConfigurationStatus::Read;
    return reading;
}

ConfigurationReading readConfigurationFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    // What follows record 29 is never read.
    const QByteArray bytes = file.read(qint64(ConfigurationRecords) * RecordFile::RecordSize);
    if (file.error() != QFileDevice::NoError) return {};
    return parseConfiguration(bytes);
}

bool writeConfigurationFile(const QString& path, const Configuration& configuration) {
    QByteArray previous;
    if (QFileInfo::exists(path)) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) return false;
        previous = old.readAll();
        if (old.error() != QFileDevice::NoError) return false;
    }
    const std::optional<QByteArray> bytes = configurationFileBytes(configuration, previous);
    if (!bytes) return false;
    return writeFileSafely(path, *bytes);
}

}  // namespace ondalis
