#include <QHeaderView>
#include <QScreen>
#include <set>
#include <utility>

#include "grid_test_support.h"
#include "widgets/grid_draw_flags.h"

namespace qarn {
namespace {

// The point list of a large document: its text comes from the owner, the grid only has a count.
class GridCellTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = test::MakeGrid({64, 192}, 2, 16);
    grid->OnGetCellDrawText = [this](int col, int row) {
      ++asked;
      highestRow = std::max(highestRow, row);
      return QStringLiteral("%1:%2").arg(col).arg(row);
    };
  }
  std::unique_ptr<tKvStringGrid> grid;
  int asked = 0;
  int highestRow = 0;
};

TEST_F(GridCellTextTest, DisplayTextComesFromTheQuery) {
  grid->SetRowCount(1364);
  EXPECT_EQ(grid->model()->index(1362, 0).data().toString(), "1:1363");
  EXPECT_EQ(grid->model()->headerData(1362, Qt::Vertical).toString(), "0:1363");
  EXPECT_EQ(grid->GetCellDrawText(1, 7), "1:7");
}

TEST_F(GridCellTextTest, SettingTheRowCountAsksForNoText) {
  test::ShowGrid(*grid);
  QApplication::processEvents();
  asked = 0;
  grid->SetRowCount(1364);
  grid->SetRowCount(1363);
  grid->SetRowCount(1364);
  EXPECT_EQ(asked, 0);
}

TEST_F(GridCellTextTest, PaintingAsksOnlyForTheRowsInView) {
  grid->SetRowCount(1364);
  test::ShowGrid(*grid);
  highestRow = 0;
  grid->grab();
  EXPECT_GT(highestRow, 5);
  EXPECT_LT(highestRow, 120);  // 300 pixels hold about 18 rows of 16 pixels
}

TEST_F(GridCellTextTest, WithoutTheQueryTheStoredCellsShow) {
  grid->OnGetCellDrawText = nullptr;
  grid->SetCells(1, 1, "Boje");
  grid->SetCells(0, 1, "1");
  EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "Boje");
  EXPECT_EQ(grid->model()->headerData(0, Qt::Vertical).toString(), "1");
  EXPECT_EQ(grid->Cells(1, 1), "Boje");
  EXPECT_EQ(grid->Cells(9, 9), QString());  // outside the grid: empty, no crash
  EXPECT_EQ(grid->GetCellDrawText(-1, 1), QString());
}

TEST_F(GridCellTextTest, FlagsComeFromTheDefinitionUnlessTheQuerySaysOtherwise) {
  tKvStringGrid plain;
  plain.SetColCount(2);
  const int32_t right = kDtRight | kDtSingleLine | kDtVCenter;
  plain.AddColumn("Nr", QString(), QString(), 64, 0, right, true, false);
  EXPECT_EQ(plain.GetCellDrawFlags(0, 1), right);
  EXPECT_EQ(plain.GetCellDrawFlags(1, 1), 0);
  EXPECT_EQ(plain.model()->headerData(0, Qt::Vertical, Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignRight | Qt::AlignVCenter));
  plain.OnGetCellDrawFlags = [](int, int) { return kDtCenter; };
  EXPECT_EQ(plain.GetCellDrawFlags(0, 1), kDtCenter);
}

// After the owner's texts changed, the cells whose text differs are painted again, and only they:
// the screen then shows what a fresh paint shows.
TEST_F(GridCellTextTest, RepaintChangedTextsPaintsTheChangedCellsOnly) {
  QString changing = QStringLiteral("old");
  std::set<std::pair<int, int>> painted;
  grid->OnGetCellDrawText = [&](int col, int row) {
    painted.emplace(col, row);
    return col == 1 && row == 3 ? changing : QStringLiteral("%1:%2").arg(col).arg(row);
  };
  grid->SetRowCount(40);
  test::ShowGrid(*grid);
  grid->RepaintChangedTexts();  // the first call takes in every cell in view
  grid->SetRow(2);              // the headers, left unpainted by this, must still look right
  QApplication::processEvents();
  changing = QStringLiteral("new");
  grid->RepaintChangedTexts();
  painted.clear();
  QApplication::processEvents();
  EXPECT_EQ(painted, (std::set<std::pair<int, int>>{{1, 3}}));
  const QImage screen = grid->screen()->grabWindow(grid->winId()).toImage();
  EXPECT_EQ(screen.convertToFormat(QImage::Format_RGB32),
            grid->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(GridCellTextTest, CaptionRowShowsTheTitles) {
  EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "T1");
  EXPECT_EQ(asked, 0);  // the caption row never asks the owner for text
}

}  // namespace
}  // namespace qarn
