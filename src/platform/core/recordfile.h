#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <optional>

namespace ondalis {

// Fixed-record files shared by the handshake file, the configuration files and the exercise
// index files. Records are 128 bytes; record n (from 1) starts at byte (n - 1) * 128 and holds a
// 16-bit little-endian length L followed by L bytes of Windows-1252 text (at most 126 bytes);
// the rest of the record is not significant and is not written.
class RecordFile {
public:
    static constexpr int RecordSize = 128;
    static constexpr int MaxTextBytes = 126;

    explicit RecordFile(const QString& path);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    bool openForReading();
    // Read-write; the file is created when missing and never truncated.
    bool openForWriting();
    void close();
    bool isOpen() const;

    // The text of record n; a record beyond the end of the file reads as the empty text.
    // nullopt when the file is not open or cannot be read.
    std::optional<QString> read(int record);
    // Writes record n; false when the text needs more than 126 bytes (it is refused, not cut)
    // or when the file cannot be written.
    bool write(int record, const QString& text);

    // Open, read or write one record, close.
    static std::optional<QString> readOne(const QString& path, int record);
    static bool writeOne(const QString& path, int record, const QString& text);

    // The same layout over a whole file held in memory, for readers that check every record
    // before using any and writers that build the new file before it replaces the old one.
    // Record n of `bytes`, strictly: nullopt when its length field says more than 126 bytes or
    // its text runs past the end of `bytes`; a record beyond the end reads as the empty text.
    static std::optional<QString> recordText(QByteArrayView bytes, int record);
    // Writes record n into `bytes` over what was there, zeros filling any gap before it; the
    // rest of the old record (its padding) is kept. False, and `bytes` unchanged, when the
    // text needs more than 126 bytes.
    static bool putRecord(QByteArray& bytes, int record, const QString& text);

    // Windows-1252 conversions; characters outside the code page become "?".
    static QByteArray encode(const QString& text);
    static QString decode(const QByteArray& bytes);

private:
    // Length field and text of one record; nullopt when the text needs more than 126 bytes.
    static std::optional<QByteArray> recordData(const QString& text);

    QFile file_;
};

}  // namespace ondalis
