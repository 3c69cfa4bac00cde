#pragma once

#include "tool/sub_command.h"

namespace qarn {

SubCommand DumpCommand();

}  // namespace qarn
