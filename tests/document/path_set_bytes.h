#pragma once

#include <bit>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "document/file_buffer.h"

namespace qarn::test {

// One point as the tests write it into a file image.
struct PointBytes {
  uint32_t flags = 0;
  float x = 0, y = 0, z = 0;
};

// Builds path-set images by hand, word by word, so the tests never borrow the codec's own logic.
class PathSetBytes {
 public:
  PathSetBytes& Word(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<uint8_t>(value >> shift));
    return *this;
  }
  PathSetBytes& Float(float value) { return Word(std::bit_cast<uint32_t>(value)); }
  PathSetBytes& Header(uint32_t leading, uint32_t count, uint32_t lastIndex) {
    return Word(leading).Word(count).Word(lastIndex);
  }
  // 32 name bytes: the text, then `fill` up to 32.
  PathSetBytes& Name(std::string_view text, uint8_t fill = 0) {
    for (size_t i = 0; i < 32; ++i) bytes.push_back(i < text.size() ? text[i] : fill);
    return *this;
  }
  PathSetBytes& Point(const PointBytes& p) {
    return Word(p.flags).Float(p.x).Float(p.y).Float(p.z);
  }
  // A whole object block whose declared point count matches its points.
  PathSetBytes& Object(std::string_view name, const std::vector<PointBytes>& points,
                       uint32_t headWord = 0, uint32_t trailerWord = 0) {
    Name(name).Word(static_cast<uint32_t>(points.size())).Word(headWord);
    for (const auto& p : points) Point(p);
    return Word(trailerWord);
  }
  PathSetBytes& Append(const std::vector<uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }

  std::vector<uint8_t> bytes;
};

// Points 1..count with distinct, easily checked values.
inline std::vector<PointBytes> CountingPoints(int count) {
  std::vector<PointBytes> points;
  for (int j = 1; j <= count; ++j) {
    points.push_back({0x7317u + static_cast<uint32_t>(j), j * 1.5f, -j * 0.25f, j * -3.0f});
  }
  return points;
}

// A heap-allocated buffer (it is 60 KB) holding `image`.
inline std::unique_ptr<FileBuffer> BufferWith(const std::vector<uint8_t>& image) {
  auto buffer = std::make_unique<FileBuffer>();
  buffer->SetImage(image);
  return buffer;
}

}  // namespace qarn::test
