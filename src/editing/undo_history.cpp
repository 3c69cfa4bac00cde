#include "editing/undo_history.h"

#include <utility>

namespace qarn {

UndoHistory::UndoHistory(Restorer restore, int stepLimit, size_t byteLimit)
    : restore_(std::move(restore)), stepLimit_(stepLimit), byteLimit_(byteLimit) {}

size_t UndoHistory::Step::Bytes() const {
  return sizeof(Step) + delta.Bytes() - sizeof(ImageDelta);
}

size_t UndoHistory::bytes() const {
  return sizeof(*this) + stepBytes_ + image_.capacity();
}

void UndoHistory::push(const QString& text, const DocumentState& before, const DocumentState& after,
                       int mergeKey) {
  if (before.bytes == after.bytes) return;
  const bool wasClean = isClean();
  DropRedoSteps();
  if (!image_.empty() && image_ != before.bytes) {
    // The document changed without a step: the old steps no longer lead to it, and whether it
    // is the saved one is unknown.
    Forget();
    cleanIndex_ = -1;
  }
  if (image_.empty()) image_ = before.bytes;
  if (!Merge(text, after, mergeKey)) {
    steps_.push_back(Step{ImageDelta(before.bytes, after.bytes), before.selection, after.selection,
                          mergeKey, text});
    stepBytes_ += steps_.back().Bytes();
    ++index_;
  }
  image_ = after.bytes;
  DropOldestWhileOverLimits();
  // Redo steps may have gone and steps joined while the index stayed: listeners look again.
  emit indexChanged(index_);
  Notify(index_, wasClean);
}

void UndoHistory::DropRedoSteps() {
  while (canRedo()) {
    stepBytes_ -= steps_.back().Bytes();
    steps_.pop_back();
  }
  if (cleanIndex_ > index_) cleanIndex_ = -1;
}

// Joins the newest step: from its image before to `after`. A join that comes back to the image
// before removes the step.
bool UndoHistory::Merge(const QString& text, const DocumentState& after, int mergeKey) {
  if (mergeKey == kNoMerge || steps_.empty() || steps_.back().mergeKey != mergeKey ||
      cleanIndex_ == index_) {
    return false;
  }
  Step& last = steps_.back();
  std::vector<uint8_t> first = image_;
  last.delta.Undo(first);
  stepBytes_ -= last.Bytes();
  if (first == after.bytes) {
    steps_.pop_back();
    --index_;
    return true;
  }
  last =
      Step{ImageDelta(first, after.bytes), last.selectionBefore, after.selection, mergeKey, text};
  stepBytes_ += last.Bytes();
  return true;
}

void UndoHistory::DropOldestWhileOverLimits() {
  while (!steps_.empty() && (count() > stepLimit_ || bytes() > byteLimit_)) {
    stepBytes_ -= steps_.front().Bytes();
    steps_.pop_front();
    --index_;
    cleanIndex_ = cleanIndex_ > 0 ? cleanIndex_ - 1 : -1;
  }
}

void UndoHistory::undo() {
  if (!canUndo()) return;
  const Step& step = steps_[static_cast<size_t>(index_ - 1)];
  step.delta.Undo(image_);
  MoveTo(index_ - 1, step.selectionBefore);
}

void UndoHistory::redo() {
  if (!canRedo()) return;
  const Step& step = steps_[static_cast<size_t>(index_)];
  step.delta.Redo(image_);
  MoveTo(index_ + 1, step.selectionAfter);
}

QString UndoHistory::undoText() const {
  return canUndo() ? steps_[static_cast<size_t>(index_ - 1)].text : QString();
}

QString UndoHistory::redoText() const {
  return canRedo() ? steps_[static_cast<size_t>(index_)].text : QString();
}

void UndoHistory::MoveTo(int index, const Selection& selection) {
  const int oldIndex = index_;
  const bool wasClean = isClean();
  index_ = index;
  restore_(DocumentState{image_, selection});
  Notify(oldIndex, wasClean);
}

void UndoHistory::clear() {
  const int oldIndex = index_;
  const bool wasClean = isClean();
  Forget();
  Notify(oldIndex, wasClean);
}

void UndoHistory::Forget() {
  steps_.clear();
  stepBytes_ = 0;
  image_.clear();
  image_.shrink_to_fit();
  index_ = 0;
  cleanIndex_ = 0;
}

void UndoHistory::setClean() {
  const bool wasClean = isClean();
  cleanIndex_ = index_;
  Notify(index_, wasClean);
}

void UndoHistory::resetClean() {
  const bool wasClean = isClean();
  cleanIndex_ = -1;
  Notify(index_, wasClean);
}

void UndoHistory::Notify(int oldIndex, bool wasClean) {
  if (index_ != oldIndex) emit indexChanged(index_);
  if (isClean() != wasClean) emit cleanChanged(isClean());
}

}  // namespace qarn
