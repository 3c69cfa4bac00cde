// Adding, deleting, continuing and reordering objects.
#include "commands/object_list.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::SelectAndRefresh(int row) {
  SelectRowSilently(row);
  RefreshObject(row);
}

void TQarnForm::SpeedButton1Click() {
  RunCommand(QStringLiteral("Add object"), [this] {
    const int row = AddObjectCopy(document_, SelectedRow());
    SerializeAndParse();
    SelectAndRefresh(row);
  });
}

void TQarnForm::SpeedButton2Click() {
  RunCommand(QStringLiteral("Delete object"), [this] {
    const std::optional<int> row = DeleteObject(document_, SelectedRow());
    if (!row) return;
    SerializeAndParse();
    SelectAndRefresh(*row);
  });
}

void TQarnForm::SpeedButton3Click() {
  RunCommand(QStringLiteral("Continue the series"), [this] {
    const std::optional<int> row = ContinueSeries(document_, SelectedRow());
    if (!row) return;
    SerializeAndParse();
    SelectAndRefresh(*row);
  });
}

void TQarnForm::SpeedButton6Click() {
  RunCommand(QStringLiteral("Move object up"), [this] {
    const std::optional<int> row = MoveObjectUp(document_, SelectedRow());
    if (!row) return;
    SelectRowSilently(*row);
    EditCycle();
  });
}

void TQarnForm::SpeedButton7Click() {
  RunCommand(QStringLiteral("Move object down"), [this] {
    const std::optional<int> row = MoveObjectDown(document_, SelectedRow());
    if (!row) return;
    SelectRowSilently(*row);
    EditCycle();
  });
}

void TQarnForm::ConnectObjectList() {
  OnClick(QStringLiteral("SpeedButton1"), [this] { SpeedButton1Click(); });
  OnClick(QStringLiteral("SpeedButton2"), [this] { SpeedButton2Click(); });
  OnClick(QStringLiteral("SpeedButton3"), [this] { SpeedButton3Click(); });
  OnClick(QStringLiteral("SpeedButton6"), [this] { SpeedButton6Click(); });
  OnClick(QStringLiteral("SpeedButton7"), [this] { SpeedButton7Click(); });
}

}  // namespace qarn
