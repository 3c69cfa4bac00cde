// What makes a list readable and predictable: typed letters select nothing, a wide column scrolls
// sideways to its end, and the corner caption is drawn like the other captions.
#include <QAbstractButton>
#include <QScrollBar>

#include "grid_test_support.h"

namespace qarn {
namespace {

class GridReadabilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = test::MakeGrid({64, 120}, 6);
    grid->resize(206, 243);
    grid->OnGetCellDrawText = [this](int col, int row) {
      return col == 1 && row < static_cast<int>(texts.size()) ? texts[row] : QString();
    };
  }
  std::unique_ptr<tKvStringGrid> grid;
  std::vector<QString> texts = {"", "alpha", "bravo", "sierra", "sierra2", "x"};
};

TEST_F(GridReadabilityTest, TypedLettersSelectNothing) {
  test::FocusGrid(*grid);
  grid->SetRow(2);
  test::ClickCounter clicks(*grid);
  for (const char* typed : {"s", "si", "x", "A", "b"}) {
    QTest::keyClicks(grid.get(), QString::fromLatin1(typed));
    EXPECT_EQ(grid->Row(), 2) << typed;
  }
  EXPECT_EQ(clicks.events, 0);
  QTest::keyClick(grid.get(), Qt::Key_Down);  // the arrow keys still move
  EXPECT_EQ(grid->Row(), 3);
}

TEST_F(GridReadabilityTest, AColumnWiderThanTheViewScrollsSidewaysToItsEnd) {
  test::ShowGrid(*grid);
  grid->SetColWidths(1, 400);
  QScrollBar* bar = grid->horizontalScrollBar();
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() > 0; }));  // the view lays out late
  bar->setValue(bar->maximum());
  const QRect cell = grid->visualRect(grid->model()->index(2, 0));
  EXPECT_GE(cell.right(), grid->viewport()->width() - 2) << "the end of the column comes into view";
  EXPECT_LT(cell.right(), grid->viewport()->width());
}

// The darkest pixel of a picture: the colour of its text.
QColor Ink(const QImage& image) {
  QColor darkest(Qt::white);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.lightness() < darkest.lightness()) darkest = c;
    }
  }
  return darkest;
}

TEST_F(GridReadabilityTest, TheCornerCaptionIsDrawnLikeTheOtherCaptions) {
  test::ShowGrid(*grid);
  auto* corner = grid->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_NE(corner, nullptr);
  QHeaderView* header = grid->horizontalHeader();
  const QImage caption =
      header->grab(QRect(0, 0, header->sectionSize(0), header->height())).toImage();
  EXPECT_EQ(Ink(corner->grab().toImage()), Ink(caption));
}

}  // namespace
}  // namespace qarn
