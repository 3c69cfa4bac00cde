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

tHeader Doc(std::initializer_list<tDesc> objects) {
  tHeader doc;
  for (const tDesc& object : objects) doc.InsertNew(static_cast<int>(doc.objectCount) + 1) = object;
  return doc;
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

struct DiffCase {
  const char* what;
  std::function<tHeader()> a;
  std::function<tHeader()> b;
  std::string expected;
};

void PrintTo(const DiffCase& c, std::ostream* os) {
  *os << c.what;
}

class DiffTest : public ::testing::TestWithParam<DiffCase> {};

TEST_P(DiffTest, NamesEachChange) {
  const PathSetDiff diff = DiffPathSets(GetParam().a(), GetParam().b());
  EXPECT_EQ(Describe(diff), GetParam().expected);
  EXPECT_EQ(diff.Equal(), GetParam().expected.empty());
}

const tDesc kA = Obj("a", 3, 1), kB = Obj("b", 2, 2), kC = Obj("c", 4, 3);

tHeader LeadingFive() {
  tHeader doc = Doc({kA});
  doc.leadingWord = 5;
  return doc;
}

tHeader HiddenNameByte() {
  tDesc a = kA;
  a.name[20] = 'x';  // after the first zero: the displayed name stays "a"
  return Doc({a});
}

tHeader OtherHeadWord() {
  tDesc a = kA;
  a.headWord = 7;
  return Doc({a});
}

tHeader NegativeZero() {
  tDesc a = kA;
  a.Point(2).y = -0.0f;  // equal to 0 as a number, but other bytes in the file
  return Doc({a});
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, DiffTest,
    ::testing::Values(
        DiffCase{"equal",
                 [] {
                   return Doc({kA, kB});
                 },
                 [] {
                   return Doc({kA, kB});
                 },
                 ""},
        DiffCase{"both empty", [] { return Doc({}); }, [] { return Doc({}); }, ""},
        DiffCase{"header word", [] { return Doc({kA}); }, LeadingFive, "leading word"},
        DiffCase{"added at the end",
                 [] {
                   return Doc({kA, kB});
                 },
                 [] {
                   return Doc({kA, kB, kC});
                 },
                 "object count; last index; +3"},
        DiffCase{"removed in the middle",
                 [] {
                   return Doc({kA, kB, kC});
                 },
                 [] {
                   return Doc({kA, kC});
                 },
                 "object count; last index; -2"},
        DiffCase{"moved to the front",
                 [] {
                   return Doc({kA, kB, kC});
                 },
                 [] {
                   return Doc({kC, kA, kB});
                 },
                 "3>1 moved"},
        DiffCase{"renamed",
                 [] {
                   return Doc({kA, kB});
                 },
                 [] {
                   return Doc({kA, Renamed(kB, "bee")});
                 },
                 "2 renamed"},
        DiffCase{"name bytes after the zero", [] { return Doc({kA}); }, HiddenNameByte,
                 "1 renamed"},
        DiffCase{"point changed",
                 [] {
                   return Doc({kA, kB});
                 },
                 [] {
                   return Doc({kA, WithPoint(kB, 2, {0, 9, 9, 9})});
                 },
                 "2 points 2c"},
        DiffCase{"negative zero", [] { return Doc({kA}); }, NegativeZero, "1 points 2c"},
        DiffCase{"points added", [] { return Doc({kB}); },
                 [] { return Doc({WithPoint(WithPoint(kB, 3, {}), 4, {})}); }, "1 points 3+ 4+"},
        DiffCase{"point removed", [] { return Doc({Obj("a", 3, 1)}); },
                 [] { return Doc({Obj("a", 2, 1)}); }, "1 points 3-"},
        DiffCase{"head word", [] { return Doc({kA}); }, OtherHeadWord, "1 head word"},
        DiffCase{"one of two copies removed",
                 [] {
                   return Doc({kA, kA, kB});
                 },
                 [] {
                   return Doc({kA, kB});
                 },
                 "object count; last index; -2"},
        // The second lamp is the one kept: it shares a point more with the lamp in B.
        DiffCase{"same name paired with the most alike",
                 [] {
                   return Doc({Obj("lamp", 3, 1), Obj("lamp", 3, 2)});
                 },
                 [] { return Doc({WithPoint(Obj("lamp", 3, 2), 1, {})}); },
                 "object count; last index; -1; 2>1 points 1c"},
        DiffCase{"objects without points are not renamed", [] { return Doc({Obj("a", 0, 0)}); },
                 [] { return Doc({Obj("b", 0, 0)}); }, "-1; +1"},
        DiffCase{"moved and changed",
                 [] {
                   return Doc({kA, kB});
                 },
                 [] {
                   return Doc({WithPoint(kB, 1, {}), kA});
                 },
                 "2>1 points 1c; 1>2 moved"},
        DiffCase{"renamed and changed is removed and added", [] { return Doc({kA}); },
                 [] { return Doc({WithPoint(Renamed(kA, "z"), 1, {})}); }, "-1; +1"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(DiffOrderTest, ARemovedObjectStandsWhereItWas) {
  const PathSetDiff diff = DiffPathSets(Doc({kA, kB, kC}), Doc({Obj("new", 1, 9), kA, kC}));
  EXPECT_EQ(Describe(diff), "+1; -2");
}

}  // namespace
}  // namespace qarn
