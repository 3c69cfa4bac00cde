#include "window/disk_change_guard.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include "window/form_dialogs.h"

namespace qarn {

DiskChangeGuard::DiskChangeGuard(QWidget& window, FormDialogs& dialogs, Document document)
    : QObject(&window), window_(window), dialogs_(dialogs), document_(std::move(document)) {
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { FileChanged(); });
  window_.installEventFilter(this);
}

// A file that was just read or written but cannot be checked now is left unguarded rather
// than turning the load or save that worked into a failure.
void DiskChangeGuard::Remember(const QString& path) {
  std::optional<DiskSnapshot> now;
  QByteArray bytes;
  try {
    now = DiskSnapshot::TakeUnhashed(path, bytes);
  } catch (const std::exception&) {
  }
  RememberAsWas(path, std::move(now));
  if (snapshot_) HashLater(std::move(bytes));
}

void DiskChangeGuard::HashLater(QByteArray bytes) {
  unhashed_ = std::move(bytes);
  // Only the file opened at start waits, for the window's first paint (see eventFilter).
  if (window_.isVisible()) Settle();
}

void DiskChangeGuard::Settle() const {
  if (unhashed_.isNull()) return;
  if (snapshot_) snapshot_->hash = DiskSnapshot::HashOf(unhashed_);
  unhashed_ = QByteArray();
}

const std::optional<DiskSnapshot>& DiskChangeGuard::Snapshot() const {
  Settle();
  return snapshot_;
}

void DiskChangeGuard::RememberAsWas(const QString& path, std::optional<DiskSnapshot> then) {
  if (path.isEmpty()) {
    Forget();
    return;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  snapshot_ = std::move(then);
  unhashed_ = QByteArray();
  pending_ = false;
  toldModified_ = false;
  Watch(path_);
}

void DiskChangeGuard::Forget() {
  path_.clear();
  snapshot_.reset();
  unhashed_ = QByteArray();
  pending_ = false;
  Watch({});
}

// A file replaced by a rename (as every careful writer saves) is a new inode: watched again.
void DiskChangeGuard::Watch(const QString& path) {
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  if (!path.isEmpty() && QFileInfo::exists(path)) watcher_.addPath(path);
}

bool DiskChangeGuard::ChangedSince(const QString& path, const std::optional<DiskSnapshot>& then) {
  if (!then) return false;
  const std::optional<DiskSnapshot> now = DiskSnapshot::Take(path);
  return now && then->ChangedTo(*now);
}

bool DiskChangeGuard::MayWrite(const QString& path) {
  if (path_.isEmpty() || QFileInfo(path).absoluteFilePath() != path_) return true;
  if (!ChangedSince(path_, Snapshot())) return true;
  switch (dialogs_.AskOverwriteChanged(&window_, QFileInfo(path_).fileName())) {
    case FormDialogs::ChangedAnswer::Overwrite:
      return true;
    case FormDialogs::ChangedAnswer::Reload:
      document_.reload(path_);
      return false;
    case FormDialogs::ChangedAnswer::Cancel:
      return false;
  }
  return false;
}

void DiskChangeGuard::FileChanged() {
  Watch(path_);
  bool changed = false;
  try {
    changed = ChangedSince(path_, Snapshot());
  } catch (const std::exception&) {
    return;  // unreadable for now: the check before the next save says why
  }
  if (!changed || (toldModified_ && document_.modified())) return;
  pending_ = true;
  AskWhenActive();
}

void DiskChangeGuard::AskWhenActive() {
  // After the current event, and never over another question.
  if (window_.isActiveWindow()) QTimer::singleShot(0, this, [this] { Ask(); });
}

bool DiskChangeGuard::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::WindowActivate && pending_) AskWhenActive();
  // The window and its controls paint in one pass: the hash follows it.
  if (watched == &window_ && event->type() == QEvent::Paint && !unhashed_.isNull()) {
    QTimer::singleShot(0, this, [this] { Settle(); });
  }
  return QObject::eventFilter(watched, event);
}

void DiskChangeGuard::Ask() {
  // Never over another question: when it closes, the window is activated again.
  if (!pending_ || !window_.isActiveWindow() || QApplication::activeModalWidget()) return;
  pending_ = false;
  const QString name = QFileInfo(path_).fileName();
  if (document_.modified()) {
    toldModified_ = true;
    dialogs_.TellChangedWhileModified(&window_, name);
  } else if (dialogs_.AskReloadChanged(&window_, name)) {
    document_.reload(path_);
  } else {
    // The user has seen the change and keeps this document: the file as it is now is what the
    // next save may replace; a further change asks again.
    try {
      unhashed_ = QByteArray();
      snapshot_ = DiskSnapshot::Take(path_);
    } catch (const std::exception&) {
    }
  }
}

}  // namespace qarn
