#include "platform/core/recordfile.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace ondalis {

namespace {

constexpr char codePage[] = "windows-1252";

qint64 recordOffset(int record) { return qint64(record - 1) * RecordFile::RecordSize; }

}  // namespace

RecordFile::RecordFile(const QString& path) : file_(path) {}

RecordFile::~RecordFile() { close(); }

bool RecordFile::openForReading() {
    close();
    return file_.open(QIODevice::ReadOnly);
}

bool RecordFile::openForWriting() {
    close();
    // ReadWrite creates a missing file and, unlike WriteOnly, does not truncate.
    return file_.open(QIODevice::ReadWrite);
}

void RecordFile::close() {
    if (file_.isOpen()) file_.close();
}

bool RecordFile::isOpen() const { return file_.isOpen(); }

std::optional<QString> RecordFile::read(int record) {
    if (record < 1 || !file_.isOpen() || !file_.isReadable()) return std::nullopt;
    const qint64 offset = recordOffset(record);
    const qint64 size = file_.size();
    // Beyond the end, or with an incomplete length field: the record was never written.
    if (offset + 2 > size) return QString();
    if (!file_.seek(offset)) return std::nullopt;
    const QByteArray header = file_.read(2);
    if (header.size() != 2) return std::nullopt;
    qint64 length = quint8(header[0]) | (quint8(header[1]) << 8);
    // A damaged length field reads what the record can hold and what the file still has.
    length = std::min<qint64>({length, MaxTextBytes, size - offset - 2});
    if (length <= 0) return QString();
    const QByteArray bytes = file_.read(length);
    if (bytes.size() != length) return std::nullopt;
    return decode(bytes);
}

bool RecordFile::write(int record, const QString& text) {
    if (record < 1 || !file_.isOpen() || !file_.isWritable()) return false;
    const std::optional<QByteArray> data = recordData(text);
    if (!data) return false;
    const qint64 offset = recordOffset(record);
    const qint64 size = file_.size();
    if (size < offset) {
        // What lies between the old end and a new record would otherwise be undefined.
        if (!file_.seek(size)) return false;
        const QByteArray gap(offset - size, '\0');
        if (file_.write(gap) != gap.size()) return false;
    }
    if (!file_.seek(offset)) return false;
    if (file_.write(*data) != data->size()) return false;
    return file_.flush();
}

std::optional<QByteArray> RecordFile::recordData(const QString& text) {
    const QByteArray bytes = encode(text);
    if (bytes.size() > MaxTextBytes) return std::nullopt;
    QByteArray data;
    data.reserve(2 + bytes.size());
    data.append(char(bytes.size() & 0xFF));
    data.append(char((bytes.size() >> 8) & 0xFF));
    data.append(bytes);
    return data;
}

std::optional<QString> RecordFile::recordText(QByteArrayView bytes, int record) {
    if (record < 1) return std::nullopt;
    const qint64 offset = recordOffset(record);
    if (offset + 2 > bytes.size()) return QString();
    const qint64 length = quint8(bytes[offset]) | (quint8(bytes[offset + 1]) << 8);
    if (length > MaxTextBytes || offset + 2 + length > bytes.size()) return std::nullopt;
    return decode(bytes.sliced(offset + 2, length).toByteArray());
}

bool RecordFile::putRecord(QByteArray& bytes, int record, const QString& text) {
    if (record < 1) return false;
    const std::optional<QByteArray> data = recordData(text);
    if (!data) return false;
    const qint64 offset = recordOffset(record);
    const qint64 end = offset + data->size();
    if (bytes.size() < end) bytes.resize(end, '\0');
    bytes.replace(offset, data->size(), *data);
    return true;
}

std::optional<QString> RecordFile::readOne(const QString& path, int record) {
    RecordFile file(path);
    if (!file.openForReading()) return std::nullopt;
    return file.read(record);
}

bool RecordFile::writeOne(const QString& path, int record, const QString& text) {
    RecordFile file(path);
    if (!file.openForWriting()) return false;
    return file.write(record, text);
}

QByteArray RecordFile::encode(const QString& text) {
    QStringEncoder encoder(codePage);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError()) return bytes;
    // Some character has no byte in the code page: convert one character at a time so that
    // each such character becomes a single '?'.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        QStringEncoder single(codePage);
        const QByteArray encoded = single.encode(QStringView(text).mid(i, length));
        bytes += single.hasError() || encoded.size() != 1 ? QByteArray("?") : encoded;
        i += length;
    }
    return bytes;
}

QString RecordFile::decode(const QByteArray& bytes) {
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

}  // namespace ondalis
