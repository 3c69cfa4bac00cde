#include "geometry/hex_text.h"

#include <string>

#include "document/errors.h"

namespace qarn {
namespace {

// Once the value reaches this, shifting in one more digit leaves the signed 32-bit range.
constexpr int32_t kLastShiftable = 0x7FFFFFF;

int32_t DigitOf(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

}  // namespace

int32_t HexToInt(std::string_view text) {
  int32_t value = 0;
  for (const char c : text) {
    if (value > kLastShiftable) {
      throw OverflowError("the flag value \"" + std::string(text) + "\" is larger than 7FFFFFFF.");
    }
    value = value * 16 + DigitOf(c);
  }
  return value;
}

}  // namespace qarn
