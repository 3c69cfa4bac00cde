#include "window/recovery_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

#include "document/errors.h"
#include "fileio/path_set_file.h"

namespace qarn {

namespace {

const QString kCopySuffix = QStringLiteral(".pathset");
const QString kNotesSuffix = QStringLiteral(".ini");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kDocumentKey = QStringLiteral("document");

QString DefaultFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("recovery"));
}

[[noreturn]] void Fail(const QString& what) {
  throw InOutError(what.toStdString());
}

}  // namespace

RecoveryStore::RecoveryStore(QString folder)
    : folder_(folder.isEmpty() ? DefaultFolder() : std::move(folder)),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

// A store that ends while its editor still has a copy keeps it: only RemoveOwn, on a clean
// close, throws a copy away.
RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::PathOf(const QString& id, const QString& suffix) const {
  return QDir(folder_).filePath(id + suffix);
}

std::unique_ptr<QLockFile> RecoveryStore::Lock(const QString& id) const {
  auto lock = std::make_unique<QLockFile>(PathOf(id, kLockSuffix));
  // A lock is stale only when its editor no longer runs, however old it is.
  lock->setStaleLockTime(0);
  return lock->tryLock(0) ? std::move(lock) : nullptr;
}

void RecoveryStore::Write(const FileBuffer& image, const QString& documentPath) {
  if (folder_.isEmpty()) Fail(QStringLiteral("there is no application data folder."));
  if (!QDir().mkpath(folder_)) Fail("cannot create the folder " + folder_ + '.');
  if (!ownLock_) ownLock_ = Lock(id_);
  if (!ownLock_) Fail("cannot lock " + PathOf(id_, kLockSuffix) + '.');
  WritePathSetFile(PathOf(id_, kCopySuffix), image);
  if (notedPath_ != documentPath || !QFileInfo::exists(PathOf(id_, kNotesSuffix))) {
    WriteNotes(documentPath);
  }
}

// The path is made absolute: the editor that recovers it may start in another folder.
void RecoveryStore::WriteNotes(const QString& documentPath) {
  QSettings notes(PathOf(id_, kNotesSuffix), QSettings::IniFormat);
  notes.setValue(kDocumentKey, documentPath.isEmpty() ? documentPath
                                                      : QFileInfo(documentPath).absoluteFilePath());
  notes.sync();
  if (notes.status() != QSettings::NoError) {
    Fail("cannot write " + PathOf(id_, kNotesSuffix) + '.');
  }
  notedPath_ = documentPath;
}

bool RecoveryStore::HasOwnCopy() const {
  return ownLock_ && QFileInfo::exists(PathOf(id_, kCopySuffix));
}

void RecoveryStore::RemoveFiles(const QString& id) {
  QFile::remove(PathOf(id, kCopySuffix));
  QFile::remove(PathOf(id, kNotesSuffix));
}

void RecoveryStore::RemoveOwn() {
  if (!ownLock_) return;
  RemoveFiles(id_);
  notedPath_.clear();
  ownLock_.reset();  // unlocking removes the lock file
}

std::optional<RecoveryCopy> RecoveryStore::Claim(const QString& id) {
  std::unique_ptr<QLockFile> lock = Lock(id);
  if (!lock) return std::nullopt;  // its editor is still running
  const QString copyPath = PathOf(id, kCopySuffix);
  const QSettings notes(PathOf(id, kNotesSuffix), QSettings::IniFormat);
  RecoveryCopy copy{id, copyPath, notes.value(kDocumentKey).toString(),
                    QFileInfo(copyPath).lastModified()};
  claimed_[id] = std::move(lock);
  return copy;
}

// Every id with a file in the folder, but this editor's own and those already claimed.
QStringList RecoveryStore::LeftBehindIds() const {
  QStringList ids;
  const QStringList patterns{QLatin1Char('*') + kCopySuffix, QLatin1Char('*') + kNotesSuffix,
                             QLatin1Char('*') + kLockSuffix};
  for (const QFileInfo& file : QDir(folder_).entryInfoList(patterns, QDir::Files)) {
    const QString id = file.completeBaseName();
    if (id != id_ && !claimed_.count(id) && !ids.contains(id)) ids << id;
  }
  return ids;
}

std::vector<RecoveryCopy> RecoveryStore::ClaimLeftBehind() {
  std::vector<RecoveryCopy> copies;
  for (const QString& id : LeftBehindIds()) {
    std::optional<RecoveryCopy> copy = Claim(id);
    if (!copy) continue;
    if (QFileInfo::exists(copy->copyPath)) {
      copies.push_back(*copy);
    } else {
      Discard(*copy);  // notes or a lock of an editor that ended before it wrote a copy
    }
  }
  std::sort(copies.begin(), copies.end(),
            [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written > b.written; });
  return copies;
}

void RecoveryStore::Discard(const RecoveryCopy& copy) {
  RemoveFiles(copy.id);
  claimed_.erase(copy.id);
}

QString RecoveryStore::SetAside(const RecoveryCopy& copy) {
  const QString damaged = QDir(folder_).filePath(QStringLiteral("damaged"));
  const QString target = QDir(damaged).filePath(copy.id + kCopySuffix);
  if (!QDir().mkpath(damaged) || !QFile::rename(copy.copyPath, target)) {
    Release(copy);  // it stays where it is and is offered again
    return copy.copyPath;
  }
  QFile::rename(PathOf(copy.id, kNotesSuffix), QDir(damaged).filePath(copy.id + kNotesSuffix));
  claimed_.erase(copy.id);
  return target;
}

void RecoveryStore::Release(const RecoveryCopy& copy) {
  claimed_.erase(copy.id);
}

}  // namespace qarn
