#include "window/snapshot_command.h"

#include <utility>

namespace qarn {

SnapshotCommand::SnapshotCommand(const QString& text, DocumentState before, DocumentState after,
                                 Restorer restore)
    : QUndoCommand(text),
      before_(std::move(before)),
      after_(std::move(after)),
      restore_(std::move(restore)) {}

void SnapshotCommand::undo() {
  restore_(before_);
}

void SnapshotCommand::redo() {
  if (firstRedo_) {
    firstRedo_ = false;
    return;
  }
  restore_(after_);
}

}  // namespace qarn
