#pragma once

#include <functional>

#include "widgets/valid_edit.h"

namespace qarn {

// Counts beeps instead of sounding them, and puts the real hook back afterwards.
class BeepCounter {
 public:
  BeepCounter() : saved_(TValidEdit::BeepHook()) {
    TValidEdit::BeepHook() = [this] { ++count_; };
  }
  ~BeepCounter() { TValidEdit::BeepHook() = saved_; }
  int count() const { return count_; }

 private:
  std::function<void()> saved_;
  int count_ = 0;
};

}  // namespace qarn
