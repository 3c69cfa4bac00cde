#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// Byte layout of a path-set file and little-endian access to its words. The words are assembled
// byte by byte so the file reads the same on any host; compilers turn these into single loads
// and stores on little-endian machines.
namespace qarn::layout {

inline constexpr size_t kHeaderBytes = 12;
inline constexpr size_t kCountOffset = 4;
inline constexpr size_t kLastIndexOffset = 8;
inline constexpr size_t kObjectHeadBytes = 40;
inline constexpr size_t kPointCountOffset = 32;
inline constexpr size_t kHeadWordOffset = 36;
inline constexpr size_t kPointBytes = 16;
inline constexpr size_t kTrailerBytes = 4;
inline constexpr uint32_t kMaxObjectCount = 65535;

// Length of one object block with `pointCount` points.
constexpr size_t BlockBytes(size_t pointCount) {
  return kObjectHeadBytes + kPointBytes * pointCount + kTrailerBytes;
}

inline uint32_t LoadWord(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline void StoreWord(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
  p[2] = static_cast<uint8_t>(value >> 16);
  p[3] = static_cast<uint8_t>(value >> 24);
}

inline float LoadFloat(const uint8_t* p) {
  return std::bit_cast<float>(LoadWord(p));
}
inline void StoreFloat(uint8_t* p, float value) {
  StoreWord(p, std::bit_cast<uint32_t>(value));
}

}  // namespace qarn::layout
