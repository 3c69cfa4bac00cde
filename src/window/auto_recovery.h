#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "window/recovery_store.h"

namespace qarn {

class TQarnForm;

// Keeps a recovery copy of the form's document while it has unsaved changes: at once on the first
// change after a load or save, then every interval if anything changed. Saving, discarding,
// loading another file or closing the form cleanly removes the copy. A copy that cannot be
// written is reported once, until writing works again.
class AutoRecovery : public QObject {
  Q_OBJECT

 public:
  using Reporter = std::function<void(const QString& message)>;

  // Lives as a child of the form.
  AutoRecovery(TQarnForm& form, std::unique_ptr<RecoveryStore> store,
               std::chrono::milliseconds interval, Reporter report);
  ~AutoRecovery() override;

  RecoveryStore& Store() { return *store_; }
  // Writes the copy now; false when it could not be written (and that was reported).
  bool WriteNow();

 private:
  void CleanChanged(bool clean);
  void WriteIfChanged();

  TQarnForm& form_;
  std::unique_ptr<RecoveryStore> store_;
  Reporter report_;
  QTimer timer_;
  bool changedSinceCopy_ = false;
  bool failing_ = false;
};

}  // namespace qarn
