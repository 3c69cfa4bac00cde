#include "window/auto_recovery.h"

#include <QCoreApplication>

#include "document/path_set_codec.h"
#include "window/disk_change_guard.h"
#include "window/qarn_form.h"

namespace qarn {

AutoRecovery::AutoRecovery(TQarnForm& form, std::unique_ptr<RecoveryStore> store,
                           std::chrono::milliseconds interval, Reporter report)
    : QObject(&form), form_(form), store_(std::move(store)), report_(std::move(report)) {
  timer_.setInterval(interval);
  connect(&timer_, &QTimer::timeout, this, [this] { WriteIfChanged(); });
  UndoHistory& history = form_.UndoStack();
  connect(&history, &UndoHistory::cleanChanged, this, [this](bool clean) { CleanChanged(clean); });
  connect(&history, &UndoHistory::indexChanged, this, [this] { changedSinceCopy_ = true; });
}

// The form closes only once its changes are saved or discarded; a crash never gets here. The
// writer then runs this last job before it ends.
AutoRecovery::~AutoRecovery() {
  writer_.Post([store = store_.get()] { store->RemoveOwn(); });
}

void AutoRecovery::CleanChanged(bool clean) {
  if (clean) {
    timer_.stop();
    writer_.Post([store = store_.get()] { store->RemoveOwn(); });
    return;
  }
  // After the command that made the change has finished, not in the middle of it.
  changedSinceCopy_ = true;
  QTimer::singleShot(0, this, [this] { WriteIfChanged(); });
  timer_.start();
}

void AutoRecovery::WriteIfChanged() {
  if (changedSinceCopy_ && form_.IsModified()) WriteNow();
}

void AutoRecovery::WriteNow(std::function<void(bool written)> landed) {
  auto image = std::make_shared<FileBuffer>();
  try {
    SerializeDocument(form_.Document(), *image);
  } catch (const std::exception& error) {
    Landed(QString::fromUtf8(error.what()));
    if (landed) landed(false);
    return;
  }
  changedSinceCopy_ = false;
  writer_.Post([store = store_.get(), image, path = form_.DocumentPath(),
                then = form_.DiskGuard().Snapshot()] { store->Write(*image, path, then); },
               [this, landed = std::move(landed)](const QString& error) {
                 Landed(error);
                 if (landed) landed(error.isEmpty());
               });
}

void AutoRecovery::Landed(const QString& error) {
  if (const QString refusal = store_->TakeRefusal(); !refusal.isEmpty()) report_(refusal);
  if (error.isEmpty()) {
    failing_ = false;
    return;
  }
  changedSinceCopy_ = true;  // the next interval tries again
  if (failing_) return;
  failing_ = true;
  report_(QStringLiteral("The recovery copy of the unsaved changes cannot be written: %1\n"
                         "Save the path set to keep the changes safe.")
              .arg(error));
}

void AutoRecovery::WaitForWrites() {
  writer_.WaitForAll();
  QCoreApplication::sendPostedEvents(&writer_);
}

}  // namespace qarn
