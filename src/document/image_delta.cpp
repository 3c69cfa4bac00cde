#include "document/image_delta.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "document/errors.h"

// The code of a delta, its numbers as LEB128 varints:
//   size before, size after, gap offset, the gap's bytes (as many as the sizes differ),
//   length of the run list, the run list, the XOR of the changed words.
// The runs count words of the lined-up images (the shorter one without a gap, the longer one with
// it taken out). A run entry is one byte 0sss llll (skip s words, then l + 1 changed words), or
// 1ccccccc followed by skip and length, repeated c times (c = 0: the count follows first).
namespace qarn {

namespace {

constexpr size_t kWord = 4;
constexpr size_t kMaxShortSkip = 7;
constexpr size_t kMaxShortLength = 16;
// Up to this many short entries in a row cost no more than one entry with a count.
constexpr size_t kMaxShortRepeat = 3;

using Bytes = std::vector<uint8_t>;

void PutNumber(Bytes& out, size_t value) {
  for (; value >= 0x80; value >>= 7) out.push_back(static_cast<uint8_t>(value | 0x80));
  out.push_back(static_cast<uint8_t>(value));
}

size_t GetNumber(const uint8_t*& in) {
  size_t value = 0;
  for (int shift = 0;; shift += 7) {
    const uint8_t byte = *in++;
    value |= static_cast<size_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return value;
  }
}

// The two images lined up: byte v of the shorter one stands against byte v of the longer one
// before the gap and byte v + gapBytes after it.
struct Lineup {
  std::span<const uint8_t> shorter;
  std::span<const uint8_t> longer;
  size_t gap = 0;

  size_t GapBytes() const { return longer.size() - shorter.size(); }
  size_t Words() const { return (shorter.size() + kWord - 1) / kWord; }
  // The bytes of word `word`, in the shorter image.
  size_t WordEnd(size_t word) const { return std::min(shorter.size(), (word + 1) * kWord); }
  uint8_t Xor(size_t v) const { return shorter[v] ^ longer[v < gap ? v : v + GapBytes()]; }
  // The first word from `word` on that differs; Words() when none does.
  size_t NextDiffering(size_t word) const;

 private:
  // Whether bytes [from, to) of both images are equal; false also when they straddle the gap.
  bool Equal(size_t from, size_t to) const;
};

bool Lineup::Equal(size_t from, size_t to) const {
  if (to > shorter.size() || (from < gap && to > gap)) return false;
  return std::memcmp(&shorter[from], &longer[from < gap ? from : from + GapBytes()], to - from) ==
         0;
}

size_t Lineup::NextDiffering(size_t word) const {
  // Blocks of 64 bytes at once: most of an image is equal.
  constexpr size_t kBlockWords = 16;
  for (; word < Words(); word += kBlockWords) {
    if (Equal(word * kWord, (word + kBlockWords) * kWord)) continue;
    for (size_t w = word; w < std::min(Words(), word + kBlockWords); ++w) {
      if (Equal(w * kWord, (w + 1) * kWord)) continue;
      for (size_t v = w * kWord; v < WordEnd(w); ++v) {
        if (Xor(v) != 0) return w;
      }
    }
  }
  return Words();
}

// Words of `shorter` from word `word` on that differ from `longer` shifted by `shift` bytes.
bool DiffersShifted(std::span<const uint8_t> shorter, std::span<const uint8_t> longer, size_t word,
                    size_t shift) {
  const size_t end = std::min(shorter.size(), (word + 1) * kWord);
  return !std::equal(shorter.begin() + word * kWord, shorter.begin() + end,
                     longer.begin() + word * kWord + shift);
}

// Puts the gap on the word boundary that leaves the fewest words differing: where the command
// inserted or removed its bytes. Linear: the words differing after each boundary are counted
// from the end first.
size_t BestGap(std::span<const uint8_t> shorter, std::span<const uint8_t> longer) {
  const size_t shift = longer.size() - shorter.size();
  const size_t words = (shorter.size() + kWord - 1) / kWord;
  if (shift == 0) return shorter.size();
  std::vector<uint32_t> after(words + 1, 0);
  for (size_t w = words; w-- > 0;)
    after[w] = after[w + 1] + DiffersShifted(shorter, longer, w, shift);
  size_t best = 0;
  uint32_t before = 0, fewest = after[0];
  for (size_t w = 1; w <= words; ++w) {
    before += DiffersShifted(shorter, longer, w - 1, 0);
    if (before + after[w] < fewest) {
      fewest = before + after[w];
      best = w;
    }
  }
  return std::min(best * kWord, shorter.size());
}

struct Run {
  size_t skip = 0;    // unchanged words since the end of the run before
  size_t length = 0;  // changed words
  size_t count = 1;   // the same skip and length, one after the other

  bool SameShape(const Run& other) const { return skip == other.skip && length == other.length; }
};

// The runs of changed words, equal shapes one after the other joined, and their XOR bytes.
std::vector<Run> ChangedRuns(const Lineup& lineup, Bytes& xors) {
  std::vector<Run> runs;
  size_t end = 0;  // of the run before
  for (size_t w = lineup.NextDiffering(0); w < lineup.Words(); w = lineup.NextDiffering(w + 1)) {
    for (size_t v = w * kWord; v < lineup.WordEnd(w); ++v) xors.push_back(lineup.Xor(v));
    if (w == end && !runs.empty()) {
      ++runs.back().length;
    } else {
      runs.push_back(Run{w - end, 1});
    }
    end = w + 1;
  }
  std::vector<Run> joined;
  for (const Run& run : runs) {
    if (!joined.empty() && joined.back().SameShape(run)) {
      ++joined.back().count;
    } else {
      joined.push_back(run);
    }
  }
  return joined;
}

void PutRun(Bytes& out, const Run& run) {
  if (run.skip <= kMaxShortSkip && run.length <= kMaxShortLength && run.count <= kMaxShortRepeat) {
    const auto entry = static_cast<uint8_t>(run.skip << 4 | (run.length - 1));
    out.insert(out.end(), run.count, entry);
    return;
  }
  out.push_back(static_cast<uint8_t>(0x80 | (run.count < 0x80 ? run.count : 0)));
  if (run.count >= 0x80) PutNumber(out, run.count);
  PutNumber(out, run.skip);
  PutNumber(out, run.length);
}

Run GetRun(const uint8_t*& in) {
  const uint8_t entry = *in++;
  if (entry < 0x80) return Run{size_t{entry} >> 4, (entry & 0x0Fu) + 1u, 1};
  Run run;
  run.count = entry & 0x7Fu;
  if (run.count == 0) run.count = GetNumber(in);
  run.skip = GetNumber(in);
  run.length = GetNumber(in);
  return run;
}

Bytes Encode(const Lineup& lineup, size_t sizeBefore, size_t sizeAfter) {
  Bytes xors, runs;
  for (const Run& run : ChangedRuns(lineup, xors)) PutRun(runs, run);
  Bytes code;
  if (xors.empty() && sizeBefore == sizeAfter) return code;
  PutNumber(code, sizeBefore);
  PutNumber(code, sizeAfter);
  PutNumber(code, lineup.gap);
  code.insert(code.end(), lineup.longer.begin() + static_cast<std::ptrdiff_t>(lineup.gap),
              lineup.longer.begin() + static_cast<std::ptrdiff_t>(lineup.gap + lineup.GapBytes()));
  PutNumber(code, runs.size());
  code.insert(code.end(), runs.begin(), runs.end());
  code.insert(code.end(), xors.begin(), xors.end());
  return code;
}

// XORs the changed words into an image lined up without its gap.
void XorRuns(uint8_t* image, size_t size, const uint8_t* runs, const uint8_t* runsEnd) {
  const uint8_t* xors = runsEnd;
  size_t word = 0;
  while (runs < runsEnd) {
    const Run run = GetRun(runs);
    for (size_t k = 0; k < run.count; ++k) {
      word += run.skip;
      const size_t from = word * kWord, to = std::min(size, (word + run.length) * kWord);
      for (size_t v = from; v < to; ++v) image[v] ^= *xors++;
      word += run.length;
    }
  }
}

}  // namespace

ImageDelta::ImageDelta(std::span<const uint8_t> before, std::span<const uint8_t> after) {
  Lineup lineup{before, after};
  if (before.size() > after.size()) std::swap(lineup.shorter, lineup.longer);
  lineup.gap = BestGap(lineup.shorter, lineup.longer);
  code_ = Encode(lineup, before.size(), after.size());
  code_.shrink_to_fit();
}

void ImageDelta::Apply(std::vector<uint8_t>& image, bool toBefore) const {
  if (code_.empty()) return;
  const uint8_t* in = code_.data();
  const size_t sizeBefore = GetNumber(in), sizeAfter = GetNumber(in), gap = GetNumber(in);
  const size_t from = toBefore ? sizeAfter : sizeBefore, to = toBefore ? sizeBefore : sizeAfter;
  if (image.size() != from) {
    throw RangeCheckError("an undo step is for a document of " + std::to_string(from) +
                          " bytes, not of " + std::to_string(image.size()) + ".");
  }
  const size_t gapBytes = std::max(from, to) - std::min(from, to);
  // Reserved first so that inserting the gap cannot fail once the words are turned.
  image.reserve(to);
  const auto at = image.begin() + static_cast<std::ptrdiff_t>(gap);
  if (from > to) image.erase(at, at + static_cast<std::ptrdiff_t>(gapBytes));
  const uint8_t* gapBegin = in;
  in += gapBytes;
  const size_t runBytes = GetNumber(in);
  XorRuns(image.data(), std::min(from, to), in, in + runBytes);
  if (from < to) {
    image.insert(image.begin() + static_cast<std::ptrdiff_t>(gap), gapBegin, gapBegin + gapBytes);
  }
}

void ImageDelta::Undo(std::vector<uint8_t>& image) const {
  Apply(image, true);
}

void ImageDelta::Redo(std::vector<uint8_t>& image) const {
  Apply(image, false);
}

}  // namespace qarn
