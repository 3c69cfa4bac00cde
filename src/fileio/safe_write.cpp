#include "fileio/safe_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "document/errors.h"
#include "fileio/file_kind.h"
#include "fileio/file_place.h"
#include "fileio/folder_sync.h"
#include "fileio/unfinished_saves.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qarn {

namespace {

SaveFileSteps* installedSteps = nullptr;

SaveFileSteps& Steps() {
  static SaveFileSteps real;
  return installedSteps != nullptr ? *installedSteps : real;
}

[[noreturn]] void Fail(const char* what, const QString& reason) {
  throw InOutError(what + (": " + reason + '.').toStdString());
}

void CheckTarget(const QString& path) {
  RequireRegularFile(path);
  const QDir folder = QFileInfo(path).absoluteDir();
  if (!folder.exists()) {
    throw InOutError(("the folder " + QDir::toNativeSeparators(folder.path()) + " does not exist.")
                         .toStdString());
  }
}

// The temporary file is the program's own; when the program may, it gets the old file's owner
// and group, so saving as root does not take a user's file away from them. Where that is not
// allowed (fchown fails) the new file belongs to whoever saved it, as the README says.
void KeepOwner([[maybe_unused]] QSaveFile& file, [[maybe_unused]] const QString& path) {
#ifdef Q_OS_UNIX
  struct stat old {};
  if (::stat(QFile::encodeName(path).constData(), &old) != 0) return;
  if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return;
  [[maybe_unused]] const int refused = ::fchown(file.handle(), old.st_uid, old.st_gid);
#endif
}

// Where the new file ends up: QSaveFile writes a symbolic link's target.
QString FinalPath(const QString& path) {
  const QFileInfo info(path);
  return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

void WriteTo(const QString& path, QByteArrayView bytes) {
  CheckTarget(path);
  const QString finalPath = FinalPath(path);
  RemoveUnfinishedSaves(finalPath);
  QSaveFile file(path);
  // A folder that is not writable but holds a writable file (common on shared folders): the file
  // is written in place rather than not at all.
  file.setDirectWriteFallback(true);
  SaveFileSteps& steps = Steps();
  QString reason;
  if (!steps.Open(file, reason)) Fail("cannot create the file", reason);
  KeepOwner(file, path);
  MarkUnfinishedSave(file.handle(), finalPath);
  if (!steps.Write(file, bytes, reason) || !steps.Flush(file, reason)) {
    file.cancelWriting();  // the temporary file goes, the old file stays
    Fail("cannot write the file", reason);
  }
  if (!steps.Commit(file, reason)) Fail("cannot save the file", reason);
  UnmarkSaved(finalPath);
  if (!steps.SyncFolder(QFileInfo(finalPath).absolutePath(), reason)) {
    Fail("the file is saved, but its folder cannot be synced to the disk", reason);
  }
}

}  // namespace

void WriteFileSafely(const QString& path, QByteArrayView bytes) {
  WithPlace(FilePlace(path), [&] { WriteTo(path, bytes); });
}

bool SaveFileSteps::Open(QSaveFile& file, QString& reason) {
  // Unbuffered, so every write reaches the system at once and its error is seen here: Qt 6.4's
  // commit() drops the error of its own final flush, and a full disk would pass for success.
  if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
  reason = file.errorString();
  // In a folder that takes writes, the error is the temporary file's (a folder like /proc that
  // cannot hold new files says "No such file or directory"), not the file's own.
  const QFileInfo folder(QFileInfo(file.fileName()).absolutePath());
  if (QFileInfo::exists(file.fileName()) && folder.isWritable()) {
    reason = "no temporary file can be made in " + QDir::toNativeSeparators(folder.filePath()) +
             ": " + reason;
  }
  return false;
}

bool SaveFileSteps::Write(QSaveFile& file, QByteArrayView bytes, QString& reason) {
  // A short write is no error yet; the next call reports why the rest does not fit.
  while (!bytes.isEmpty()) {
    const qint64 written = file.write(bytes.data(), bytes.size());
    if (written <= 0) {
      reason = file.errorString();
      return false;
    }
    bytes = bytes.sliced(written);
  }
  return true;
}

bool SaveFileSteps::Flush(QSaveFile& file, QString& reason) {
  if (file.flush()) return true;
  reason = file.errorString();
  return false;
}

bool SaveFileSteps::Commit(QSaveFile& file, QString& reason) {
  if (file.commit()) return true;
  reason = file.errorString();
  return false;
}

bool SaveFileSteps::SyncFolder(const QString& folder, QString& reason) {
  return SyncFolderToDisk(folder, reason);
}

ScopedSaveFileSteps::ScopedSaveFileSteps(SaveFileSteps& steps) : previous_(installedSteps) {
  installedSteps = &steps;
}

ScopedSaveFileSteps::~ScopedSaveFileSteps() {
  installedSteps = previous_;
}

}  // namespace qarn
