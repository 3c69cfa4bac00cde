#include "window/auto_recovery.h"

#include "document/path_set_codec.h"
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

// The form closes only once its changes are saved or discarded; a crash never gets here.
AutoRecovery::~AutoRecovery() {
  store_->RemoveOwn();
}

void AutoRecovery::CleanChanged(bool clean) {
  if (clean) {
    timer_.stop();
    store_->RemoveOwn();
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

bool AutoRecovery::WriteNow() {
  auto image = std::make_unique<FileBuffer>();
  try {
    SerializeDocument(form_.Document(), *image);
    store_->Write(*image, form_.DocumentPath());
    changedSinceCopy_ = false;
    failing_ = false;
    return true;
  } catch (const std::exception& error) {
    if (failing_) return false;
    failing_ = true;
    report_(QStringLiteral("The recovery copy of the unsaved changes cannot be written: %1\n"
                           "Save the path set to keep the changes safe.")
                .arg(QString::fromUtf8(error.what())));
    return false;
  }
}

}  // namespace qarn
