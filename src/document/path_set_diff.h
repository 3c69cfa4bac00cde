#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/path_set_records.h"

// What changed from one path set (A) to another (B), object by object. Objects carry no identity
// in the file, so they are paired by what they hold: identical objects first, then objects with
// the same points and words under another name (renamed), then objects of the same name whose
// points or words changed, the most alike first. What stays unpaired was removed or added.
namespace qarn {

// A word that differs: of the header ("leading word", "object count", "last index") or of an
// object ("head word", "trailer word").
struct WordChange {
  std::string word;
  uint32_t before = 0;
  uint32_t after = 0;
};

// Point `number` (from 1) of a paired object: only in A (removed), only in B (added), or in both
// with other bytes (changed).
struct PointChange {
  enum class Kind { Added, Removed, Changed };
  Kind kind = Kind::Changed;
  int number = 0;
  tPoint before;  // meaningful unless added
  tPoint after;   // meaningful unless removed
};

// An object that is not the same in both: removed (no number in B), added (no number in A), or
// paired and changed in one or more ways.
struct ObjectChange {
  int before = 0;        // its number in A (from 1), 0 when added
  int after = 0;         // its number in B (from 1), 0 when removed
  bool moved = false;    // its order among the other paired objects changed
  bool renamed = false;  // its 32 name bytes differ
  std::vector<WordChange> words;
  std::vector<PointChange> points;

  bool Added() const { return before == 0; }
  bool Removed() const { return after == 0; }
};

struct PathSetDiff {
  std::vector<WordChange> header;
  // In B's order; a removed object stands after the object that preceded it in A.
  std::vector<ObjectChange> objects;

  bool Equal() const { return header.empty() && objects.empty(); }
};

PathSetDiff DiffPathSets(const tHeader& a, const tHeader& b);

}  // namespace qarn
