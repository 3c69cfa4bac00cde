#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace qarn {

inline constexpr int kBufferLastOffset = 60000;
inline constexpr int kBufferSize = kBufferLastOffset + 1;
// Every serialised document is a multiple of 4 bytes long, so 60000 is the most that fits.
inline constexpr int kMaxDocumentBytes = 60000;

// The one byte image through which every load, save, merge and edit passes. Bytes beyond the
// used length are left over from earlier images and mean nothing.
struct FileBuffer {
  std::array<uint8_t, kBufferSize> bytes{};
  int32_t usedLength = 0;

  // Bytes [0, usedLength).
  std::vector<uint8_t> Image() const;
  // Copies `image` to offset 0 and sets the used length; throws RangeCheckError, leaving the
  // buffer as it was, when the image is larger than the buffer.
  void SetImage(std::span<const uint8_t> image);
};

}  // namespace qarn
