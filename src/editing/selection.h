#pragma once

#include <algorithm>
#include <vector>

namespace qarn {

// Which objects the user has taken hold of. The current object is the one the fields, the point
// list and the map's disc and line show; every command that acts on one object acts on it. The
// objects (ascending numbers, 1 up) are all that are selected, the current one among them. The
// current point is the point list's row. Object and point numbers start at 1; 0 is none.
struct Selection {
  int current = 0;
  int point = 0;
  std::vector<int> objects;

  static Selection Single(int object, int point = 0) {
    return Selection{object, point, object > 0 ? std::vector<int>{object} : std::vector<int>{}};
  }
  bool Contains(int object) const {
    return std::binary_search(objects.begin(), objects.end(), object);
  }
  bool operator==(const Selection&) const = default;
};

}  // namespace qarn
