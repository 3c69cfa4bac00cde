#include "document/file_buffer.h"

#include <algorithm>
#include <string>

#include "document/errors.h"

namespace qarn {

std::vector<uint8_t> FileBuffer::Image() const {
  const auto used = static_cast<size_t>(std::clamp(usedLength, 0, kBufferSize));
  return std::vector<uint8_t>(bytes.begin(), bytes.begin() + used);
}

void FileBuffer::SetImage(std::span<const uint8_t> image) {
  if (image.size() > bytes.size()) {
    throw RangeCheckError("an image of " + std::to_string(image.size()) +
                          " bytes does not fit; the file buffer holds at most " +
                          std::to_string(kBufferSize) + " bytes.");
  }
  std::copy(image.begin(), image.end(), bytes.begin());
  usedLength = static_cast<int32_t>(image.size());
}

}  // namespace qarn
