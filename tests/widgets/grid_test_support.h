#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <initializer_list>
#include <memory>

#include "widgets/kv_string_grid.h"

namespace qarn::test {

// A grid set up as the window sets up its lists: size, row height and columns added in the load
// step, then shown as a window of its own.
inline std::unique_ptr<tKvStringGrid> MakeGrid(std::initializer_list<int> widths, int rows,
                                               int rowHeight = 18) {
  auto grid = std::make_unique<tKvStringGrid>();
  grid->SetColCount(static_cast<int>(widths.size()));
  grid->SetDefaultRowHeight(rowHeight);
  grid->SetRowCount(rows);
  grid->Loaded();
  int id = 0;
  for (int width : widths) {
    grid->AddColumn(QStringLiteral("T%1").arg(id), QStringLiteral("Menu %1").arg(id), QString(),
                    width, id, 0, true, true);
    ++id;
  }
  grid->resize(500, 300);
  return grid;
}

inline void ShowGrid(tKvStringGrid& grid) {
  grid.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
}

inline void FocusGrid(tKvStringGrid& grid) {
  ShowGrid(grid);
  grid.activateWindow();
  grid.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
  ASSERT_TRUE(grid.hasFocus());
}

// The centre of a data cell in viewport coordinates.
inline QPoint CellCenter(const tKvStringGrid& grid, int col, int row) {
  return grid.visualRect(grid.model()->index(row - 1, col - 1)).center();
}

inline void ClickCell(tKvStringGrid& grid, int col, int row) {
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, col, row));
}

// Counts the grid's click notifications through both of its channels.
struct ClickCounter {
  explicit ClickCounter(tKvStringGrid& grid) {
    grid.OnClick = [this](tKvStringGrid*) { ++events; };
    QObject::connect(&grid, &tKvStringGrid::Clicked, [this] { ++emitted; });
  }
  int events = 0;
  int emitted = 0;
};

}  // namespace qarn::test
