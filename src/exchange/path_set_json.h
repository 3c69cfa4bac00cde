#pragma once

#include <QJsonObject>
#include <string>

#include "document/errors.h"
#include "document/path_set_records.h"

// A path set as JSON that holds every byte of its file image, so that the document can be rebuilt
// exactly:
//   { "leadingWord": "00000000", "lastIndex": "00000001", "objects": [
//       { "name": "giz", "nameBytes": "67697A00...", "headWord": "...", "trailerWord": "...",
//         "points": [ { "flags": "00000083", "x": 1, "xBits": "3F800000", ... } ] } ] }
// Words are strings of hexadecimal digits. "nameBytes" holds all 32 name bytes, those after the
// first zero included; "name" is the readable name. Each coordinate has a readable value (a
// number, or "nan", "inf", "-inf") and its 32-bit pattern ("xBits"). The object count and the
// point counts are the lengths of the arrays.
namespace qarn {

// JSON that does not describe a path set; the message names the element and what is wrong.
class PathSetJsonError : public QarnError {
 public:
  explicit PathSetJsonError(const std::string& message) : QarnError(message) {}
};

QJsonObject PathSetToJson(const tHeader& doc);
// One element of "objects" and one of its "points", as PathSetToJson writes them.
QJsonObject ObjectToJson(const tDesc& record);
QJsonObject PointToJson(const tPoint& point);

// Reads what PathSetToJson writes. Either half of a pair ("name"/"nameBytes", "x"/"xBits") may
// be left out; when both are given they must agree, and the exact half wins (so a value of 0 with
// bits 80000000 is negative zero). Unknown keys are refused, so a misspelt key is never ignored.
// Throws PathSetJsonError naming the element and what is wrong ("objects[2].points[5].x: expected a
// number"); arrays are indexed from 0.
tHeader PathSetFromJson(const QJsonObject& root);

}  // namespace qarn
