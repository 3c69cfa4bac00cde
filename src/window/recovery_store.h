#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "document/file_buffer.h"

namespace qarn {

// A recovery copy that an editor left behind: its document's bytes and the file they belong to.
struct RecoveryCopy {
  QString id;            // the copy is <id>.pathset in the folder, its notes <id>.ini
  QString copyPath;      // the copy itself
  QString documentPath;  // the file the document was loaded from or saved to; empty if untitled
  QDateTime written;
};

// The folder of recovery copies, one per running editor with unsaved changes. Each editor holds a
// QLockFile beside its copy for as long as it runs, so a copy whose lock can be taken belongs to
// an editor that has ended without cleaning up (a crash, a power cut); copies of editors still
// running are never touched.
class RecoveryStore {
 public:
  // Copies live in `folder`; when empty, in "recovery" under the user's application data folder.
  explicit RecoveryStore(QString folder = {});
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  const QString& Folder() const { return folder_; }

  // Writes this editor's copy through the same safe write as Save; throws the file errors.
  void Write(const FileBuffer& image, const QString& documentPath);
  // Removes this editor's copy: the document was saved, discarded or closed cleanly.
  void RemoveOwn();
  bool HasOwnCopy() const;

  // The copies left by editors that have ended, newest first. Each stays locked by this editor
  // until it is discarded, set aside or released.
  std::vector<RecoveryCopy> ClaimLeftBehind();
  void Discard(const RecoveryCopy& copy);
  // Moves a copy that cannot be read into the folder "damaged"; returns where it now is.
  QString SetAside(const RecoveryCopy& copy);
  // Leaves the copy for a later start.
  void Release(const RecoveryCopy& copy);

 private:
  QString PathOf(const QString& id, const QString& suffix) const;
  std::unique_ptr<QLockFile> Lock(const QString& id) const;
  std::optional<RecoveryCopy> Claim(const QString& id);
  QStringList LeftBehindIds() const;
  void WriteNotes(const QString& documentPath);
  void RemoveFiles(const QString& id);

  QString folder_;
  QString id_;  // this editor's
  std::unique_ptr<QLockFile> ownLock_;
  QString notedPath_;  // the document path the notes hold, once written
  std::map<QString, std::unique_ptr<QLockFile>> claimed_;
};

}  // namespace qarn
