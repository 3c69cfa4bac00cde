#pragma once

#include <cstdint>
#include <string_view>

namespace qarn {

// Reads every character as one hexadecimal digit, case-insensitively; a character that is not a
// digit counts as 0 ("1G" is 0x10, a trailing space multiplies by 16). Throws OverflowError once
// the value would exceed 7FFFFFFF, so a value with bit 31 set is never produced.
int32_t HexToInt(std::string_view text);

}  // namespace qarn
