#include "document/image_delta.h"

#include <gtest/gtest.h>

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

struct DeltaCase {
  const char* name;
  Bytes before;
  Bytes after;
  size_t storedAtMost;  // the bytes of both sides the delta may keep
};

class ImageDeltaTest : public ::testing::TestWithParam<DeltaCase> {};

TEST_P(ImageDeltaTest, TurnsEachImageIntoTheOtherAndKeepsOnlyWhatChanged) {
  const DeltaCase& c = GetParam();
  const ImageDelta delta(c.before, c.after);
  Bytes image = c.after;
  delta.Undo(image);
  EXPECT_EQ(image, c.before);
  delta.Redo(image);
  EXPECT_EQ(image, c.after);
  EXPECT_LE(delta.Bytes(), sizeof(ImageDelta) + c.storedAtMost);
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
        DeltaCase{"OneFloatInTheMiddle", ThreeObjects(1.5f), ThreeObjects(-8.25f), 2 * 4},
        // The counts at the start change with the object at the end: neither stretches the other.
        DeltaCase{"ObjectAppended", ThreeObjects(),
                  PathSetBytes().Header(7, 4, 3).Append(ObjectsFrom(0)).Append(kObjectA).bytes,
                  2 * 8 + kObjectA.size()},
        DeltaCase{"FirstObjectRemoved", ThreeObjects(),
                  PathSetBytes().Header(7, 2, 1).Append(ObjectsFrom(kObjectA.size())).bytes,
                  2 * 8 + kObjectA.size()},
        DeltaCase{"RunOfEqualBytesGrows", Zeros(112), Zeros(116), 4},
        DeltaCase{"ShorterThanTheHeaderWords", Bytes{1, 2, 3, 4, 5}, ThreeObjects(), 5 + 304},
        DeltaCase{"ToNothing", ThreeObjects(), Bytes{}, 304},
        DeltaCase{"EveryByteDiffers", Bytes(64, 0xAA), Bytes(60, 0x55), 124}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageDelta, RefusesAnImageTooShortToBeTheOneItStartsFrom) {
  const ImageDelta delta(ThreeObjects(1.5f), ThreeObjects(2.5f));
  Bytes image(20, 9);
  EXPECT_THROW(delta.Undo(image), RangeCheckError);
  EXPECT_EQ(image, Bytes(20, 9));
}

}  // namespace
}  // namespace qarn
