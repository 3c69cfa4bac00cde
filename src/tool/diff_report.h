#pragma once

#include <QJsonObject>
#include <QString>

#include "document/path_set_diff.h"

// The differences between two path sets, as lines for people and as JSON for programs.
namespace qarn {

// One line per header word and per object that differs, with indented lines for its words and
// points; nothing when the path sets are equal. Objects are numbered from 1, "4 -> 1" when an
// object's number differs between A and B.
QString DiffText(const PathSetDiff& diff, const tHeader& a, const tHeader& b);

// The same as data: {"equal", "header": [...], "objects": [...]}, words as hexadecimal text and
// objects and points as in 'dump --json'.
QJsonObject DiffJson(const PathSetDiff& diff, const tHeader& a, const tHeader& b);

}  // namespace qarn
