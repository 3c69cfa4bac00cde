#include <QSignalSpy>

#include "document/errors.h"
#include "grid_test_support.h"

namespace qarn {
namespace {

using test::ClickCounter;
using test::MakeGrid;

class GridCurrentCellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = MakeGrid({64, 64, 64, 64, 64}, 5);
    test::ShowGrid(*grid);
  }
  std::unique_ptr<tKvStringGrid> grid;
};

TEST_F(GridCurrentCellTest, LoadStepMakesTheFirstDataCellCurrent) {
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridCurrentCellTest, LoadStepMovesBackToTheFirstCellWithClicks) {
  grid->SetCol(3);
  grid->SetRow(4);
  ClickCounter clicks(*grid);
  int definedAtRow = -1;
  grid->OnDefineCols = [&](tKvStringGrid* g) { definedAtRow = g->Row(); };
  grid->Loaded();
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(clicks.events, 2);  // one for the column, one for the row
  EXPECT_EQ(definedAtRow, 1);
}

TEST_F(GridCurrentCellTest, SettingTheSameRowDoesNotClick) {
  grid->SetRow(2);
  ClickCounter clicks(*grid);
  grid->SetRow(2);
  EXPECT_EQ(clicks.events, 0);
  grid->SetRow(3);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(clicks.events, 1);
  EXPECT_EQ(clicks.emitted, 1);
}

TEST_F(GridCurrentCellTest, RowOutsideTheDataRowsIsAListIndexError) {
  grid->SetRow(2);
  ClickCounter clicks(*grid);
  EXPECT_THROW(grid->SetRow(5), ListIndexError);
  EXPECT_THROW(grid->SetRow(0), ListIndexError);
  EXPECT_THROW(grid->SetCol(5), ListIndexError);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(clicks.events, 0);
}

TEST_F(GridCurrentCellTest, MouseClickMovesAndClicks) {
  ClickCounter clicks(*grid);
  test::ClickCell(*grid, 2, 3);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(clicks.events, 1);
  // A press on the current cell is still a click for the owner, though nothing moves.
  test::ClickCell(*grid, 2, 3);
  EXPECT_EQ(clicks.events, 2);
}

TEST_F(GridCurrentCellTest, RowCountKeepsTheRowWithoutAClick) {
  grid->SetRow(4);
  ClickCounter clicks(*grid);
  grid->SetRowCount(1364);
  EXPECT_EQ(grid->RowCount(), 1364);
  EXPECT_EQ(grid->model()->rowCount(), 1363);
  EXPECT_EQ(grid->Row(), 4);
  grid->SetRowCount(1364);
  EXPECT_EQ(clicks.events, 0);
}

TEST_F(GridCurrentCellTest, ShorterRowCountClampsWithOneClick) {
  grid->SetRow(4);
  ClickCounter clicks(*grid);
  int rowSeen = -1;
  int countSeen = -1;
  grid->OnClick = [&](tKvStringGrid* g) {
    ++clicks.events;
    rowSeen = g->Row();
    countSeen = g->RowCount();
  };
  grid->SetRowCount(3);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(clicks.events, 1);
  EXPECT_EQ(rowSeen, 2);
  EXPECT_EQ(countSeen, 3);  // the owner hears of it once the grid has its new size
}

TEST_F(GridCurrentCellTest, EmptyAndRefilledGridNeedNoClick) {
  grid->SetRow(3);
  ClickCounter clicks(*grid);
  grid->SetRowCount(1);
  EXPECT_EQ(grid->Row(), 0);
  grid->SetRowCount(4);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(clicks.events, 0);
}

struct KeyCase {
  int startRow;
  Qt::Key key;
  int expectedRow;
};

class GridKeyTest : public GridCurrentCellTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(GridKeyTest, UpAndDownWrapAroundTheDataRows) {
  grid->SetRow(GetParam().startRow);
  ClickCounter clicks(*grid);
  QTest::keyClick(grid.get(), GetParam().key);
  EXPECT_EQ(grid->Row(), GetParam().expectedRow);
  EXPECT_EQ(clicks.events, 1);
  EXPECT_EQ(clicks.emitted, 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, GridKeyTest,
                         ::testing::Values(KeyCase{1, Qt::Key_Up, 4}, KeyCase{4, Qt::Key_Down, 1},
                                           KeyCase{2, Qt::Key_Down, 3}, KeyCase{3, Qt::Key_Up, 2}));

TEST_F(GridCurrentCellTest, OneDataRowMovesNothing) {
  grid->SetRowCount(2);
  ClickCounter clicks(*grid);
  for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down}) QTest::keyClick(grid.get(), key);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(clicks.events, 0);
}

class GridHiddenColumnTest : public GridCurrentCellTest {
 protected:
  void SetUp() override {
    GridCurrentCellTest::SetUp();
    grid->setTabKeyNavigation(true);
    grid->SetColWidths(2, 0);
  }
};

TEST_F(GridHiddenColumnTest, TabSkipsTheHiddenColumn) {
  std::vector<int> cols;
  for (int i = 0; i < 8; ++i) {
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    cols.push_back(grid->Col());
  }
  EXPECT_EQ(cols, (std::vector<int>{3, 4, 1, 3, 4, 1, 3, 4}));
  EXPECT_EQ(grid->Row(), 3);
  QTest::keyClick(grid.get(), Qt::Key_Backtab);
  EXPECT_EQ(grid->Col(), 3);
  QTest::keyClick(grid.get(), Qt::Key_Backtab);
  EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GridHiddenColumnTest, NeitherMouseNorCodeMakesItCurrent) {
  EXPECT_TRUE(grid->isColumnHidden(1));
  EXPECT_FALSE(grid->CanSelectCell(2, 1));
  grid->SetCol(2);
  EXPECT_EQ(grid->Col(), 1);
  // Where column 2 would be, column 3 now lies.
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(64 + 10, 5));
  EXPECT_EQ(grid->Col(), 3);
}

TEST_F(GridHiddenColumnTest, HidingTheCurrentColumnMovesTheCellOn) {
  grid->SetCol(3);
  grid->SetColWidths(3, 0);
  EXPECT_EQ(grid->Col(), 4);
  QTest::keyClick(grid.get(), Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 2);  // navigation still works from the new column
}

TEST_F(GridHiddenColumnTest, LoadStepDoesNotPickAHiddenColumn) {
  grid->SetColWidths(1, 0);
  grid->Loaded();
  EXPECT_EQ(grid->Col(), 3);
}

}  // namespace
}  // namespace qarn
