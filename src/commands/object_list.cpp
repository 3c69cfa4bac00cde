#include "commands/object_list.h"

#include <algorithm>

#include "commands/point_arithmetic.h"

namespace qarn {
namespace {

void GiveDefaultPoints(tDesc& object) {
  object.pointCount = 2;
  object.Point(1) = tPoint{0, 0, 0, 0};
  object.Point(2) = tPoint{0, 10, 0, 0};
}

// One coordinate of the continued series: the step from before to from is rounded to float
// first, then added to from.
float Continued(float before, float from) {
  const float step = ToStoredFloat(static_cast<long double>(from) - before);
  return ToStoredFloat(static_cast<long double>(from) + step);
}

int ObjectCount(const tHeader& doc) {
  return static_cast<int>(doc.records.size());
}

}  // namespace

int AddObjectCopy(tHeader& doc, int currentRow) {
  if (doc.records.empty()) {
    GiveDefaultPoints(doc.InsertNew(1));
    return 1;
  }
  const tDesc source = doc.Object(currentRow);  // checked before the list changes
  tDesc& copy = doc.InsertNew(currentRow + 1);
  copy.Assign(source);
  if (copy.pointCount == 0) GiveDefaultPoints(copy);
  return currentRow + 1;
}

std::optional<int> DeleteObject(tHeader& doc, int currentRow) {
  if (ObjectCount(doc) <= 1) return std::nullopt;
  doc.Remove(currentRow);
  return std::min(currentRow, ObjectCount(doc));
}

std::optional<int> ContinueSeries(tHeader& doc, int currentRow) {
  if (currentRow <= 1) return std::nullopt;
  const tDesc& previous = doc.Object(currentRow - 1);
  tDesc next = doc.Object(currentRow);
  const int n = CheckedPointCount(next);
  for (int k = 1; k <= n; ++k) {
    const tPoint& p = previous.Point(k);
    tPoint& q = next.Point(k);
    q = tPoint{q.flags, Continued(p.x, q.x), Continued(p.y, q.y), Continued(p.z, q.z)};
  }
  doc.InsertNew(currentRow + 1).Assign(next);
  return currentRow + 1;
}

std::optional<int> MoveObjectUp(tHeader& doc, int currentRow) {
  if (currentRow <= 1) return std::nullopt;
  doc.Swap(currentRow - 1, currentRow);
  return currentRow - 1;
}

std::optional<int> MoveObjectDown(tHeader& doc, int currentRow) {
  if (currentRow >= ObjectCount(doc)) return std::nullopt;
  doc.Swap(currentRow, currentRow + 1);
  return currentRow + 1;
}

int InsertObjects(tHeader& doc, int currentRow, const tHeader& objects) {
  const bool onObject = currentRow >= 1 && currentRow <= ObjectCount(doc);
  const int first = (onObject ? currentRow : ObjectCount(doc)) + 1;
  int at = first;
  for (const auto& object : objects.records) doc.InsertNew(at++).Assign(*object);
  return first;
}

}  // namespace qarn
