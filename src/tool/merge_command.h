#pragma once

#include "tool/sub_command.h"

namespace qarn {

SubCommand MergeCommand();

}  // namespace qarn
