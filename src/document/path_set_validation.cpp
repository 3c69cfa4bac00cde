#include <span>
#include <string>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "document/path_set_layout.h"

namespace qarn {

namespace {

using namespace layout;
using std::to_string;

std::string Where(uint32_t k, size_t start) {
  return "object " + to_string(k) + " at byte " + to_string(start);
}

std::span<const uint8_t> UsedBytes(const FileBuffer& buffer) {
  if (buffer.usedLength < 0 || buffer.usedLength > kBufferSize) {
    throw RangeCheckError("the file is " + to_string(buffer.usedLength) +
                          " bytes long; the file buffer holds at most " + to_string(kBufferSize) +
                          " bytes.");
  }
  return {buffer.bytes.data(), static_cast<size_t>(buffer.usedLength)};
}

uint32_t ValidateHeader(std::span<const uint8_t> image) {
  if (image.size() < kHeaderBytes) {
    throw MalformedFileError("the file is " + to_string(image.size()) +
                             " bytes long, shorter than the 12-byte header of a path set.");
  }
  const uint32_t count = LoadWord(image.data() + kCountOffset);
  if (count > kMaxObjectCount) {
    throw RangeCheckError("the object count at byte 4 is " + to_string(count) +
                          "; a path set holds at most " + to_string(kMaxObjectCount) + " objects.");
  }
  return count;
}

// Nothing may be read past the buffer's last offset, whether an item starts or only ends there.
void CheckInBuffer(uint32_t k, size_t start, size_t end) {
  if (end <= static_cast<size_t>(kBufferSize)) return;
  throw RangeCheckError(Where(k, start) + " would reach past byte " + to_string(kBufferLastOffset) +
                        ", the end of the file buffer.");
}

void CheckHeadInFile(std::span<const uint8_t> image, uint32_t k, uint32_t count, size_t start) {
  CheckInBuffer(k, start, start + kObjectHeadBytes);
  if (start >= image.size()) {
    throw MalformedFileError(Where(k, start) +
                             ": the file ends before this object; the header declares " +
                             to_string(count) + ".");
  }
  if (start + kObjectHeadBytes > image.size()) {
    throw MalformedFileError(Where(k, start) + ": the file ends at byte " +
                             to_string(image.size()) + ", inside the object's head.");
  }
}

// Returns the offset of the next object.
size_t ValidateObject(std::span<const uint8_t> image, uint32_t k, uint32_t count, size_t start) {
  CheckHeadInFile(image, k, count, start);
  const uint32_t points = LoadWord(image.data() + start + kPointCountOffset);
  WithPlace([&] { return Where(k, start); }, [&] { CheckPointCount(points); });
  const size_t end = start + BlockBytes(points);
  CheckInBuffer(k, start, end);
  if (end > image.size()) {
    throw MalformedFileError(Where(k, start) + " declares " + to_string(points) +
                             " points, but the file ends at byte " + to_string(image.size()) +
                             ", inside the object.");
  }
  return end;
}

}  // namespace

size_t ValidatePathSet(const FileBuffer& buffer) {
  const auto image = UsedBytes(buffer);
  const uint32_t count = ValidateHeader(image);
  size_t position = kHeaderBytes;
  for (uint32_t k = 1; k <= count; ++k) position = ValidateObject(image, k, count, position);
  return position;
}

}  // namespace qarn
