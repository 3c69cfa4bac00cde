#pragma once

#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace qarn {

// Base of every error the program raises on purpose. The window shows what() in one message box
// and goes on; the tool prints it to standard error.
class QarnError : public std::runtime_error {
 public:
  explicit QarnError(const std::string& message) : std::runtime_error(message), message_(message) {}

  const char* what() const noexcept override { return message_.c_str(); }
  // Puts "place: " in front of the message: the file, the object, the point it concerns.
  void AddPlace(const std::string& place) { message_ = place + ": " + message_; }

 private:
  std::string message_;
};

// Runs `action` and returns what it returns; an error of the program leaving it gains the place
// in front of its message and keeps its type. `place` is a string or, where building the text on
// every call would cost, a function returning it, called only on an error. An empty place adds
// nothing.
template <class Place, class Action>
decltype(auto) WithPlace(const Place& place, Action&& action) {
  try {
    return std::forward<Action>(action)();
  } catch (QarnError& error) {
    std::string text;
    if constexpr (std::is_invocable_v<const Place&>) {
      text = place();
    } else {
      text = place;
    }
    if (!text.empty()) error.AddPlace(text);
    throw;
  }
}

// An index or count outside its declared range (point number above 256, buffer offset above
// 60000, a document too large for the file buffer).
class RangeCheckError : public QarnError {
 public:
  explicit RangeCheckError(const std::string& detail) : QarnError("Range check error: " + detail) {}

 protected:
  // For range errors that tell their own story without the generic words in front.
  struct Worded {};
  RangeCheckError(Worded, const std::string& message) : QarnError(message) {}
};

// Arithmetic that would leave its range (count - 1 at count 0, a hexadecimal value above 7FFFFFFF).
class OverflowError : public QarnError {
 public:
  explicit OverflowError(const std::string& detail) : QarnError("Overflow error: " + detail) {}
};

// An object or list row that does not exist.
class ListIndexError : public QarnError {
 public:
  explicit ListIndexError(const std::string& detail) : QarnError("List index error: " + detail) {}
};

// A failed file operation; the message names the file and the system's reason.
class InOutError : public QarnError {
 public:
  explicit InOutError(const std::string& detail) : QarnError("I/O error: " + detail) {}
};

// A file whose bytes are not a path set; the message names the object and byte offset.
class MalformedFileError : public QarnError {
 public:
  explicit MalformedFileError(const std::string& detail) : QarnError(detail) {}
};

}  // namespace qarn
