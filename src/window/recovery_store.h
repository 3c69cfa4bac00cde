#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "document/file_buffer.h"
#include "fileio/disk_snapshot.h"

namespace qarn {

// A recovery copy that an editor left behind: its document's bytes and the file they belong to.
struct RecoveryCopy {
  QString id;            // the copy is <id>.pathset in the folder, its notes <id>.ini
  QString copyPath;      // the copy itself
  QString documentPath;  // the file the document was loaded from or saved to; empty if untitled
  QDateTime written;
  std::optional<DiskSnapshot> documentThen;  // that file as it was when the copy was made
};

// The folder of recovery copies, one per running editor with unsaved changes. Each editor holds a
// QLockFile beside its copy for as long as it runs, so a copy whose lock can be taken belongs to
// an editor that has ended without cleaning up (a crash, a power cut); copies of editors still
// running are never touched. Its calls may come from two threads. The folder is the user's alone
// (0700, its files 0600), no file in it is written or read through a symbolic link, and what it
// holds is synced to the disk.
class RecoveryStore {
 public:
  // Copies live in `folder`; when empty, in "recovery" under the user's application data folder.
  explicit RecoveryStore(QString folder = {});
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  const QString& Folder() const { return folder_; }

  // Writes this editor's copy through the same safe write as Save; throws the file errors.
  // `documentThen` is the document's file as it was loaded or saved, kept in the notes.
  void Write(const FileBuffer& image, const QString& documentPath,
             const std::optional<DiskSnapshot>& documentThen = std::nullopt);
  // What stood in the way of the copy's own name (a planted link), once: the copy went under a
  // new name. Empty when nothing did.
  QString TakeRefusal();
  // Removes this editor's copy: the document was saved, discarded or closed cleanly.
  void RemoveOwn();
  bool HasOwnCopy() const;

  // The copies left by editors that have ended, newest first. Each stays locked by this editor
  // until it is discarded, set aside or released.
  std::vector<RecoveryCopy> ClaimLeftBehind();
  void Discard(const RecoveryCopy& copy);
  // Moves a copy that cannot be read into the folder "damaged"; returns where it now is. The
  // folder keeps copies at most 30 days and 64 MiB in all, the oldest removed first.
  QString SetAside(const RecoveryCopy& copy);
  // Leaves the copy for a later start.
  void Release(const RecoveryCopy& copy);

 private:
  QString PathOf(const QString& id, const QString& suffix) const;
  QString DamagedFolder() const;
  std::unique_ptr<QLockFile> Lock(const QString& id) const;
  void MakeFolder() const;
  void TakeOwnName();
  bool OwnNameIsFree() const;
  std::optional<RecoveryCopy> Claim(const QString& id);
  QStringList LeftBehindIds() const;
  void WriteNotes(const QString& documentPath, const std::optional<DiskSnapshot>& documentThen);
  void PruneDamaged(const QString& damaged) const;
  void RemoveFiles(const QString& id);

  QString folder_;
  QString id_;  // this editor's
  std::unique_ptr<QLockFile> ownLock_;
  QString notedPath_;  // the document path the notes hold, once written
  std::optional<DiskSnapshot> notedThen_;
  QString refusal_;
  std::map<QString, std::unique_ptr<QLockFile>> claimed_;
  // The editor's own copy is written on the writer's thread, the copies left behind are
  // answered on the interface thread.
  mutable std::recursive_mutex mutex_;
};

}  // namespace qarn
