#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qarn {

// What changed between two byte images of a path set, enough to turn either into the other byte
// for byte. It holds the header words when they differ and the one stretch of object bytes
// between the longest common start and the longest common end. Every command changes one object
// or neighbouring ones (plus the counts in the header), so the stretch is about the bytes it
// changed instead of two whole images.
class ImageDelta {
 public:
  ImageDelta(std::span<const uint8_t> before, std::span<const uint8_t> after);

  // Turns the image after into the image before, or the other way round. Throws RangeCheckError,
  // leaving the image as it was, when it is too short to be the image the delta starts from.
  void Undo(std::vector<uint8_t>& image) const;
  void Redo(std::vector<uint8_t>& image) const;

  bool IsEmpty() const { return head_.IsEmpty() && body_.IsEmpty(); }
  // The memory it holds, itself included.
  size_t Bytes() const;

 private:
  // Bytes [offset, offset + from.size()) of one image are bytes [offset, offset + to.size()) of
  // the other.
  struct Splice {
    size_t offset = 0;
    std::vector<uint8_t> before;
    std::vector<uint8_t> after;

    bool IsEmpty() const { return before.empty() && after.empty(); }
  };

  static Splice Between(std::span<const uint8_t> before, std::span<const uint8_t> after,
                        size_t offset);
  static void Replace(std::vector<uint8_t>& image, size_t offset, const std::vector<uint8_t>& from,
                      const std::vector<uint8_t>& to);

  Splice head_;  // within the header words: the same length on both sides
  Splice body_;
};

}  // namespace qarn
