#pragma once

#include <QByteArrayView>
#include <QString>

class QSaveFile;

// The one way this program replaces a file: the editor's Save and every writer of qarn-tool.
namespace qarn {

// Writes `bytes` to `path`: into a temporary file in the same folder, which replaces the old file
// only when every byte was written and flushed, so a failure (a full disk, a lost connection)
// leaves the old file byte for byte. The new file keeps the old one's permissions (and, where
// the program may set it, its owner); a symbolic link stays a link and its target is written.
// In a folder where no temporary file can be made but the file itself is writable, the file is
// written in place, which is then not atomic. When this returns, the new file and its name are
// on the disk (the folder is synced after the rename). A complete temporary file that a killed
// save of the same file left behind is removed first.
// Throws InOutError naming the file and the system's reason; a folder that does not exist is
// named in full, and anything but a regular file (a FIFO, a device, a folder) is refused before
// it is opened.
void WriteFileSafely(const QString& path, QByteArrayView bytes);

// The steps of a safe write, one call each, so tests can make any one of them fail (or wait)
// without a full disk. Each returns false and sets `reason` (the system's words) on failure.
class SaveFileSteps {
 public:
  virtual ~SaveFileSteps() = default;
  virtual bool Open(QSaveFile& file, QString& reason);
  // Writes all of `bytes`.
  virtual bool Write(QSaveFile& file, QByteArrayView bytes, QString& reason);
  virtual bool Flush(QSaveFile& file, QString& reason);
  virtual bool Commit(QSaveFile& file, QString& reason);
  // Makes the rename that replaced the file durable: without it the old file can come back
  // after a power cut, though the save was reported as done.
  virtual bool SyncFolder(const QString& folder, QString& reason);
};

// Makes WriteFileSafely use `steps` while it lives; for tests.
class ScopedSaveFileSteps {
 public:
  explicit ScopedSaveFileSteps(SaveFileSteps& steps);
  ~ScopedSaveFileSteps();
  ScopedSaveFileSteps(const ScopedSaveFileSteps&) = delete;
  ScopedSaveFileSteps& operator=(const ScopedSaveFileSteps&) = delete;

 private:
  SaveFileSteps* previous_;
};

}  // namespace qarn
