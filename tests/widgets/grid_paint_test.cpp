#include <QImage>
#include <QPalette>

#include "grid_test_support.h"
#include "widgets/grid_draw_flags.h"

namespace qarn {
namespace {

const QColor kWindow(255, 255, 255);
const QColor kHighlight(0, 0, 160);
const QColor kHighlightText(255, 255, 0);

class GridPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = test::MakeGrid({64, 80, 80}, 4);
    QPalette colours = grid->palette();
    colours.setColor(QPalette::Base, kWindow);
    colours.setColor(QPalette::Highlight, kHighlight);
    colours.setColor(QPalette::HighlightedText, kHighlightText);
    colours.setColor(QPalette::Text, Qt::black);
    grid->setPalette(colours);
    grid->SetRow(2);
  }
  // The colour near the right end of a data cell, away from its text.
  QColor Background(int col, int row) {
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    const QImage image = grid->viewport()->grab().toImage();
    return image.pixelColor(cell.right() - 3, cell.center().y());
  }
  static int Count(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour;
    }
    return count;
  }
  // How many pixels of the cell have exactly this colour.
  int PixelsOf(int col, int row, const QColor& colour) {
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    return Count(grid->viewport()->grab(cell).toImage(), colour);
  }
  // How many pixels of the row's number have exactly this colour.
  int RowNumberPixelsOf(int row, const QColor& colour) {
    QHeaderView* numbers = grid->verticalHeader();
    const QRect section(0, numbers->sectionViewportPosition(row - 1), numbers->width(),
                        numbers->sectionSize(row - 1));
    return Count(numbers->viewport()->grab(section).toImage(), colour);
  }
  std::unique_ptr<tKvStringGrid> grid;
};

TEST_F(GridPaintTest, UnfocusedCurrentRowKeepsAPalerHighlightAndTheTextColour) {
  grid->OnGetCellDrawText = [](int, int) { return QStringLiteral("MMMM"); };
  test::FocusGrid(*grid);
  grid->clearFocus();
  ASSERT_FALSE(grid->hasFocus());
  const QColor pale = Background(1, 2);
  EXPECT_NE(pale, kWindow);
  EXPECT_NE(pale, kHighlight);
  EXPECT_EQ(Background(2, 2), pale);
  EXPECT_GT(pale.lightness(), kHighlight.lightness()) << "paler than the focused highlight";
  EXPECT_EQ(Background(1, 1), kWindow);
  EXPECT_EQ(PixelsOf(1, 2, kHighlightText), 0);
  EXPECT_GT(PixelsOf(1, 2, Qt::black), 0);
}

TEST_F(GridPaintTest, FocusedSelectedRowIsHighlighted) {
  grid->OnGetCellDrawText = [](int, int) { return QStringLiteral("MMMM"); };
  test::FocusGrid(*grid);
  EXPECT_EQ(Background(1, 2), kHighlight);
  EXPECT_EQ(Background(2, 2), kHighlight);
  EXPECT_EQ(Background(1, 3), kWindow);
  EXPECT_GT(PixelsOf(1, 2, kHighlightText), 0);
  EXPECT_EQ(PixelsOf(1, 3, kHighlightText), 0);
}

TEST_F(GridPaintTest, EventsReplaceTheColours) {
  const QColor focused(200, 0, 0), plain(0, 150, 0), ink(255, 0, 255);
  grid->OnGetCellDrawFocusedColor = [&](int, int) { return focused; };
  grid->OnGetCellDrawColor = [&](int col, int) { return col == 2 ? plain : kWindow; };
  grid->OnGetCellDrawFontColor = [&](int, int) { return ink; };
  grid->OnGetCellDrawText = [](int, int) { return QStringLiteral("MMMM"); };
  test::FocusGrid(*grid);
  EXPECT_EQ(Background(1, 2), focused);
  EXPECT_EQ(Background(2, 3), plain);
  EXPECT_EQ(Background(1, 3), kWindow);
  EXPECT_GT(PixelsOf(1, 3, ink), 0);
  EXPECT_GT(RowNumberPixelsOf(3, ink), 0);
}

TEST_F(GridPaintTest, RowNumbersAreBlackWhateverTheButtonTextColour) {
  grid->OnGetCellDrawText = [](int, int) { return QStringLiteral("MMMM"); };
  QPalette colours = grid->palette();
  colours.setColor(QPalette::ButtonText, kHighlight);
  grid->setPalette(colours);
  test::ShowGrid(*grid);
  EXPECT_GT(RowNumberPixelsOf(3, Qt::black), 0);
  EXPECT_EQ(RowNumberPixelsOf(3, kHighlight), 0);
}

// Renders one text in row 1 of column 1 and returns that cell's pixels.
class GridMnemonicTest : public ::testing::Test {
 protected:
  QImage Render(const QString& text, int32_t flags = 0) {
    auto grid = test::MakeGrid({64, 120}, 2);
    grid->OnGetCellDrawText = [text](int, int) { return text; };
    grid->OnGetCellDrawFlags = [flags](int, int) { return flags; };
    test::ShowGrid(*grid);
    return grid->viewport()->grab(grid->visualRect(grid->model()->index(0, 0))).toImage();
  }
  static std::vector<int> RowsThatDiffer(const QImage& a, const QImage& b) {
    std::vector<int> rows;
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) {
        if (a.pixel(x, y) != b.pixel(x, y)) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  }
};

TEST_F(GridMnemonicTest, AmpersandUnderlinesTheNextCharacterOnly) {
  const QImage plain = Render("ab");
  const QImage marked = Render("a&b");
  const std::vector<int> rows = RowsThatDiffer(plain, marked);
  ASSERT_FALSE(rows.empty());
  EXPECT_LE(rows.back() - rows.front(), 1) << "more than an underline differs";
  EXPECT_GT(rows.front(), plain.height() / 2);  // below the letters' middle
}

// Text with a mnemonic goes through drawText, text without one through the kept layouts: both
// must put every pixel in the same place, whatever the alignment.
TEST_F(GridMnemonicTest, DoubleAmpersandDrawsOneAmpersand) {
  for (const int32_t flags : {kDtDefaultCell, kDtSingleLine | kDtVCenter | kDtRight,
                              kDtSingleLine | kDtVCenter | kDtCenter, kDtSingleLine | kDtBottom,
                              kDtSingleLine}) {
    EXPECT_EQ(Render("a&&b", flags), Render("a&b", kDtNoPrefix | flags)) << flags;
  }
  EXPECT_NE(Render("a&b"), Render("a&b", kDtNoPrefix | kDtDefaultCell));
}

}  // namespace
}  // namespace qarn
