// Placeholder bodies; the real record access follows.
#include "recordfile.h"

namespace ondalis {
RecordFile::RecordFile(const QString& path) : file_(path) {}
RecordFile::~RecordFile() { close(); }
bool RecordFile::openForReading() { return false; }
bool RecordFile::openForWriting() { return false; }
void RecordFile::close() { file_.close(); }
bool RecordFile::isOpen() const { return file_.isOpen(); }
std::optional<QString> RecordFile::read(int) { return std::nullopt; }
bool RecordFile::write(int, const QString&) { return false; }
std::optional<QString> RecordFile::readOne(const QString&, int) { return std::nullopt; }
bool RecordFile::writeOne(const QString&, int, const QString&) { return false; }
QByteArray RecordFile::encode(const QString& t) { return t.toLatin1(); }
QString RecordFile::decode(const QByteArray& b) { return QString::fromLatin1(b); }
}  // namespace ondalis
