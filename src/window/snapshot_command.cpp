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

int SnapshotCommand::id() const {
  constexpr int kTypingId = 1;
  return typingRun_ >= 0 ? kTypingId : -1;
}

bool SnapshotCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const SnapshotCommand*>(other);  // the only class with an id
  if (next->typingRun_ != typingRun_ || next->before_.bytes != after_.bytes ||
      next->before_.selectedRow != after_.selectedRow) {
    return false;
  }
  after_ = next->after_;
  // Typed back to where the run began: the step changes nothing and leaves the history.
  setObsolete(after_.bytes == before_.bytes && after_.selectedRow == before_.selectedRow);
  return true;
}

}  // namespace qarn
