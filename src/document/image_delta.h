#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qarn {

// What changed between two byte images of a path set, enough to turn either into the other byte
// for byte, in about the bytes that changed. The images are lined up around at most one gap: the
// bytes a command inserted or removed (an object, a point), kept from the side that has them.
// Around the gap, the 4-byte words that differ are kept once, as the XOR of both sides, which
// turns either side into the other. Where they lie is kept as runs, and a run shape that repeats
// (the same word of every point of an object) is kept once with its count, so a step keeps a few
// bytes more than the words it changed.
class ImageDelta {
 public:
  ImageDelta(std::span<const uint8_t> before, std::span<const uint8_t> after);

  // Turns the image after into the image before, or the other way round. Throws RangeCheckError,
  // leaving the image as it was, when it does not have the length of the image the delta starts
  // from.
  void Undo(std::vector<uint8_t>& image) const;
  void Redo(std::vector<uint8_t>& image) const;

  bool IsEmpty() const { return code_.empty(); }
  // The memory it holds, itself included.
  size_t Bytes() const { return sizeof(*this) + code_.capacity(); }

 private:
  void Apply(std::vector<uint8_t>& image, bool toBefore) const;

  // The sizes of both images, the gap, the runs and the kept bytes, one after the other (see
  // image_delta.cpp); empty when the images are equal.
  std::vector<uint8_t> code_;
};

}  // namespace qarn
