#include "document/image_delta.h"

#include <gtest/gtest.h>

#include <random>

#include "document/errors.h"
#include "path_set_bytes.h"

namespace qarn {
namespace {

using test::CountingPoints;
using test::PathSetBytes;
using Bytes = std::vector<uint8_t>;

Bytes ThreeObjects(float x = 1.5f) {
  return PathSetBytes()
      .Header(7, 3, 2)
      .Object("a", CountingPoints(4))
      .Object("b", {{1, x, 2, 3}, {1, 4, 5, 6}})
      .Object("c", CountingPoints(4))
      .bytes;
}

Bytes Zeros(size_t count) {
  return Bytes(count, 0);
}

// Points 1..count of ThreeObjects()'s middle object, each moved east by `east`.
std::vector<test::PointBytes> MovedPoints(int count, float east) {
  std::vector<test::PointBytes> points = CountingPoints(count);
  for (auto& p : points) p.x += east;
  return points;
}

Bytes WithMiddle(const std::vector<test::PointBytes>& points, uint32_t count = 3) {
  return PathSetBytes()
      .Header(7, count, 2)
      .Object("a", CountingPoints(4))
      .Object("b", points)
      .Object("c", CountingPoints(4))
      .bytes;
}

struct DeltaCase {
  const char* name;
  Bytes before;
  Bytes after;
  size_t changed;  // the bytes of the words that differ plus the bytes inserted or removed
};

class ImageDeltaTest : public ::testing::TestWithParam<DeltaCase> {};

// A step keeps the changed words a quarter more at most, and its sizes, gap and first skip.
TEST_P(ImageDeltaTest, TurnsEachImageIntoTheOtherAndKeepsOnlyWhatChanged) {
  const DeltaCase& c = GetParam();
  const ImageDelta delta(c.before, c.after);
  Bytes image = c.after;
  delta.Undo(image);
  EXPECT_EQ(image, c.before);
  delta.Redo(image);
  EXPECT_EQ(image, c.after);
  EXPECT_LE(delta.Bytes(), sizeof(ImageDelta) + c.changed * 5 / 4 + (c.changed > 0 ? 16 : 0));
  EXPECT_EQ(delta.IsEmpty(), c.before == c.after);
}

const Bytes kObjectA = PathSetBytes().Object("a", CountingPoints(4)).bytes;
// The object blocks of ThreeObjects() without the first skippedBytes of them.
Bytes ObjectsFrom(size_t skippedBytes) {
  const Bytes image = ThreeObjects();
  return Bytes(image.begin() + static_cast<long>(12 + skippedBytes), image.end());
}

INSTANTIATE_TEST_SUITE_P(
    Images, ImageDeltaTest,
    ::testing::Values(
        DeltaCase{"Unchanged", ThreeObjects(), ThreeObjects(), 0},
        DeltaCase{"OneFloatInTheMiddle", ThreeObjects(1.5f), ThreeObjects(-8.25f), 4},
        // The counts at the start change with the object at the end: neither stretches the other.
        DeltaCase{"ObjectAppended", ThreeObjects(),
                  PathSetBytes().Header(7, 4, 3).Append(ObjectsFrom(0)).Append(kObjectA).bytes,
                  2 * 4 + kObjectA.size()},
        DeltaCase{"FirstObjectRemoved", ThreeObjects(),
                  PathSetBytes().Header(7, 2, 1).Append(ObjectsFrom(kObjectA.size())).bytes,
                  2 * 4 + kObjectA.size()},
        // Every point's x: one word in four, kept as one repeated run.
        DeltaCase{"EveryPointMovedEast", WithMiddle(CountingPoints(200)),
                  WithMiddle(MovedPoints(200, 1000.0f)), 200 * 4},
        DeltaCase{"PointInsertedInTheMiddle", WithMiddle(CountingPoints(9)), WithMiddle([] {
                    auto points = CountingPoints(9);
                    points.insert(points.begin() + 4, {1, 2, 3, 4});
                    return points;
                  }()),
                  4 + 16},
        DeltaCase{"RunOfEqualBytesGrows", Zeros(112), Zeros(116), 4},
        DeltaCase{"ShorterThanTheHeaderWords", Bytes{1, 2, 3, 4, 5}, ThreeObjects(), 4 + 300},
        DeltaCase{"ToNothing", ThreeObjects(), Bytes{}, 304},
        DeltaCase{"EveryByteDiffers", Bytes(64, 0xAA), Bytes(61, 0x55), 64}),
    [](const auto& info) { return std::string(info.param.name); });

// Random images and random edits of the kinds commands make (words changed here and there or in a
// stride, bytes inserted or removed anywhere), also of lengths that are no multiple of a word.
TEST(ImageDelta, TurnsRandomEditsBackByteForByte) {
  std::mt19937 random(20261209);
  auto below = [&](size_t n) { return n == 0 ? 0 : static_cast<size_t>(random() % n); };
  Bytes before(1 + below(3000));
  for (auto& byte : before) byte = static_cast<uint8_t>(below(4));  // runs of equal bytes
  for (int round = 0; round < 400; ++round) {
    Bytes after = before;
    const size_t stride = 1 + below(24);
    for (size_t i = below(after.size()); i < after.size() && below(5) != 0; i += stride)
      after[i] ^= static_cast<uint8_t>(1 + below(255));
    const size_t at = below(after.size() + 1);
    const auto place = after.begin() + static_cast<std::ptrdiff_t>(at);
    if (below(3) == 0) {
      after.erase(place, place + static_cast<std::ptrdiff_t>(below(after.size() - at)));
    } else if (below(2) == 0) {
      after.insert(place, below(100), static_cast<uint8_t>(below(4)));
    }
    const ImageDelta delta(before, after);
    Bytes image = after;
    delta.Undo(image);
    ASSERT_EQ(image, before) << "round " << round;
    delta.Redo(image);
    ASSERT_EQ(image, after) << "round " << round;
    before = std::move(after);
  }
}

TEST(ImageDelta, RefusesAnImageOfAnotherLengthThanTheOneItStartsFrom) {
  const ImageDelta delta(ThreeObjects(1.5f), ThreeObjects(2.5f));
  for (const size_t length : {size_t{20}, ThreeObjects().size() + 4}) {
    Bytes image(length, 9);
    EXPECT_THROW(delta.Undo(image), RangeCheckError);
    EXPECT_EQ(image, Bytes(length, 9));
  }
}

}  // namespace
}  // namespace qarn
