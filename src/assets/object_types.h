#pragma once

#include <QStringList>

namespace qarn {

// The 287 entries of the type list, in order: the three types with layout presets first, then
// the catalogue by category and by area (so many types appear twice), five entries with a state
// prefix ("open:", "inactive:") and an empty entry last.
QStringList ObjectTypeNames();

}  // namespace qarn
