#include "widgets/inplace_edit.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "widgets/kv_string_grid.h"

namespace qarn {

namespace {

bool LeavesCell(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F2:
      return true;
    default:
      return false;
  }
}

bool MovesInGrid(int key) {
  return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
         key == Qt::Key_PageDown;
}

}  // namespace

tNewInplaceEdit::tNewInplaceEdit(tKvStringGrid* grid, QWidget* parent)
    : QLineEdit(parent), grid_(grid) {
  setFrame(false);
}

void tNewInplaceEdit::KeyDown(int key) {
  if (grid_ && LeavesCell(key)) grid_->ExitCell(grid_->Col(), grid_->Row(), text());
}

// A line edit has no use for the vertical moves: they belong to the grid, which moves the current
// cell and so closes this editor with its text committed.
void tNewInplaceEdit::keyPressEvent(QKeyEvent* event) {
  if (grid_ && MovesInGrid(event->key())) {
    QCoreApplication::sendEvent(grid_, event);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace qarn
