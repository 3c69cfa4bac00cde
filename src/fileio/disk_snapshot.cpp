#include "fileio/disk_snapshot.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringList>
#include <cerrno>
#include <cstring>

#include "document/errors.h"
#include "document/file_buffer.h"
#include "fileio/read_file.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace qarn {

namespace {

[[noreturn]] void CannotCheck(const QString& path, const QString& reason) {
  throw InOutError(
      ("cannot check whether " + path + " changed on disk: " + reason + '.').toStdString());
}

// Size, time and inode, or nothing when no file is there.
std::optional<DiskSnapshot> Status(const QString& path) {
  DiskSnapshot snapshot;
#ifdef Q_OS_UNIX
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
    if (errno == ENOENT) return std::nullopt;
    CannotCheck(path, QString::fromLocal8Bit(std::strerror(errno)));
  }
  snapshot.size = info.st_size;
  snapshot.modifiedNs = qint64{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
  snapshot.inode = info.st_ino;
#else
  const QFileInfo info(path);
  if (!info.exists()) return std::nullopt;
  snapshot.size = info.size();
  snapshot.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1'000'000;
#endif
  return snapshot;
}

}  // namespace

std::optional<DiskSnapshot> DiskSnapshot::Take(const QString& path) {
  QByteArray bytes;
  std::optional<DiskSnapshot> snapshot = TakeUnhashed(path, bytes);
  if (snapshot && !bytes.isNull()) snapshot->hash = HashOf(bytes);
  return snapshot;
}

QByteArray DiskSnapshot::HashOf(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

std::optional<DiskSnapshot> DiskSnapshot::TakeUnhashed(const QString& path, QByteArray& bytes) {
  bytes = QByteArray();
  std::optional<DiskSnapshot> snapshot = Status(path);
  if (!snapshot) return std::nullopt;
  // A file longer than any path set is a change whatever it holds; its length is enough.
  if (snapshot->size > kMaxDocumentBytes + 1) return snapshot;
  try {
    bytes =
        ReadRegularFile(path, kMaxDocumentBytes + 1, [](qint64) { throw std::length_error(""); });
    if (bytes.isNull()) bytes = QByteArray("", 0);  // an empty file has a hash too
  } catch (const std::length_error&) {
    bytes = QByteArray();  // it grew while it was read: no hash
  } catch (const InOutError& error) {
    QString reason = QString::fromUtf8(error.what());
    reason.remove(0, reason.indexOf(QStringLiteral(": ")) + 2);  // no second "I/O error"
    if (reason.endsWith('.')) reason.chop(1);
    CannotCheck(path, reason);
  }
  return snapshot;
}

bool DiskSnapshot::ChangedTo(const DiskSnapshot& now) const {
  return size != now.size || hash != now.hash || hash.isEmpty();
}

QString DiskSnapshot::ToText() const {
  return QStringLiteral("%1 %2 %3 %4")
      .arg(size)
      .arg(modifiedNs)
      .arg(inode)
      .arg(QString::fromLatin1(hash.toHex()));
}

std::optional<DiskSnapshot> DiskSnapshot::FromText(const QString& text) {
  const QStringList parts = text.split(' ');
  if (parts.size() != 4) return std::nullopt;
  bool ok[3] = {};
  DiskSnapshot snapshot{parts[0].toLongLong(&ok[0]), parts[1].toLongLong(&ok[1]),
                        parts[2].toULongLong(&ok[2]), QByteArray::fromHex(parts[3].toLatin1())};
  if (!ok[0] || !ok[1] || !ok[2] || snapshot.hash.size() != 32) return std::nullopt;
  return snapshot;
}

}  // namespace qarn
