// The undo history on its own: byte-exact steps, the bounds in steps and bytes, the clean state
// and the joining of steps.
#include "editing/undo_history.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <algorithm>
#include <memory>

namespace qarn {
namespace {

using Bytes = std::vector<uint8_t>;

// State n of a made-up document: 12 header bytes, then 8 blocks of 1 KiB; block b reads the
// latest m <= n with m % 8 == b, so each step from n - 1 to n changes one block and byte 4.
Bytes Image(int n) {
  Bytes bytes(12 + 8 * 1024, 0);
  bytes[4] = static_cast<uint8_t>(n);
  for (int m = std::max(1, n - 7); m <= n; ++m) {
    std::fill_n(bytes.begin() + 12 + 1024 * (m % 8), 1024, static_cast<uint8_t>(m));
  }
  return bytes;
}

DocumentState State(int n) {
  return {Image(n), Selection::Single(n)};
}

class UndoHistoryTest : public ::testing::Test {
 protected:
  // A history through states 0..last, a step each.
  std::unique_ptr<UndoHistory> Through(int last, int stepLimit = 5000,
                                       size_t byteLimit = UndoHistory::kDefaultByteLimit) {
    auto history = std::make_unique<UndoHistory>(
        [this](const DocumentState& state) { shown = state; }, stepLimit, byteLimit);
    for (int n = 1; n <= last; ++n) history->push(QStringLiteral("step"), State(n - 1), State(n));
    return history;
  }
  // Undoes every step; the state it arrives at.
  int UndoAll(UndoHistory& history) {
    while (history.canUndo()) history.undo();
    return shown.selection.current;
  }
  void ExpectShown(int n) {
    EXPECT_EQ(shown.bytes, Image(n)) << "state " << n;
    EXPECT_EQ(shown.selection.current, n);
  }

  DocumentState shown;
};

TEST_F(UndoHistoryTest, UndoAndRedoRestoreEveryStateByteForByteWithItsRow) {
  auto history = Through(20);
  for (int n = 19; n >= 0; --n) {
    history->undo();
    ExpectShown(n);
  }
  for (int n = 1; n <= 20; ++n) {
    history->redo();
    ExpectShown(n);
  }
}

// Oldest steps go first; what stays still undoes byte for byte, to the oldest state kept.
TEST_F(UndoHistoryTest, StaysWithinItsBoundsDroppingTheOldestStepsFirst) {
  const size_t byteLimit = 48 * 1024;
  auto history = std::make_unique<UndoHistory>(
      [this](const DocumentState& state) { shown = state; }, 5000, byteLimit);
  for (int n = 1; n <= 60; ++n) {
    history->push(QStringLiteral("step"), State(n - 1), State(n));
    ASSERT_LE(history->bytes(), byteLimit) << "after step " << n;
  }
  const int kept = history->count();
  EXPECT_GT(kept, 5);
  EXPECT_LT(kept, 60);
  EXPECT_EQ(UndoAll(*history), 60 - kept);
  ExpectShown(60 - kept);

  EXPECT_EQ(UndoAll(*Through(9, 4)), 5) << "four steps at most";
}

TEST_F(UndoHistoryTest, TheCleanStateStaysRightWhenOldStepsAreDropped) {
  auto history = Through(1, 3);
  history->setClean();  // saved at state 1
  history->push(QStringLiteral("step"), State(1), State(2));
  history->push(QStringLiteral("step"), State(2), State(3));
  history->push(QStringLiteral("step"), State(3), State(4));  // drops 0 -> 1
  EXPECT_FALSE(history->isClean());
  EXPECT_EQ(UndoAll(*history), 1);
  EXPECT_TRUE(history->isClean()) << "the saved state is still the oldest one kept";
  while (history->canRedo()) history->redo();
  history->push(QStringLiteral("step"), State(4), State(5));  // drops 1 -> 2
  EXPECT_EQ(UndoAll(*history), 2);
  EXPECT_FALSE(history->isClean()) << "the saved state cannot be reached any more";
}

TEST_F(UndoHistoryTest, StepsWithOneMergeKeyJoinUnlessSavedBetween) {
  auto history = Through(1);
  const int key = 7;
  history->push(QStringLiteral("type"), State(1), State(2), key);
  history->push(QStringLiteral("type"), State(2), State(3), key);
  EXPECT_EQ(history->count(), 2);
  history->undo();
  ExpectShown(1);
  history->redo();
  ExpectShown(3);
  history->push(QStringLiteral("step"), State(3), State(4));
  history->undo();
  const QSignalSpy changes(history.get(), &UndoHistory::indexChanged);
  history->push(QStringLiteral("type"), State(3), State(5), key);
  EXPECT_FALSE(history->canRedo());
  EXPECT_EQ(changes.count(), 1) << "the Redo button hears that its step is gone";
  history->undo();
  ExpectShown(1);
  history->redo();
  ExpectShown(5);
  history->setClean();
  history->push(QStringLiteral("type"), State(5), State(6), key);
  EXPECT_EQ(history->count(), 3) << "a save ends the joining";
  history->push(QStringLiteral("type"), {Image(6), Selection::Single(6)},
                {Image(5), Selection::Single(9)}, key);
  EXPECT_EQ(history->count(), 2) << "joined back to where it began: no step";
}

TEST_F(UndoHistoryTest, AChangeOutsideTheHistoryEndsTheOldStepsAndCountsAsModified) {
  auto history = Through(3);
  history->setClean();
  history->push(QStringLiteral("step"), State(7), State(8));
  EXPECT_EQ(history->count(), 1);
  EXPECT_FALSE(history->isClean());
  EXPECT_EQ(UndoAll(*history), 7);
  ExpectShown(7);
  EXPECT_FALSE(history->isClean());
}

}  // namespace
}  // namespace qarn
