#pragma once

#include <QFont>
#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "document/path_set_records.h"

namespace qarn {

// How wide the object list's Name column must be to show every name whole. The list repeats a
// few hundred type names over up to 1363 rows and is refilled on every edit, while shaping one
// text costs microseconds: each distinct name is measured once per font.
class NameWidths {
 public:
  // The widest name of the document in pixels, cell margins included; never less than `least`.
  int Widest(const tHeader& document, const QFont& font, int least);

 private:
  using Name = std::array<uint8_t, kNameBytes>;
  struct NameHash {
    size_t operator()(const Name& name) const {
      return std::hash<std::string_view>{}(
          std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
    }
  };
  int Measured(const tDesc& object, const QFont& font);

  QFont font_;
  std::unordered_map<Name, int, NameHash> widths_;
};

}  // namespace qarn
