#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <functional>

#include "widgets/valid_edit.h"

namespace qarn {

// Shows the window and makes it the active one, as a user's click on it would.
inline bool Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  return QTest::qWaitForWindowActive(&window);
}

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
