#include "widgets/grid_navigation.h"

#include <gtest/gtest.h>

#include <Qt>
#include <set>

#include "widgets/grid_draw_flags.h"

namespace qarn {
namespace {

// Accepts every cell except those in the refused columns and rows.
tCellAcceptor Refusing(std::set<int> cols, std::set<int> rows = {}) {
  return [cols, rows](int col, int row) { return !cols.count(col) && !rows.count(row); };
}

struct VerticalCase {
  int rowCount;
  int fromRow;
  int step;
  std::set<int> refusedRows;
  int expectedRow;
};

class WrapVerticalTest : public ::testing::TestWithParam<VerticalCase> {};

TEST_P(WrapVerticalTest, LandsOnTheExpectedRow) {
  const VerticalCase& c = GetParam();
  const tGridShape shape{1, 1, 2, c.rowCount};
  const tGridCell to = WrapVertical({1, c.fromRow}, c.step, shape, Refusing({}, c.refusedRows));
  EXPECT_EQ(to, (tGridCell{1, c.expectedRow}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WrapVerticalTest,
    ::testing::Values(VerticalCase{5, 1, -1, {}, 4},     // up from the first data row wraps
                      VerticalCase{5, 4, +1, {}, 1},     // down from the last wraps to row 1
                      VerticalCase{5, 2, +1, {}, 3},     // an ordinary step
                      VerticalCase{2, 1, -1, {}, 1},     // one data row: nothing moves
                      VerticalCase{2, 1, +1, {}, 1},     //
                      VerticalCase{6, 2, +1, {3}, 4},    // a refused row is skipped
                      VerticalCase{6, 2, -1, {1}, 5},    // skipping across the wrap
                      VerticalCase{4, 2, +1, {1, 3}, 2}  // nothing else accepted: stays
                      ));

TEST(WrapVertical, StaysWhenTheColumnIsRefused) {
  const tGridShape shape{1, 1, 3, 5};
  EXPECT_EQ(WrapVertical({2, 2}, +1, shape, Refusing({2})), (tGridCell{2, 2}));
}

struct TabCase {
  int colCount;
  tGridCell from;
  bool backwards;
  std::set<int> refusedCols;
  tGridCell expected;
};

class WrapTabTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(WrapTabTest, LandsOnTheExpectedCell) {
  const TabCase& c = GetParam();
  const tGridShape shape{1, 1, c.colCount, 3};
  EXPECT_EQ(WrapTab(c.from, c.backwards, shape, Refusing(c.refusedCols)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, WrapTabTest,
    ::testing::Values(TabCase{5, {1, 1}, false, {}, {2, 1}},         // next column
                      TabCase{5, {4, 1}, false, {}, {1, 2}},         // into the next row
                      TabCase{5, {4, 2}, false, {}, {1, 1}},         // last cell to the first
                      TabCase{5, {1, 1}, true, {}, {4, 2}},          // back from the first cell
                      TabCase{5, {1, 1}, false, {2}, {3, 1}},        // a hidden column is skipped
                      TabCase{5, {3, 1}, true, {1, 2}, {4, 2}},      // backwards over hidden ones
                      TabCase{5, {1, 1}, false, {2, 3, 4}, {1, 2}},  // only one shown column
                      TabCase{2, {1, 2}, false, {}, {1, 1}}          // one data column
                      ));

TEST(WrapTab, StaysWithoutDataCells) {
  EXPECT_EQ(WrapTab({1, 1}, false, tGridShape{1, 1, 1, 3}, Refusing({})), (tGridCell{1, 1}));
  EXPECT_EQ(WrapVertical({1, 1}, 1, tGridShape{1, 1, 3, 1}, Refusing({})), (tGridCell{1, 1}));
}

struct FlagsCase {
  int32_t drawFlags;
  int expected;
};

class QtTextFlagsTest : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(QtTextFlagsTest, MatchesDrawText) {
  EXPECT_EQ(QtTextFlags(GetParam().drawFlags), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bits, QtTextFlagsTest,
    ::testing::Values(
        FlagsCase{0, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic},
        FlagsCase{kDtSingleLine | kDtCenter | kDtBottom,
                  Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextShowMnemonic},
        // Without a single line, DrawText ignores the vertical placement.
        FlagsCase{kDtRight | kDtVCenter, Qt::AlignRight | Qt::AlignTop | Qt::TextShowMnemonic},
        FlagsCase{kDtWordBreak | kDtNoPrefix, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap}));

}  // namespace
}  // namespace qarn
