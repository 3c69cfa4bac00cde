#pragma once

#include "tool/sub_command.h"

namespace qarn {

SubCommand CalibrateCommand();

}  // namespace qarn
