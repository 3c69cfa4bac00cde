// Pairing objects of two path sets and naming each kind of change.
#include "document/path_set_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace qarn {
namespace {

// An object of `points` points whose values come from `seed`: point k is at (seed * 100 + k, 0, k).
tDesc Obj(std::string_view name, int points, int seed) {
  tDesc object;
  std::copy(name.begin(), name.end(), object.name.begin());
  object.pointCount = static_cast<uint32_t>(points);
  for (int k = 1; k <= points; ++k) {
    object.Point(k) = tPoint{0, static_cast<float>(seed * 100 + k), 0, static_cast<float>(k)};
  }
  return object;
}

std::string PointCode(const PointChange& change) {
  static const char kKinds[] = {'+', '-', 'c'};
  return std::to_string(change.number) + kKinds[static_cast<int>(change.kind)];
}

std::string ObjectCode(const ObjectChange& change) {
  if (change.Added()) return "+" + std::to_string(change.after);
  if (change.Removed()) return "-" + std::to_string(change.before);
  std::string code = std::to_string(change.before);
  if (change.after != change.before) code += ">" + std::to_string(change.after);
  if (change.moved) code += " moved";
  if (change.renamed) code += " renamed";
  for (const WordChange& word : change.words) code += " " + word.word;
  if (!change.points.empty()) code += " points";
  for (const PointChange& point : change.points) code += " " + PointCode(point);
  return code;
}

// The whole difference in one line: "leading word; -2; 3>1 moved; 4 points 2c".
std::string Describe(const PathSetDiff& diff) {
  std::string text;
  const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "; ") + part; };
  for (const WordChange& word : diff.header) add(word.word);
  for (const ObjectChange& change : diff.objects) add(ObjectCode(change));
  return text;
}

tDesc WithPoint(tDesc object, int k, tPoint point) {
  object.pointCount = std::max<uint32_t>(object.pointCount, static_cast<uint32_t>(k));
  object.Point(k) = point;
  return object;
}

tDesc Renamed(tDesc object, std::string_view name) {
  object.name = {};
  std::copy(name.begin(), name.end(), object.name.begin());
  return object;
}

tDesc With(tDesc object, const std::function<void(tDesc&)>& change) {
  change(object);
  return object;
}

using Objects = std::vector<tDesc>;

struct DiffCase {
  const char* what;
  Objects a;
  Objects b;
  std::string expected;
  uint32_t leadingWordOfB = 0;
};

void PrintTo(const DiffCase& c, std::ostream* os) {
  *os << c.what;
}

class DiffTest : public ::testing::TestWithParam<DiffCase> {};

tHeader Doc(const Objects& objects, uint32_t leadingWord = 0) {
  tHeader doc;
  for (const tDesc& object : objects) doc.InsertNew(static_cast<int>(doc.objectCount) + 1) = object;
  doc.leadingWord = leadingWord;
  return doc;
}

TEST_P(DiffTest, NamesEachChange) {
  const DiffCase& c = GetParam();
  const PathSetDiff diff = DiffPathSets(Doc(c.a), Doc(c.b, c.leadingWordOfB));
  EXPECT_EQ(Describe(diff), c.expected);
  EXPECT_EQ(diff.Equal(), c.expected.empty());
}

const tDesc kA = Obj("a", 3, 1), kB = Obj("b", 2, 2), kC = Obj("c", 4, 3);
// After the first zero: the displayed name stays "a".
const tDesc kHiddenByte = With(kA, [](tDesc& o) { o.name[20] = 'x'; });
// Equal to 0 as a number, other bytes in the file.
const tDesc kNegativeZero = With(kA, [](tDesc& o) { o.Point(2).y = -0.0f; });
const tDesc kHeadWord = With(kA, [](tDesc& o) { o.headWord = 7; });

INSTANTIATE_TEST_SUITE_P(
    Pairs, DiffTest,
    ::testing::Values(
        DiffCase{"equal", {kA, kB}, {kA, kB}, ""}, DiffCase{"both empty", {}, {}, ""},
        DiffCase{"header word", {kA}, {kA}, "leading word", 5},
        DiffCase{"added at the end", {kA, kB}, {kA, kB, kC}, "object count; last index; +3"},
        DiffCase{"removed in the middle", {kA, kB, kC}, {kA, kC}, "object count; last index; -2"},
        DiffCase{"moved to the front", {kA, kB, kC}, {kC, kA, kB}, "3>1 moved"},
        DiffCase{"renamed", {kA, kB}, {kA, Renamed(kB, "bee")}, "2 renamed"},
        DiffCase{"name bytes after the zero", {kA}, {kHiddenByte}, "1 renamed"},
        DiffCase{"point changed", {kA, kB}, {kA, WithPoint(kB, 2, {0, 9, 9, 9})}, "2 points 2c"},
        DiffCase{"negative zero", {kA}, {kNegativeZero}, "1 points 2c"},
        DiffCase{"points added", {kB}, {WithPoint(WithPoint(kB, 3, {}), 4, {})}, "1 points 3+ 4+"},
        DiffCase{"point removed", {Obj("a", 3, 1)}, {Obj("a", 2, 1)}, "1 points 3-"},
        DiffCase{"head word", {kA}, {kHeadWord}, "1 head word"},
        DiffCase{
            "one of two copies removed", {kA, kA, kB}, {kA, kB}, "object count; last index; -2"},
        // The second lamp is kept: it shares more points with the lamp in B.
        DiffCase{"same name paired with the most alike",
                 {Obj("lamp", 3, 1), Obj("lamp", 3, 2)},
                 {WithPoint(Obj("lamp", 3, 2), 1, {})},
                 "object count; last index; -1; 2>1 points 1c"},
        DiffCase{
            "objects without points are not renamed", {Obj("a", 0, 0)}, {Obj("b", 0, 0)}, "-1; +1"},
        DiffCase{
            "moved and changed", {kA, kB}, {WithPoint(kB, 1, {}), kA}, "2>1 points 1c; 1>2 moved"},
        DiffCase{"renamed and changed is removed and added",
                 {kA},
                 {WithPoint(Renamed(kA, "z"), 1, {})},
                 "-1; +1"},
        DiffCase{"a removed object stands where it was",
                 {kA, kB, kC},
                 {Obj("new", 1, 9), kA, kC},
                 "+1; -2"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

}  // namespace
}  // namespace qarn
