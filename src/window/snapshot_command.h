#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <functional>
#include <vector>

namespace qarn {

// The document as a byte image plus the selected object: what one undo step restores.
struct DocumentState {
  std::vector<uint8_t> bytes;
  int selectedRow = 0;
};

// One undoable step: the document images before and after a completed command. A path set is at
// most 60000 bytes, so whole images are cheap and make undo exact to the byte.
class SnapshotCommand : public QUndoCommand {
 public:
  using Restorer = std::function<void(const DocumentState&)>;

  SnapshotCommand(const QString& text, DocumentState before, DocumentState after, Restorer restore);
  void undo() override;
  void redo() override;

  // Steps of one run of typing (run >= 0; -1 for none) merge as they follow each other: the
  // keystrokes of one visit to a text field undo together.
  void SetTypingRun(int run) { typingRun_ = run; }
  int id() const override;
  bool mergeWith(const QUndoCommand* other) override;

 private:
  DocumentState before_;
  DocumentState after_;
  Restorer restore_;
  bool firstRedo_ = true;  // the command has already run when it is pushed
  int typingRun_ = -1;
};

}  // namespace qarn
