#include "commands/point_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "document/errors.h"
#include "test_objects.h"

namespace qarn {
namespace {

using testing_objects::ObjectOnXAxis;
using testing_objects::SameBytes;

// A point as the table gives it: its flags (the old point it was copied from) and x, y, z.
struct ExpectedPoint {
  uint32_t flags;
  float x, y, z;
};

void ExpectPoints(const tDesc& object, const std::vector<ExpectedPoint>& points) {
  ASSERT_EQ(object.pointCount, points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const tPoint& p = object.Point(static_cast<int>(i) + 1);
    EXPECT_EQ(p.flags, points[i].flags);
    EXPECT_EQ(p.x, points[i].x);
    EXPECT_EQ(p.y, points[i].y);
    EXPECT_EQ(p.z, points[i].z);
  }
  if (points.size() < kMaxPoints) {
    EXPECT_EQ(object.Point(static_cast<int>(points.size()) + 1).flags, 0u) << "slot not cleared";
  }
}

struct PointInsertCase {
  const char* name;
  int points, after;
  std::optional<Vec3> at;
  std::vector<ExpectedPoint> result;
};

class InsertPointTest : public ::testing::TestWithParam<PointInsertCase> {};

TEST_P(InsertPointTest, PlacesTheCopyAndMovesTheRestDown) {
  const PointInsertCase& c = GetParam();
  tDesc object = ObjectOnXAxis(c.points);
  const int inserted = InsertPointAfter(object, c.after, c.at);
  ExpectPoints(object, c.result);
  EXPECT_EQ(inserted, std::clamp(c.after, std::min(c.points, 1), c.points) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertPointTest,
    ::testing::Values(
        PointInsertCase{
            "halfway", 3, 1, {}, {{1, 0, 0, 0}, {1, 5, 0, 0}, {2, 10, 0, 0}, {3, 20, 0, 0}}},
        PointInsertCase{"afterLastContinues",
                        3,
                        3,
                        {},
                        {{1, 0, 0, 0}, {2, 10, 0, 0}, {3, 20, 0, 0}, {3, 30, 0, 0}}},
        PointInsertCase{"onlyPointCopied", 1, 1, {}, {{1, 0, 0, 0}, {1, 0, 0, 0}}},
        PointInsertCase{"firstPointOfEmpty", 0, 0, Vec3{7, 8, 9}, {{0, 7, 0, 9}}},
        PointInsertCase{"atPosition",
                        3,
                        2,
                        Vec3{55, 1, -5},
                        {{1, 0, 0, 0}, {2, 10, 0, 0}, {2, 55, 0, -5}, {3, 20, 0, 0}}},
        PointInsertCase{
            "afterClamped", 2, 9, Vec3{4, 0, 4}, {{1, 0, 0, 0}, {2, 10, 0, 0}, {2, 4, 0, 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PointDeleteCase {
  const char* name;
  int points, k;
  std::vector<ExpectedPoint> result;  // empty: refused
};

class DeletePointTest : public ::testing::TestWithParam<PointDeleteCase> {};

TEST_P(DeletePointTest, RemovesThePointOrRefusesUnchanged) {
  const PointDeleteCase& c = GetParam();
  tDesc object = ObjectOnXAxis(c.points);
  const tDesc before = object;
  if (c.result.empty()) {
    EXPECT_THROW(DeletePoint(object, c.k), RangeCheckError);
    EXPECT_TRUE(SameBytes(object, before));
    return;
  }
  DeletePoint(object, c.k);
  ExpectPoints(object, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeletePointTest,
    ::testing::Values(PointDeleteCase{"middle", 3, 2, {{1, 0, 0, 0}, {3, 20, 0, 0}}},
                      PointDeleteCase{"first", 2, 1, {{2, 10, 0, 0}}},
                      PointDeleteCase{"onlyPoint", 1, 1, {}}, PointDeleteCase{"none", 3, 0, {}},
                      PointDeleteCase{"beyond", 3, 4, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PointEditLimits, TheMostAndTheLastOfTwoHundredFiftySix) {
  tDesc full = ObjectOnXAxis(kMaxPoints);
  const tDesc before = full;
  EXPECT_THROW(InsertPointAfter(full, 1, Vec3{}), RangeCheckError);
  EXPECT_TRUE(SameBytes(full, before));
  DeletePoint(full, kMaxPoints);
  EXPECT_EQ(full.pointCount, kMaxPoints - 1u);
  EXPECT_EQ(full.Point(kMaxPoints).x, 0.0f);
  InsertPointAfter(full, kMaxPoints - 1, std::nullopt);  // one step beyond, with the last flags
  EXPECT_EQ(full.pointCount, kMaxPoints + 0u);
  EXPECT_EQ(full.Point(kMaxPoints).x, before.Point(kMaxPoints).x);
  EXPECT_EQ(full.Point(kMaxPoints).flags, kMaxPoints - 1u);
}

}  // namespace
}  // namespace qarn
