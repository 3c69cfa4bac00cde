#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace qarn {

inline constexpr int kMaxPoints = 256;
inline constexpr int kNameBytes = 32;

// The one check of an object's point count: RangeCheckError "the point count is 300; an object
// holds at most 256 points." above kMaxPoints. Callers put the object's place in front. Inline,
// as the codec checks every object of every edit.
[[noreturn]] void ThrowPointCountError(uint64_t count);
inline void CheckPointCount(uint64_t count) {
  if (count > static_cast<uint64_t>(kMaxPoints)) ThrowPointCountError(count);
}

// One point: the same 16 bytes in memory and in the file.
struct tPoint {
  uint32_t flags = 0;
  float x = 0;
  float y = 0;  // height
  float z = 0;
};
static_assert(sizeof(tPoint) == 16);

// One object of a path set. An object has 256 point slots whatever its point count; the storage
// for them comes with the first write, so an object whose points were never written (as every
// object without points) holds none, and its slots read as zero.
// Slots beyond the count are zero: the parse relies on it, so every writer that lowers the count
// clears the slots it gives up, and nothing writes beyond the count without raising it.
struct tDesc {
  std::array<uint8_t, kNameBytes> name{};
  uint32_t pointCount = 0;
  uint32_t headWord = 0;
  uint32_t trailerWord = 0;

  // Copies everything, slots beyond the point count and name bytes after the first zero included.
  void Assign(const tDesc& source) { *this = source; }
  // The bytes before the first zero byte, at most 32, one character per byte.
  std::string DisplayName() const;
  // Point k, numbered from 1; throws RangeCheckError outside 1..256. The writable one gives the
  // object its slots first.
  tPoint& Point(int k);
  const tPoint& Point(int k) const;
  // All 256 slots, or none while the object has no storage for them (they read as zero).
  std::span<const tPoint> Slots() const { return slots_; }
  // All 256 slots, storage given first where there was none.
  std::span<tPoint> WritableSlots();

 private:
  std::vector<tPoint> slots_;  // empty, or kMaxPoints slots
};

// The whole document: the three header words and the ordered object records.
// Invariant: objectCount == records.size(); object k (from 1) is records[k - 1].
class tHeader {
 public:
  uint32_t leadingWord = 0;
  uint32_t objectCount = 0;
  uint32_t lastIndex = 0;
  std::vector<std::unique_ptr<tDesc>> records;

  tHeader() = default;
  tHeader(const tHeader& other);
  tHeader& operator=(const tHeader& other);
  tHeader(tHeader&&) noexcept = default;
  tHeader& operator=(tHeader&&) noexcept = default;

  // Frees the records and sets the object count to 0; the leading word and last index stay.
  void ClearRecords();
  // Object k, numbered from 1; throws ListIndexError outside 1..objectCount.
  tDesc& Object(int k);
  const tDesc& Object(int k) const;
  // Inserts a zero-filled record so that it becomes object k (1..objectCount+1), keeping the
  // object count and last index in step. Returns the new record.
  tDesc& InsertNew(int k);
  // Removes object k, keeping the object count and last index in step.
  void Remove(int k);
  // Exchanges objects a and b (both numbered from 1).
  void Swap(int a, int b);
};

}  // namespace qarn
