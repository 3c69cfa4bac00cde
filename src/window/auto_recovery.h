#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "window/background_writer.h"
#include "window/recovery_store.h"

namespace qarn {

class TQarnForm;

// Keeps a recovery copy of the form's document while it has unsaved changes: at once on the first
// change after a load or save, then every interval if anything changed. Saving, discarding,
// loading another file or closing the form cleanly removes the copy. A copy that cannot be
// written is reported once, until writing works again. The disk is written by a worker thread,
// in the order of the changes; the interface thread only takes a copy of the bytes.
class AutoRecovery : public QObject {
  Q_OBJECT

 public:
  using Reporter = std::function<void(const QString& message)>;

  // Lives as a child of the form.
  AutoRecovery(TQarnForm& form, std::unique_ptr<RecoveryStore> store,
               std::chrono::milliseconds interval, Reporter report);
  ~AutoRecovery() override;

  RecoveryStore& Store() { return *store_; }
  // Writes a copy of the document as it is now, on the writer's thread; `landed` hears on this
  // thread whether it was written (a failure is reported once, until writing works again).
  void WriteNow(std::function<void(bool written)> landed = {});
  // Returns once every copy and removal asked for so far is done and its outcome delivered.
  void WaitForWrites();

 private:
  void CleanChanged(bool clean);
  void WriteIfChanged();
  void Landed(const QString& error);

  TQarnForm& form_;
  std::unique_ptr<RecoveryStore> store_;
  BackgroundWriter writer_;  // after the store: it ends first, running its last job
  Reporter report_;
  QTimer timer_;
  bool changedSinceCopy_ = false;
  bool failing_ = false;
};

}  // namespace qarn
