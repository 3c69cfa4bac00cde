#include "commands/type_and_flags.h"

#include <algorithm>
#include <cstdio>

#include "commands/point_arithmetic.h"
#include "commands/rotation.h"
#include "geometry/hex_text.h"

namespace qarn {
namespace {

constexpr int kFlagBits = 32;

// Rows of a ladder for these types run either along the pairs or across them.
struct PresetEntry {
  std::string_view type;
  long double lenge, rowLength, dy, rowDy;
  int32_t rowTurn;
};

constexpr std::array<PresetEntry, 3> kTypePresets = {{
    {"sp_jumptrailer_f", 15, 15, 0, 4.5L, 0},
    {"giz_bridge01_l", 20, 30, 0, 0, 90},
    {"giz_bridge02_l", 13, 20, 0, 0, 90},
}};

}  // namespace

void SetObjectName(tDesc& object, std::string_view text) {
  std::array<uint8_t, kNameBytes> name{};
  const size_t length = std::min(text.size(), name.size());
  std::copy_n(text.begin(), length, name.begin());
  object.name = name;
}

void ApplyFlags(tDesc& object, std::string_view hexText) {
  const int n = CheckedPointCount(object);
  if (n == 0) return;
  const auto flags = static_cast<uint32_t>(HexToInt(hexText));
  for (int k = 1; k <= n; ++k) object.Point(k).flags = flags;
}

uint32_t FlagsFromBoxes(const std::array<bool, 32>& boxes) {
  uint32_t flags = 0;
  for (const bool checked : boxes) flags = (flags << 1) | (checked ? 1u : 0u);
  return flags;
}

std::array<bool, 32> BoxesFromFlags(uint32_t flags) {
  std::array<bool, 32> boxes{};
  for (int bit = 0; bit < kFlagBits; ++bit) boxes[kFlagBits - 1 - bit] = ((flags >> bit) & 1u) != 0;
  return boxes;
}

std::string FlagText(uint32_t flags) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(flags));
  return text;
}

std::optional<TypePreset> FindTypePreset(std::string_view typeText, int32_t rotation) {
  for (const PresetEntry& entry : kTypePresets) {
    if (entry.type != typeText) continue;
    return TypePreset{entry.lenge, entry.rowLength, entry.dy, entry.rowDy,
                      StepAngle(rotation, entry.rowTurn)};
  }
  return std::nullopt;
}

}  // namespace qarn
