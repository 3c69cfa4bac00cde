#include "window/recovery_store.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>

#include "document/errors.h"
#include "fileio/folder_sync.h"
#include "fileio/path_set_file.h"

namespace qarn {

namespace {

const QString kCopySuffix = QStringLiteral(".pathset");
const QString kNotesSuffix = QStringLiteral(".ini");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kDocumentKey = QStringLiteral("document");
const QString kDiskKey = QStringLiteral("disk");
constexpr auto kPrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr qint64 kDamagedBytes = qint64{64} * 1024 * 1024;
constexpr int kDamagedDays = 30;

QString DefaultFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("recovery"));
}

[[noreturn]] void Fail(const QString& what) {
  throw InOutError(what.toStdString());
}

QString SystemReason() {
  return QString::fromLocal8Bit(std::strerror(errno));
}

// Nothing, or a plain file: never a symbolic link, whatever it points at.
bool PlainOrAbsent(const QString& path) {
  const QFileInfo info(path);
  return !info.isSymLink() && (!info.exists() || info.isFile());
}

// A target the notes may name: absolute and normalised, as this program writes it. Anything
// else (a relative path, "..", a hand-edited note) gives a copy without a target.
QString TrustedTarget(const QString& noted) {
  const bool trusted = QDir::isAbsolutePath(noted) && QDir::cleanPath(noted) == noted;
  return trusted ? noted : QString();
}

QString LockFailure(const QLockFile& lock) {
  switch (lock.error()) {
    case QLockFile::LockFailedError:
      return QStringLiteral("another running editor holds it");
    case QLockFile::PermissionError:
      return QString::fromLocal8Bit(std::strerror(EACCES));
    default:
      return SystemReason();
  }
}

// A lock is stale only when its editor no longer runs, however old it is.
std::unique_ptr<QLockFile> TakeLock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) QFile::setPermissions(path, kPrivateFile);
  return lock;
}

}  // namespace

RecoveryStore::RecoveryStore(QString folder)
    : folder_(folder.isEmpty() ? DefaultFolder() : std::move(folder)),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

// A store that ends while its editor still has a copy keeps it: only RemoveOwn, on a clean
// close, throws a copy away.
RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DamagedFolder() const {
  return QDir(folder_).filePath(QStringLiteral("damaged"));
}

QString RecoveryStore::PathOf(const QString& id, const QString& suffix) const {
  return QDir(folder_).filePath(id + suffix);
}

std::unique_ptr<QLockFile> RecoveryStore::Lock(const QString& id) const {
  const QString path = PathOf(id, kLockSuffix);
  if (!PlainOrAbsent(path)) return nullptr;
  std::unique_ptr<QLockFile> lock = TakeLock(path);
  return lock->isLocked() ? std::move(lock) : nullptr;
}

void RecoveryStore::MakeFolder() const {
  if (folder_.isEmpty()) Fail(QStringLiteral("there is no application data folder."));
  const QFileInfo info(folder_);
  if (info.isSymLink() || (info.exists() && !info.isDir())) {
    Fail("cannot use " + folder_ + " as the recovery folder: it is not a folder of its own.");
  }
  constexpr auto kPrivateFolder = kPrivateFile | QFileDevice::ExeOwner;
  if (!info.exists() &&
      (!QDir().mkpath(info.absolutePath()) || !QDir().mkdir(folder_, kPrivateFolder))) {
    Fail("cannot create the folder " + folder_ + ": " + SystemReason() + '.');
  }
  // A folder an earlier version made readable for everyone becomes private.
  if (!QFile::setPermissions(folder_, kPrivateFolder)) {
    Fail("cannot make the folder " + folder_ + " private: " + SystemReason() + '.');
  }
}

bool RecoveryStore::OwnNameIsFree() const {
  return PlainOrAbsent(PathOf(id_, kCopySuffix)) && PlainOrAbsent(PathOf(id_, kNotesSuffix)) &&
         PlainOrAbsent(PathOf(id_, kLockSuffix));
}

// Something planted under this editor's name is left alone and reported once; the copy goes
// under a new name.
void RecoveryStore::TakeOwnName() {
  ownLock_.reset();
  notedPath_.clear();
  if (!OwnNameIsFree()) {
    const QString planted = PathOf(id_, QString());
    id_ = QUuid::createUuid().toString(QUuid::WithoutBraces);
    refusal_ = QStringLiteral(
                   "%1 (.pathset, .ini or .lock) is a symbolic link or not a plain "
                   "file and is left alone; the recovery copy is written as %2 instead.")
                   .arg(planted, PathOf(id_, kCopySuffix));
  }
  ownLock_ = TakeLock(PathOf(id_, kLockSuffix));
  if (!ownLock_->isLocked()) {
    const QString failure = "cannot lock " + ownLock_->fileName() + ": " + LockFailure(*ownLock_);
    ownLock_.reset();
    Fail(failure + '.');
  }
}

QString RecoveryStore::TakeRefusal() {
  const std::lock_guard lock(mutex_);
  return std::exchange(refusal_, QString());
}

void RecoveryStore::Write(const FileBuffer& image, const QString& documentPath,
                          const std::optional<DiskSnapshot>& documentThen) {
  const std::lock_guard lock(mutex_);
  MakeFolder();
  if (!ownLock_ || !OwnNameIsFree()) TakeOwnName();
  const QString copy = PathOf(id_, kCopySuffix);
  WritePathSetFile(copy, image);
  QFile::setPermissions(copy, kPrivateFile);
  if (notedPath_ != documentPath || notedThen_ != documentThen ||
      !QFileInfo::exists(PathOf(id_, kNotesSuffix))) {
    WriteNotes(documentPath, documentThen);
  }
}

// The path is made absolute: the editor that recovers it may start in another folder.
void RecoveryStore::WriteNotes(const QString& documentPath,
                               const std::optional<DiskSnapshot>& documentThen) {
  const QString path = PathOf(id_, kNotesSuffix);
  {
    QSettings notes(path, QSettings::IniFormat);
    notes.setValue(kDocumentKey, documentPath.isEmpty()
                                     ? documentPath
                                     : QDir::cleanPath(QFileInfo(documentPath).absoluteFilePath()));
    notes.setValue(kDiskKey, documentThen ? documentThen->ToText() : QString());
    notes.sync();
    if (notes.status() != QSettings::NoError) Fail("cannot write " + path + '.');
  }
  QFile::setPermissions(path, kPrivateFile);
  QString reason;
  if (!SyncFolderToDisk(folder_, reason))
    Fail("cannot sync the folder " + folder_ + ": " + reason + '.');
  notedPath_ = documentPath;
  notedThen_ = documentThen;
}

bool RecoveryStore::HasOwnCopy() const {
  const std::lock_guard lock(mutex_);
  return ownLock_ && QFileInfo::exists(PathOf(id_, kCopySuffix));
}

void RecoveryStore::RemoveFiles(const QString& id) {
  QFile::remove(PathOf(id, kCopySuffix));
  QFile::remove(PathOf(id, kNotesSuffix));
}

void RecoveryStore::RemoveOwn() {
  const std::lock_guard lock(mutex_);
  if (!ownLock_) return;
  RemoveFiles(id_);
  notedPath_.clear();
  notedThen_.reset();
  ownLock_.reset();  // unlocking removes the lock file
}

std::optional<RecoveryCopy> RecoveryStore::Claim(const QString& id) {
  std::unique_ptr<QLockFile> lock = Lock(id);
  if (!lock) return std::nullopt;  // its editor is still running, or its lock is no plain file
  const QString copyPath = PathOf(id, kCopySuffix);
  const QString notesPath = PathOf(id, kNotesSuffix);
  RecoveryCopy copy{id, copyPath, {}, QFileInfo(copyPath).lastModified(), std::nullopt};
  if (PlainOrAbsent(notesPath)) {
    const QSettings notes(notesPath, QSettings::IniFormat);
    copy.documentPath = TrustedTarget(notes.value(kDocumentKey).toString());
    copy.documentThen = DiskSnapshot::FromText(notes.value(kDiskKey).toString());
  }
  claimed_[id] = std::move(lock);
  return copy;
}

// Every id with a file in the folder, but this editor's own and those already claimed. No name
// filter: QDir would compile a regular expression for it at every start.
QStringList RecoveryStore::LeftBehindIds() const {
  QStringList ids;
  for (QDirIterator it(folder_, QDir::Files | QDir::Hidden | QDir::System); it.hasNext();) {
    it.next();
    const QString name = it.fileName();
    const bool ours =
        name.endsWith(kCopySuffix) || name.endsWith(kNotesSuffix) || name.endsWith(kLockSuffix);
    const QString id = name.left(name.lastIndexOf('.'));
    if (ours && id != id_ && !claimed_.count(id) && !ids.contains(id)) ids << id;
  }
  return ids;
}

std::vector<RecoveryCopy> RecoveryStore::ClaimLeftBehind() {
  const std::lock_guard lock(mutex_);
  PruneDamaged(DamagedFolder());  // a month passes without new damaged copies too
  std::vector<RecoveryCopy> copies;
  for (const QString& id : LeftBehindIds()) {
    std::optional<RecoveryCopy> copy = Claim(id);
    if (!copy) continue;
    if (QFileInfo(copy->copyPath).isFile() && PlainOrAbsent(copy->copyPath)) {
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
  const std::lock_guard lock(mutex_);
  RemoveFiles(copy.id);
  claimed_.erase(copy.id);
}

QString RecoveryStore::SetAside(const RecoveryCopy& copy) {
  const std::lock_guard lock(mutex_);
  const QString damaged = DamagedFolder();
  const QString target = QDir(damaged).filePath(copy.id + kCopySuffix);
  if (!QDir().mkpath(damaged) || !QFile::rename(copy.copyPath, target)) {
    Release(copy);  // it stays where it is and is offered again
    return copy.copyPath;
  }
  QFile::rename(PathOf(copy.id, kNotesSuffix), QDir(damaged).filePath(copy.id + kNotesSuffix));
  claimed_.erase(copy.id);
  PruneDamaged(damaged);
  return QFileInfo::exists(target) ? target : QString();
}

// Damaged copies are kept for a look, not forever: at most 30 days, and the newest only while
// they take 64 MiB in all.
void RecoveryStore::PruneDamaged(const QString& damaged) const {
  std::vector<QFileInfo> files;
  for (QDirIterator it(damaged, QDir::Files | QDir::Hidden | QDir::System); it.hasNext();) {
    files.push_back(QFileInfo(it.next()));
  }
  std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
    return a.lastModified() > b.lastModified();
  });
  const QDateTime oldest = QDateTime::currentDateTime().addDays(-kDamagedDays);
  qint64 kept = 0;
  for (const QFileInfo& file : files) {
    kept += file.size();
    if (kept > kDamagedBytes || file.lastModified() < oldest) QFile::remove(file.filePath());
  }
}

void RecoveryStore::Release(const RecoveryCopy& copy) {
  const std::lock_guard lock(mutex_);
  claimed_.erase(copy.id);
}

}  // namespace qarn
