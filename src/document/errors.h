#pragma once

#include <stdexcept>
#include <string>

namespace qarn {

// Base of every error the program raises on purpose. The window shows what() in one message box
// and goes on; the tool prints it to standard error.
class QarnError : public std::runtime_error {
 public:
  explicit QarnError(const std::string& message) : std::runtime_error(message) {}
};

// An index or count outside its declared range (point number above 256, buffer offset above
// 60000, a document too large for the file buffer).
class RangeCheckError : public QarnError {
 public:
  explicit RangeCheckError(const std::string& detail) : QarnError("Range check error: " + detail) {}
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
