#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "document/image_delta.h"
#include "editing/selection.h"

namespace qarn {

// The document as a byte image plus the selection: what one undo step restores.
struct DocumentState {
  std::vector<uint8_t> bytes;
  Selection selection;
};

// The editor's undo history. Each step holds what its command changed (an ImageDelta) and the
// selections before and after; the history keeps the image of the state it stands at and
// rebuilds every other one from it byte for byte. It is bounded in steps and in bytes, the
// oldest steps going first, which QUndoStack cannot do once it holds commands. The members are
// named after QUndoStack's, whose place it takes.
class UndoHistory : public QObject {
  Q_OBJECT

 public:
  using Restorer = std::function<void(const DocumentState&)>;
  // A step without a merge key never joins another.
  static constexpr int kNoMerge = -1;
  static constexpr int kDefaultStepLimit = 5000;
  static constexpr size_t kDefaultByteLimit = size_t{64} << 20;

  explicit UndoHistory(Restorer restore, int stepLimit = kDefaultStepLimit,
                       size_t byteLimit = kDefaultByteLimit);

  // Records a completed command; the steps that could be redone are dropped. A step with the
  // same merge key as the step before it joins that one (its before, this one's after), unless
  // the document was saved in between. Nothing is recorded when the bytes did not change.
  void push(const QString& text, const DocumentState& before, const DocumentState& after,
            int mergeKey = kNoMerge);
  void undo();
  void redo();
  bool canUndo() const { return index_ > 0; }
  bool canRedo() const { return index_ < count(); }
  QString undoText() const;
  QString redoText() const;
  int count() const { return static_cast<int>(steps_.size()); }
  int index() const { return index_; }
  // Forgets every step and the image; the state it stands at is the clean one.
  void clear();
  void setClean();
  // No state is the saved one any more: the document counts as modified until the next save.
  void resetClean();
  bool isClean() const { return cleanIndex_ == index_; }
  // Everything the history holds, the image it stands at included.
  size_t bytes() const;

 signals:
  void indexChanged(int index);
  void cleanChanged(bool clean);

 private:
  struct Step {
    ImageDelta delta;
    Selection selectionBefore;
    Selection selectionAfter;
    int mergeKey = kNoMerge;
    QString text;

    size_t Bytes() const;
  };

  void Forget();
  void DropRedoSteps();
  bool Merge(const QString& text, const DocumentState& after, int mergeKey);
  void DropOldestWhileOverLimits();
  void MoveTo(int index, const Selection& selection);
  void Notify(int oldIndex, bool wasClean);

  Restorer restore_;
  int stepLimit_;
  size_t byteLimit_;
  std::deque<Step> steps_;
  size_t stepBytes_ = 0;
  std::vector<uint8_t> image_;  // the document at index_; empty until the first step
  int index_ = 0;
  int cleanIndex_ = 0;  // -1 once the saved state cannot be reached any more
};

}  // namespace qarn
