#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace qarn {

// What a file on disk was when the editor loaded or saved it: enough to tell, before the next
// save, whether another program (a second editor, qarn-tool, git) has written it since.
struct DiskSnapshot {
  qint64 size = 0;
  qint64 modifiedNs = 0;  // modification time in nanoseconds since 1970
  quint64 inode = 0;
  QByteArray hash;  // SHA-256 of the bytes

  bool operator==(const DiskSnapshot&) const = default;

  // The file as it is now; nothing when nothing is there. Throws InOutError with the system's
  // reason when the file is there but cannot be read: a check that fails never allows a write.
  static std::optional<DiskSnapshot> Take(const QString& path);
  // As Take, without the hash: `bytes` receives what it is to be made of (HashOf), so the work
  // can wait while the bytes stay those of the moment. Empty bytes: the hash stays empty.
  static std::optional<DiskSnapshot> TakeUnhashed(const QString& path, QByteArray& bytes);
  static QByteArray HashOf(const QByteArray& bytes);

  // Whether `now` holds other bytes: a touch, or the same bytes written under a new inode, is no
  // change. Only the hash decides when the sizes agree.
  bool ChangedTo(const DiskSnapshot& now) const;

  // One line of text for the recovery notes, and back; nothing when the text is not one.
  QString ToText() const;
  static std::optional<DiskSnapshot> FromText(const QString& text);
};

}  // namespace qarn
