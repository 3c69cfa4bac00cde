#pragma once

#include <stdexcept>
#include <string>

#include "document/errors.h"

// The tool's own failures, beside the document's errors. Both end the sub-command; the dispatcher
// turns them into the exit status.
namespace qarn {

// The command line itself is wrong: exit status 2, with a hint to the sub-command's help.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

// An input the tool cannot use (a malformed JSON file, an object that does not exist): exit
// status 1. The message names the file and what is wrong; like the document's errors it takes
// more places in front (WithPlace).
class ToolError : public QarnError {
 public:
  explicit ToolError(const std::string& message) : QarnError(message) {}
};

}  // namespace qarn
