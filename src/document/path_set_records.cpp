#include "document/path_set_records.h"

#include <algorithm>
#include <utility>

#include "document/errors.h"

namespace qarn {

void ThrowPointCountError(uint64_t count) {
  throw RangeCheckError("the point count is " + std::to_string(count) +
                        "; an object holds at most " + std::to_string(kMaxPoints) + " points.");
}

std::string tDesc::DisplayName() const {
  const auto end = std::find(name.begin(), name.end(), uint8_t{0});
  return std::string(name.begin(), end);
}

const tPoint& tDesc::Point(int k) const {
  if (k < 1 || k > kMaxPoints) {
    throw RangeCheckError("point " + std::to_string(k) +
                          " does not exist; an object holds at most " + std::to_string(kMaxPoints) +
                          " points.");
  }
  static constexpr tPoint kUnwritten{};
  return slots_.empty() ? kUnwritten : slots_[static_cast<size_t>(k - 1)];
}

tPoint& tDesc::Point(int k) {
  std::as_const(*this).Point(k);  // the range check
  return WritableSlots()[static_cast<size_t>(k - 1)];
}

std::span<tPoint> tDesc::WritableSlots() {
  if (slots_.empty()) slots_.resize(kMaxPoints);
  return slots_;
}

tHeader::tHeader(const tHeader& other)
    : leadingWord(other.leadingWord), objectCount(other.objectCount), lastIndex(other.lastIndex) {
  records.reserve(other.records.size());
  for (const auto& record : other.records) records.push_back(std::make_unique<tDesc>(*record));
}

tHeader& tHeader::operator=(const tHeader& other) {
  if (this != &other) *this = tHeader(other);
  return *this;
}

void tHeader::ClearRecords() {
  records.clear();
  objectCount = 0;
}

const tDesc& tHeader::Object(int k) const {
  if (k < 1 || static_cast<size_t>(k) > records.size()) {
    throw ListIndexError("object " + std::to_string(k) + " does not exist; the path set holds " +
                         std::to_string(records.size()) + " objects.");
  }
  return *records[static_cast<size_t>(k - 1)];
}

tDesc& tHeader::Object(int k) {
  return const_cast<tDesc&>(std::as_const(*this).Object(k));
}

tDesc& tHeader::InsertNew(int k) {
  if (k < 1 || static_cast<size_t>(k) > records.size() + 1) {
    throw ListIndexError("cannot insert an object at place " + std::to_string(k) + ".");
  }
  auto it = records.insert(records.begin() + (k - 1), std::make_unique<tDesc>());
  objectCount = static_cast<uint32_t>(records.size());
  lastIndex = objectCount - 1;
  return **it;
}

void tHeader::Remove(int k) {
  Object(k);  // range check
  records.erase(records.begin() + (k - 1));
  objectCount = static_cast<uint32_t>(records.size());
  lastIndex = objectCount - 1;
}

void tHeader::Swap(int a, int b) {
  Object(a);  // range checks
  Object(b);
  std::swap(records[static_cast<size_t>(a - 1)], records[static_cast<size_t>(b - 1)]);
}

}  // namespace qarn
