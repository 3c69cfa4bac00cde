#pragma once

#include <QString>
#include <QStringList>

#include "tool/sub_command.h"

namespace qarn {

// Splits `args` (the words after the sub-command's name) into options and positional arguments.
// Throws UsageError for an unknown option, a missing value or a wrong number of arguments; a
// request for help is reported as the option "help" before the arguments are counted.
CommandArgs ParseCommandArgs(const SubCommand& command, const QStringList& args);

// The sub-command's --help text.
QString CommandHelp(const SubCommand& command);

}  // namespace qarn
