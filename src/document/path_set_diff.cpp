#include "document/path_set_diff.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <span>
#include <tuple>
#include <unordered_map>

namespace qarn {

namespace {

using Records = std::vector<std::unique_ptr<tDesc>>;

int PointCount(const tDesc& object) {
  return static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
}

bool SamePoint(const tPoint& p, const tPoint& q) {
  return std::memcmp(&p, &q, sizeof(tPoint)) == 0;  // bits, so -0 and NaNs count as they are
}

void AppendBytes(std::string& out, const void* data, size_t size) {
  out.append(static_cast<const char*>(data), size);
}

// Everything the file holds of an object but its name.
std::string Payload(const tDesc& object) {
  std::string bytes;
  AppendBytes(bytes, &object.pointCount, sizeof object.pointCount);
  AppendBytes(bytes, &object.headWord, sizeof object.headWord);
  AppendBytes(bytes, &object.trailerWord, sizeof object.trailerWord);
  for (int k = 1; k <= PointCount(object); ++k) {
    AppendBytes(bytes, &object.Point(k), sizeof(tPoint));
  }
  return bytes;
}

std::string Name(const tDesc& object) {
  return std::string(object.name.begin(), object.name.end());
}

std::string Whole(const tDesc& object) {
  return Name(object) + Payload(object);
}

// Which object of B each object of A is paired with (-1: none), and the reverse.
struct Pairing {
  std::vector<int> bOfA;
  std::vector<int> aOfB;

  Pairing(size_t a, size_t b) : bOfA(a, -1), aOfB(b, -1) {}
  void Pair(int i, int j) {
    bOfA[static_cast<size_t>(i)] = j;
    aOfB[static_cast<size_t>(j)] = i;
  }
};

// Pairs unpaired objects whose keys are equal, in the order they come in each file.
template <class Key>
void PairEqual(const Records& a, const Records& b, Pairing& pairing, Key key) {
  std::unordered_map<std::string, std::deque<int>> unpaired;
  for (size_t j = 0; j < b.size(); ++j) {
    if (pairing.aOfB[j] < 0) unpaired[key(*b[j])].push_back(static_cast<int>(j));
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (pairing.bOfA[i] >= 0) continue;
    const auto found = unpaired.find(key(*a[i]));
    if (found == unpaired.end() || found->second.empty()) continue;
    pairing.Pair(static_cast<int>(i), found->second.front());
    found->second.pop_front();
  }
}

// How alike two objects of the same name are: points equal at the same place, and equal words.
int Likeness(const tDesc& p, const tDesc& q) {
  int alike = (p.headWord == q.headWord) + (p.trailerWord == q.trailerWord);
  const int common = std::min(PointCount(p), PointCount(q));
  for (int k = 0; k < common; ++k) alike += SamePoint(p.Point(k + 1), q.Point(k + 1));
  return alike;
}

// The unpaired objects of B by name, each list in B's order.
std::unordered_map<std::string, std::vector<int>> UnpairedByName(const Records& b,
                                                                 const Pairing& pairing) {
  std::unordered_map<std::string, std::vector<int>> byName;
  for (size_t j = 0; j < b.size(); ++j) {
    if (pairing.aOfB[j] < 0) byName[Name(*b[j])].push_back(static_cast<int>(j));
  }
  return byName;
}

// The objects of one name in B that object `i` of A is weighed against: all of them, or the
// nearest kNearest ones when a name is shared by so many objects that weighing every pair would
// take quadratic time.
constexpr size_t kNearest = 64;
std::span<const int> Rivals(const std::vector<int>& sameName, int i) {
  if (sameName.size() <= kNearest) return sameName;
  const auto near = std::lower_bound(sameName.begin(), sameName.end(), i) - sameName.begin();
  const auto first =
      std::clamp<std::ptrdiff_t>(near - static_cast<std::ptrdiff_t>(kNearest / 2), 0,
                                 static_cast<std::ptrdiff_t>(sameName.size() - kNearest));
  return std::span<const int>(sameName).subspan(static_cast<size_t>(first), kNearest);
}

// Pairs objects of the same name, the most alike first and then the nearest, so that of two
// objects of one name the one left unchanged is not taken for the one edited.
void PairSameName(const Records& a, const Records& b, Pairing& pairing) {
  using Candidate = std::tuple<int, int, int, int>;  // -likeness, distance, i, j
  std::vector<Candidate> candidates;
  const auto byName = UnpairedByName(b, pairing);
  for (size_t i = 0; i < a.size(); ++i) {
    const auto sameName = byName.find(Name(*a[i]));
    if (pairing.bOfA[i] >= 0 || sameName == byName.end()) continue;
    const int from = static_cast<int>(i);
    for (const int to : Rivals(sameName->second, from)) {
      const auto j = static_cast<size_t>(to);
      candidates.emplace_back(-Likeness(*a[i], *b[j]), std::abs(to - from), from, to);
    }
  }
  std::sort(candidates.begin(), candidates.end());
  for (const auto& [unlikeness, distance, i, j] : candidates) {
    if (pairing.bOfA[static_cast<size_t>(i)] < 0 && pairing.aOfB[static_cast<size_t>(j)] < 0) {
      pairing.Pair(i, j);
    }
  }
}

Pairing PairObjects(const Records& a, const Records& b) {
  Pairing pairing(a.size(), b.size());
  PairEqual(a, b, pairing, Whole);
  // An object without points has too little to go by to be called the same under another name.
  PairEqual(a, b, pairing, [](const tDesc& object) {
    return PointCount(object) > 0 ? Payload(object) : Whole(object);
  });
  PairSameName(a, b, pairing);
  return pairing;
}

// The objects of A whose partners in B keep A's order: the longest increasing run of B's places,
// taken in A's order. Every other paired object has moved.
std::vector<bool> InOrder(const std::vector<int>& bOfA) {
  std::vector<int> tails, tailIndex, previous(bOfA.size(), -1);
  for (size_t i = 0; i < bOfA.size(); ++i) {
    if (bOfA[i] < 0) continue;
    const auto length =
        static_cast<size_t>(std::lower_bound(tails.begin(), tails.end(), bOfA[i]) - tails.begin());
    if (length > 0) previous[i] = tailIndex[length - 1];
    if (length == tails.size()) {
      tails.push_back(bOfA[i]);
      tailIndex.push_back(static_cast<int>(i));
    } else {
      tails[length] = bOfA[i];
      tailIndex[length] = static_cast<int>(i);
    }
  }
  std::vector<bool> kept(bOfA.size(), false);
  for (int i = tailIndex.empty() ? -1 : tailIndex.back(); i >= 0; i = previous[i]) kept[i] = true;
  return kept;
}

void CompareWord(std::vector<WordChange>& out, const char* word, uint32_t before, uint32_t after) {
  if (before != after) out.push_back({word, before, after});
}

std::vector<PointChange> ComparePoints(const tDesc& p, const tDesc& q) {
  std::vector<PointChange> changes;
  const int before = PointCount(p), after = PointCount(q);
  for (int k = 0; k < std::max(before, after); ++k) {
    if (k < before && k < after && SamePoint(p.Point(k + 1), q.Point(k + 1))) continue;
    const auto kind = k >= before  ? PointChange::Kind::Added
                      : k >= after ? PointChange::Kind::Removed
                                   : PointChange::Kind::Changed;
    changes.push_back({kind, k + 1, p.Point(k + 1), q.Point(k + 1)});
  }
  return changes;
}

ObjectChange ComparePair(const tDesc& p, const tDesc& q, int i, int j, bool moved) {
  ObjectChange change{i + 1, j + 1, moved, p.name != q.name, {}, ComparePoints(p, q)};
  CompareWord(change.words, "head word", p.headWord, q.headWord);
  CompareWord(change.words, "trailer word", p.trailerWord, q.trailerWord);
  return change;
}

ObjectChange OneSided(int before, int after) {
  ObjectChange change;
  change.before = before;
  change.after = after;
  return change;
}

bool Changed(const ObjectChange& change) {
  return change.moved || change.renamed || !change.words.empty() || !change.points.empty();
}

// Sorts the changes into B's order: (place in B, 0) for an object of B, and (place in B of the
// paired object before it in A, 1, place in A) for a removed one.
using Place = std::tuple<int, int, int>;

std::vector<ObjectChange> CompareObjects(const Records& a, const Records& b) {
  const Pairing pairing = PairObjects(a, b);
  const std::vector<bool> inOrder = InOrder(pairing.bOfA);
  std::vector<ObjectChange> found;
  // Each change's place and its index in `found`, which also keeps equal places in their order:
  // sorting these moves a few bytes each, not the changes.
  std::vector<std::pair<Place, size_t>> order;
  const auto add = [&](Place place, ObjectChange change) {
    order.emplace_back(place, found.size());
    found.push_back(std::move(change));
  };
  int anchor = -1;  // the place in B of the last paired object so far
  for (size_t i = 0; i < a.size(); ++i) {
    const int j = pairing.bOfA[i], at = static_cast<int>(i);
    if (j < 0) {
      add(Place{anchor, 1, at}, OneSided(at + 1, 0));
      continue;
    }
    anchor = j;
    ObjectChange change = ComparePair(*a[i], *b[static_cast<size_t>(j)], at, j, !inOrder[i]);
    if (Changed(change)) add(Place{j, 0, 0}, std::move(change));
  }
  for (size_t j = 0; j < b.size(); ++j) {
    const int at = static_cast<int>(j);
    if (pairing.aOfB[j] < 0) add(Place{at, 0, 0}, OneSided(0, at + 1));
  }
  std::sort(order.begin(), order.end());
  std::vector<ObjectChange> changes;
  changes.reserve(found.size());
  for (const auto& entry : order) changes.push_back(std::move(found[entry.second]));
  return changes;
}

}  // namespace

PathSetDiff DiffPathSets(const tHeader& a, const tHeader& b) {
  PathSetDiff diff;
  CompareWord(diff.header, "leading word", a.leadingWord, b.leadingWord);
  CompareWord(diff.header, "object count", a.objectCount, b.objectCount);
  CompareWord(diff.header, "last index", a.lastIndex, b.lastIndex);
  diff.objects = CompareObjects(a.records, b.records);
  return diff;
}

}  // namespace qarn
