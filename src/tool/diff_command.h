#pragma once

#include "tool/sub_command.h"

namespace qarn {

SubCommand DiffCommand();

}  // namespace qarn
