#include "grid_test_support.h"
#include "widgets/inplace_edit.h"

namespace qarn {
namespace {

struct ExitReport {
  int col = -1;
  int row = -1;
  QString text;
  int count = 0;
};

// An editable grid with its cell editor open on column 2, row 2, holding "xyz".
class GridEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = test::MakeGrid({64, 80, 80, 80}, 5);
    grid->SetEditable(true);
    grid->setTabKeyNavigation(true);
    grid->OnExitCell = [this](tKvStringGrid*, int col, int row, const QString& text) {
      report = {col, row, text, report.count + 1};
    };
    test::FocusGrid(*grid);
    grid->SetCol(2);
    grid->SetRow(2);
  }
  tNewInplaceEdit* OpenEditor() {
    QTest::keyClick(grid.get(), Qt::Key_F2);
    auto* editor = grid->viewport()->findChild<tNewInplaceEdit*>();
    if (!editor || !editor->isVisible()) return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, "xyz");
    return editor;
  }
  std::unique_ptr<tKvStringGrid> grid;
  ExitReport report;
};

TEST_F(GridEditTest, NotEditableGridOpensNoEditor) {
  grid->SetEditable(false);
  QTest::keyClick(grid.get(), Qt::Key_F2);
  EXPECT_EQ(grid->viewport()->findChild<tNewInplaceEdit*>(), nullptr);
}

class GridEditKeyTest : public GridEditTest, public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(GridEditKeyTest, LeavingKeyReportsTheCellAndItsText) {
  tNewInplaceEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(report.count, 0);
  QTest::keyClick(editor, GetParam());
  EXPECT_EQ(report.count, 1);
  EXPECT_EQ(report.col, 2);
  EXPECT_EQ(report.row, 2);
  EXPECT_EQ(report.text, "xyz");
}

INSTANTIATE_TEST_SUITE_P(Keys, GridEditKeyTest,
                         ::testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Up, Qt::Key_Down,
                                           Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_F2,
                                           Qt::Key_Tab));

TEST_F(GridEditTest, OtherKeysReportNothing) {
  tNewInplaceEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_A}) QTest::keyClick(editor, key);
  EXPECT_EQ(report.count, 0);
}

TEST_F(GridEditTest, DownCommitsTheTextAndMovesOn) {
  tNewInplaceEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Cells(2, 2), "xyz");
}

TEST_F(GridEditTest, MousePressWhileEditingReportsTheEditedCell) {
  tNewInplaceEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  test::ClickCell(*grid, 3, 4);
  EXPECT_EQ(report.count, 1);
  EXPECT_EQ(report.col, 2);
  EXPECT_EQ(report.row, 2);
  EXPECT_EQ(report.text, "xyz");
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(grid->Cells(2, 2), "xyz");
  EXPECT_FALSE(editor->isVisible());
  test::ClickCell(*grid, 3, 3);  // no editor open any more
  EXPECT_EQ(report.count, 1);
}

TEST_F(GridEditTest, MousePressOnTheEditedCellReportsAndEditingGoesOn) {
  tNewInplaceEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  test::ClickCell(*grid, 2, 2);
  EXPECT_EQ(report.count, 1);
  EXPECT_EQ(report.text, "xyz");
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(editor->hasFocus());
}

TEST_F(GridEditTest, EditorTakesTheLimitAndTheColumnMask) {
  grid->SetEditLimit(2);
  QTest::keyClick(grid.get(), Qt::Key_F2);
  auto* editor = grid->viewport()->findChild<tNewInplaceEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->maxLength(), 2);
  QTest::keyClick(editor, Qt::Key_Escape);

  auto masked = std::make_unique<tKvStringGrid>();
  masked->SetColCount(2);
  masked->AddColumn("Nr", QString(), QString(), 64, 0, 0, true, false);
  masked->AddColumn("Hex", QString(), "HHHHHHHH", 80, 1, 0, true, false);
  EXPECT_EQ(masked->GetEditMask(1, 1), "HHHHHHHH");
  EXPECT_EQ(masked->GetEditMask(0, 1), QString());
}

}  // namespace
}  // namespace qarn
