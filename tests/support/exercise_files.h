#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <map>

#include "file_bytes.h"
#include "platform/core/recordfile.h"

namespace ondalis::testing {

// An exercise index file's bytes: the records given, twelve records in all.
inline QByteArray indexBytes(const std::map<int, QString>& records) {
    QByteArray bytes;
    for (const auto& [record, text] : records)
        EXPECT_TRUE(RecordFile::putRecord(bytes, record, text));
    if (bytes.size() < 12 * RecordFile::RecordSize) bytes.resize(12 * RecordFile::RecordSize, '\0');
    return bytes;
}

// Writes a file (and its folder) with `bytes`.
inline void writeFileIn(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeFileBytes(path, bytes);
}

// A small RTF statement whose text is `text`.
inline QByteArray rtfText(const QString& text) {
    return "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 " +
           RecordFile::encode(text) + "\\par}";
}

}  // namespace ondalis::testing
