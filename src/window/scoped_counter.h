#pragma once

namespace qarn {

// Raises a counter for the lifetime of the scope and lowers it on every exit, errors included.
class ScopedCounter {
 public:
  explicit ScopedCounter(int& counter) : counter_(counter) { ++counter_; }
  ~ScopedCounter() { --counter_; }
  ScopedCounter(const ScopedCounter&) = delete;
  ScopedCounter& operator=(const ScopedCounter&) = delete;

 private:
  int& counter_;
};

}  // namespace qarn
