#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "document/path_set_records.h"

namespace qarn {

// Replaces all 32 name bytes: the text's first 32 bytes, padded with zero bytes.
void SetObjectName(tDesc& object, std::string_view text);

// Gives every point the flag word HexToInt reads from hexText. An object without points is left
// alone and the text is not read; otherwise an OverflowError comes before any point changes.
void ApplyFlags(tDesc& object, std::string_view hexText);

// The check boxes c1..c32 as boxes[0..31]: c1 stands for bit 31, c32 for bit 0.
uint32_t FlagsFromBoxes(const std::array<bool, 32>& boxes);
std::array<bool, 32> BoxesFromFlags(uint32_t flags);

// The flag word as 8 upper-case hexadecimal digits with leading zeros.
std::string FlagText(uint32_t flags);

// The layout a type is usually built with: lengths and heights of the pair and row offsets and
// the row's direction.
struct TypePreset {
  long double lenge, rowLength, dy, rowDy;
  int32_t rowRotation;
};

// The preset of the type named exactly (case-sensitive) by typeText, turned to rotation;
// std::nullopt for every other text. OverflowError when rotation + 90 leaves the 32-bit range.
std::optional<TypePreset> FindTypePreset(std::string_view typeText, int32_t rotation);

// The flag values offered for quick choice, in the order the list shows them.
inline constexpr std::array<std::string_view, 15> kFlagPresets = {
    "0000", "001F", "0082", "0083", "008A", "018C", "03B3", "4381",
    "7317", "736A", "737C", "7388", "7395", "7397", "FFFF"};

}  // namespace qarn
