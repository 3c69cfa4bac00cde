#pragma once

#include <QString>
#include <QStringList>

namespace qarn {

// Runs qarn-tool with `args` (the words after the program's name). What the tool prints is
// appended to *out and *err (neither may be null) instead of being written, so tests see exactly
// what a user sees.
// Returns the exit status: 0 on success, 1 when something failed, 2 for a usage error.
int RunTool(const QStringList& args, QString* out, QString* err);

// The status to end with when the output of RunTool(args) could not be written: the command's
// failure status, never lower than the status it already has.
int OutputFailureStatus(const QStringList& args, int status);

}  // namespace qarn
