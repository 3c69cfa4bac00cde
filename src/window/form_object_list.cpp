// Adding, deleting, continuing and reordering objects.
#include "commands/object_list.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::SelectAndRefresh(int row) {
  SelectRowSilently(row);
  RefreshObject(row);
}

void TQarnForm::FinishListChange(std::optional<int> row) {
  if (!row) return;  // the command's precondition was not met: nothing happens
  SerializeAndParse();
  SelectAndRefresh(*row);
}

void TQarnForm::SpeedButton1Click() {
  RunCommand(QStringLiteral("Add object"),
             [this] { FinishListChange(AddObjectCopy(document_, SelectedRow())); });
}

void TQarnForm::SpeedButton2Click() {
  RunCommand(QStringLiteral("Delete object"),
             [this] { FinishListChange(DeleteObject(document_, SelectedRow())); });
}

void TQarnForm::SpeedButton3Click() {
  RunCommand(QStringLiteral("Continue the series"),
             [this] { FinishListChange(ContinueSeries(document_, SelectedRow())); });
}

void TQarnForm::FinishMove(std::optional<int> row) {
  if (!row) return;
  SelectRowSilently(*row);  // the moved object stays selected
  EditCycle();
}

void TQarnForm::SpeedButton6Click() {
  RunCommand(QStringLiteral("Move object up"),
             [this] { FinishMove(MoveObjectUp(document_, SelectedRow())); });
}

void TQarnForm::SpeedButton7Click() {
  RunCommand(QStringLiteral("Move object down"),
             [this] { FinishMove(MoveObjectDown(document_, SelectedRow())); });
}

void TQarnForm::ConnectObjectList() {
  OnClick(buttons_.SpeedButton1, [this] { SpeedButton1Click(); });
  OnClick(buttons_.SpeedButton2, [this] { SpeedButton2Click(); });
  OnClick(buttons_.SpeedButton3, [this] { SpeedButton3Click(); });
  OnClick(buttons_.SpeedButton6, [this] { SpeedButton6Click(); });
  OnClick(buttons_.SpeedButton7, [this] { SpeedButton7Click(); });
}

}  // namespace qarn
