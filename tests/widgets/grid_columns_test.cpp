#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include "document/errors.h"
#include "grid_test_support.h"

namespace qarn {
namespace {

QStringList Titles(const tKvStringGrid& grid) {
  QStringList titles;
  for (const tColDefinition* definition : grid.Definitions()) titles << definition->Title;
  return titles;
}

TEST(GridColumns, AddColumnSetsTheWidthsOfTheListOfObjects) {
  tKvStringGrid names;
  names.SetColCount(2);
  names.SetRowCount(2);
  names.Loaded();
  names.AddColumn("Nummer", QString(), QString(), 64, 0, 0, true, false);
  names.AddColumn("Name", QString(), QString(), 192, 0, 0, true, false);
  EXPECT_EQ(names.AddedColumns(), 2);
  EXPECT_EQ(names.ColWidths(0), 64);
  EXPECT_EQ(names.ColWidths(1), 192);
  EXPECT_EQ(names.columnWidth(0), 192);            // column 1 on screen
  EXPECT_EQ(names.verticalHeader()->width(), 64);  // the fixed column
  EXPECT_EQ(Titles(names), (QStringList{"Nummer", "Name"}));
  EXPECT_EQ(names.model()->headerData(0, Qt::Horizontal).toString(), "Name");
}

TEST(GridColumns, HidingTheFixedColumnHidesTheRowHeader) {
  auto grid = test::MakeGrid({64, 64}, 3);
  test::ShowGrid(*grid);
  grid->SetColWidths(0, 0);
  EXPECT_TRUE(grid->verticalHeader()->isHidden());
  grid->SetColWidths(0, 40);
  EXPECT_FALSE(grid->verticalHeader()->isHidden());
  EXPECT_EQ(grid->verticalHeader()->width(), 40);
}

TEST(GridColumns, AddingBeyondTheColumnCountIsAListIndexError) {
  tKvStringGrid grid;
  grid.SetColCount(2);
  grid.AddColumn("A", QString(), QString(), 10, 1, 0, true, false);
  grid.AddColumn("B", QString(), QString(), 20, 2, 0, true, false);
  EXPECT_THROW(grid.AddColumn("C", QString(), QString(), 30, 3, 0, true, false), ListIndexError);
  EXPECT_EQ(grid.Definitions().size(), 2);
  EXPECT_EQ(grid.AddedColumns(), 2);
  EXPECT_THROW(grid.SetColWidths(2, 5), ListIndexError);
}

struct HeightCase {
  int cols;
  int rowHeight;
};

class GridRowHeightTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(GridRowHeightTest, EveryRowAndTheCaptionRowHaveTheDefaultHeight) {
  const int cols = GetParam().cols;
  auto grid = std::make_unique<tKvStringGrid>();
  grid->SetColCount(cols);
  grid->SetDefaultRowHeight(GetParam().rowHeight);
  grid->SetRowCount(300);
  for (int col = 0; col < cols; ++col) {
    grid->AddColumn("T", QString(), QString(), 64, col, 0, true, false);
  }
  test::ShowGrid(*grid);
  EXPECT_EQ(grid->horizontalHeader()->height(), GetParam().rowHeight);
  for (int row : {0, 1, 150, 298}) EXPECT_EQ(grid->rowHeight(row), GetParam().rowHeight);
  EXPECT_EQ(grid->verticalHeader()->width(), 64);
  EXPECT_EQ(grid->visualRect(grid->model()->index(1, 0)).top(), GetParam().rowHeight);
}

INSTANTIATE_TEST_SUITE_P(Lists, GridRowHeightTest,
                         ::testing::Values(HeightCase{2, 16}, HeightCase{5, 18}));

// Observes the visibility hook.
class CountingGrid : public tKvStringGrid {
 public:
  void ColumnVisibilityChanged() override { ++visibilityChanges; }
  int visibilityChanges = 0;
};

class GridHideMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.SetColCount(4);
    grid.SetAutoPopupHideCols(true);
    grid.Loaded();
    grid.AddColumn("Nr", "Nummer", QString(), 40, 10, 0, true, false);
    grid.AddColumn("X", "Spalte X", QString(), 70, 11, 0, true, true);
    grid.AddColumn("Y", "Spalte Y", QString(), 0, 12, 0, true, true);
  }
  QAction* Entry(const QString& name) { return grid.HideColumnsMenu()->findChild<QAction*>(name); }
  CountingGrid grid;
};

TEST_F(GridHideMenuTest, ListsTheMenuColumnsChecked) {
  ASSERT_NE(grid.HideColumnsMenu(), nullptr);
  EXPECT_EQ(grid.HideColumnsMenu()->objectName(), "HideColPopup");
  ASSERT_EQ(grid.HideColumnsMenu()->actions().size(), 2);
  QAction* x = Entry("Col_11");
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->text(), "Spalte X");
  EXPECT_TRUE(x->isCheckable());
  EXPECT_TRUE(x->isChecked());
  EXPECT_EQ(Entry("Col_10"), nullptr);
}

TEST_F(GridHideMenuTest, ChoosingAnEntryHidesAndRestoresItsColumn) {
  QAction* x = Entry("Col_11");
  x->trigger();
  EXPECT_FALSE(x->isChecked());
  EXPECT_EQ(grid.ColWidths(1), 0);
  EXPECT_TRUE(grid.isColumnHidden(0));
  EXPECT_FALSE(grid.Definitions()[1]->Shown);
  EXPECT_EQ(grid.Definitions()[1]->SavedWidth, 70);
  x->trigger();
  EXPECT_TRUE(x->isChecked());
  EXPECT_EQ(grid.ColWidths(1), 70);
  EXPECT_FALSE(grid.isColumnHidden(0));
  EXPECT_EQ(grid.visibilityChanges, 2);
}

TEST_F(GridHideMenuTest, AColumnWithoutWidthComesBackAtTheDefaultWidth) {
  QAction* y = Entry("Col_12");
  y->trigger();
  y->trigger();
  EXPECT_EQ(grid.ColWidths(2), 64);
}

TEST_F(GridHideMenuTest, TheContextMenuShowsThePopup) {
  test::ShowGrid(grid);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), grid.mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(grid.viewport(), &event);
  EXPECT_TRUE(grid.HideColumnsMenu()->isVisible());
  grid.HideColumnsMenu()->hide();
}

TEST(GridHideMenu, NoMenuUnlessAskedForBeforeTheLoadStep) {
  tKvStringGrid grid;
  grid.Loaded();
  grid.SetAutoPopupHideCols(true);
  EXPECT_EQ(grid.HideColumnsMenu(), nullptr);
  grid.AddColumn("A", "A", QString(), 10, 1, 0, false, true);  // no entry: the column stays shown
  EXPECT_EQ(grid.ColWidths(0), 10);
}

// Saved settings go to a temporary location, never to the user's own.
class GridRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QCoreApplication::setOrganizationName("QarnGridTest");
    QCoreApplication::setApplicationName("grid_tests");
  }
  void TearDown() override { QCoreApplication::setOrganizationName(QString()); }

  std::unique_ptr<tKvStringGrid> MakeSavingGrid() {
    auto grid = std::make_unique<tKvStringGrid>();
    grid->SetColCount(4);
    grid->SetRegistryKey(key);
    grid->SetAutoPopupHideCols(true);
    grid->Loaded();
    grid->AddColumn("Nr", "Nr", QString(), 40, 3, 0, true, true);
    grid->AddColumn("X", "X", QString(), 50, 4, 0, true, true);
    grid->AddColumn("Y", "Y", QString(), 60, 4, 0, true, false);  // shares the value of column 1
    return grid;
  }
  QVariant Saved(const QString& name) { return QSettings().value("Software/Qarn/Liste/" + name); }

  QTemporaryDir dir;
  const QString key = QStringLiteral("Software\\Qarn\\Liste");
};

TEST_F(GridRegistryTest, DestroyingTheGridSavesEachColumnAndAddColumnReadsItBack) {
  auto grid = MakeSavingGrid();
  grid->HideColumnsMenu()->findChild<QAction*>("Col_4")->trigger();
  grid.reset();
  EXPECT_EQ(Saved("3.Sichtbar").toInt(), 1);
  EXPECT_EQ(Saved("4.Sichtbar").toInt(), 1);  // the last definition with id 4 was shown
  QSettings().setValue("Software/Qarn/Liste/4.Sichtbar", 0);
  auto again = MakeSavingGrid();
  EXPECT_EQ(again->ColWidths(1), 0);
  EXPECT_FALSE(again->HideColumnsMenu()->findChild<QAction*>("Col_4")->isChecked());
  EXPECT_EQ(again->ColWidths(2), 60);  // no menu entry, so it stays shown
  EXPECT_EQ(again->ColWidths(0), 40);
}

TEST_F(GridRegistryTest, ValuesThatAreNoNumberFallBack) {
  QSettings().setValue("Software/Qarn/Liste/3.Sichtbar", "ja");
  auto grid = MakeSavingGrid();
  EXPECT_EQ(grid->ColWidths(0), 40);
}

TEST_F(GridRegistryTest, WithoutAKeyNothingIsWritten) {
  {
    tKvStringGrid grid;
    grid.AddColumn("A", "A", QString(), 10, 1, 0, true, false);
  }
  EXPECT_TRUE(QSettings().allKeys().isEmpty());
}

struct MoveCase {
  int from;
  int to;
};

class GridColumnMoveTest : public ::testing::TestWithParam<MoveCase> {};

// The user drags a header section; cells, widths and definitions must all follow.
TEST_P(GridColumnMoveTest, DefinitionsStayInStepWithTheColumns) {
  auto grid = test::MakeGrid({30, 41, 52, 63, 74}, 3);
  grid->SetColumnsMovable(true);
  for (int col = 0; col < 5; ++col) grid->SetCells(col, 1, QString::number(col));
  grid->SetCol(GetParam().from);
  const int from = GetParam().from;
  const int to = GetParam().to;
  grid->horizontalHeader()->moveSection(from - 1, to - 1);
  for (int col = 0; col < 5; ++col) {
    const int id = grid->Definitions()[col]->ColumnId;
    EXPECT_EQ(grid->Cells(col, 1), QString::number(id)) << "column " << col;
    EXPECT_EQ(grid->ColWidths(col), 30 + 11 * id) << "column " << col;
    if (col > 0) {
      EXPECT_EQ(grid->columnWidth(col - 1), 30 + 11 * id);
    }
  }
  EXPECT_EQ(grid->Definitions()[to]->ColumnId, from);
  EXPECT_EQ(grid->horizontalHeader()->visualIndex(to - 1), to - 1);
  EXPECT_EQ(grid->Col(), to);  // the current cell went along with its column
}

TEST(GridColumnMove, DraggingAHeaderSectionMovesTheColumn) {
  auto grid = test::MakeGrid({64, 64, 64, 64, 64}, 3);
  grid->SetColumnsMovable(true);
  for (int col = 0; col < 5; ++col) grid->SetCells(col, 1, grid->Definitions()[col]->Title);
  test::ShowGrid(*grid);
  QHeaderView* header = grid->horizontalHeader();
  const int y = header->height() / 2;
  QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(32, y));
  QTest::mouseMove(header->viewport(), QPoint(140, y));
  QTest::mouseMove(header->viewport(), QPoint(230, y));
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(230, y));
  EXPECT_NE(grid->Definitions()[1]->Title, "T1");
  for (int col = 1; col < 5; ++col) {
    const QString title = grid->Definitions()[col]->Title;
    EXPECT_EQ(grid->model()->headerData(col - 1, Qt::Horizontal).toString(), title);
    EXPECT_EQ(grid->Cells(col, 1), title);
    EXPECT_EQ(header->logicalIndex(col - 1), col - 1);
  }
}

TEST(GridColumnMove, TheFixedColumnDoesNotMove) {
  auto grid = test::MakeGrid({64, 64, 64}, 3);
  EXPECT_THROW(grid->MoveColumn(0, 2), ListIndexError);
  EXPECT_EQ(grid->Definitions()[0]->Title, "T0");
}

INSTANTIATE_TEST_SUITE_P(Distances, GridColumnMoveTest,
                         ::testing::Values(MoveCase{1, 2}, MoveCase{2, 1}, MoveCase{1, 4},
                                           MoveCase{4, 1}));

}  // namespace
}  // namespace qarn
