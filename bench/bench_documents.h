#pragma once

#include <cstdint>

#include "document/path_set_records.h"

namespace qarn::bench {

// The two largest shapes: 14 objects of 256 points, 1363 objects without points. The points
// spread over the whole map so their marks are clipped nowhere.
inline qarn::tHeader Document(int objects, int points) {
  qarn::tHeader doc;
  for (int o = 1; o <= objects; ++o) {
    auto& record = doc.InsertNew(o);
    record.name[0] = 'o';
    record.pointCount = static_cast<uint32_t>(points);
    for (int k = 1; k <= points; ++k) {
      record.Point(k) = {0x7317, -2800.0f + 250.0f * (o - 1), 2.0f, -2800.0f + 18.5f * (k - 1)};
    }
  }
  return doc;
}

}  // namespace qarn::bench
