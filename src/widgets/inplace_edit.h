#pragma once

#include <QLineEdit>

namespace qarn {

class tKvStringGrid;

// The cell editor of a tKvStringGrid. Before a key that leaves the cell (Tab, Enter, Page Up,
// Page Down, Up, Down, F2) takes effect, it reports the cell and its edited text to the grid.
class tNewInplaceEdit : public QLineEdit {
  Q_OBJECT

 public:
  tNewInplaceEdit(tKvStringGrid* grid, QWidget* parent);

  tKvStringGrid* Grid() const { return grid_; }
  // Reports the cell being left when key is one of the leaving keys.
  void KeyDown(int key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  tKvStringGrid* grid_;
};

}  // namespace qarn
