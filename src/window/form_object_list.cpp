// Adding, deleting, continuing and reordering objects.
#include "commands/object_list.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::FinishListChange(std::optional<int> row) {
  if (!row) return;  // the command's precondition was not met: nothing happens
  model_->SerializeAndParse();
  model_->SelectObject(*row);
}

void TQarnForm::SpeedButton1Click() {
  model_->RunCommand(QStringLiteral("Add object"), [this] {
    if (model_->Selected().objects.size() > 1) {
      AddCopiesOfSelected();
    } else {
      FinishListChange(AddObjectCopy(model_->EditDocument(), model_->CurrentObjectNumber()));
    }
  });
}

// Each selected object gets its copy right after it; the copies become the selection, the
// current object's copy current.
void TQarnForm::AddCopiesOfSelected() {
  const Selection selected = model_->Selected();
  std::vector<int> copies;
  int currentCopy = 0;
  for (size_t i = 0; i < selected.objects.size(); ++i) {
    copies.push_back(selected.objects[i] + static_cast<int>(i) + 1);
    if (selected.objects[i] == selected.current) currentCopy = copies.back();
  }
  for (auto n = selected.objects.rbegin(); n != selected.objects.rend(); ++n) {
    AddObjectCopy(model_->EditDocument(), *n);
  }
  model_->SerializeAndParse();
  model_->SelectObjects(copies, currentCopy);
}

// Every selected object goes, the last first; the only object stays, as ever.
void TQarnForm::DeleteSelectedObjects() {
  const Selection& selected = model_->Selected();
  std::vector<int> doomed = selected.objects;
  if (doomed.empty()) doomed.push_back(selected.current);
  std::optional<int> row;
  for (auto n = doomed.rbegin(); n != doomed.rend(); ++n) {
    if (const std::optional<int> left = DeleteObject(model_->EditDocument(), *n)) row = left;
  }
  const int count = static_cast<int>(model_->Document().records.size());
  if (row) row = std::min(doomed.front(), count);
  FinishListChange(row);
}

void TQarnForm::SpeedButton2Click() {
  model_->RunCommand(QStringLiteral("Delete object"), [this] { DeleteSelectedObjects(); });
}

void TQarnForm::SpeedButton3Click() {
  model_->RunCommand(QStringLiteral("Continue the series"), [this] {
    FinishListChange(ContinueSeries(model_->EditDocument(), model_->CurrentObjectNumber()));
  });
}

void TQarnForm::KeepMovedObjectSelected(std::optional<int> row) {
  if (!row) return;
  model_->SelectObjectQuietly(*row);
  model_->EditCycle();
}

void TQarnForm::SpeedButton6Click() {
  model_->RunCommand(QStringLiteral("Move object up"), [this] {
    KeepMovedObjectSelected(MoveObjectUp(model_->EditDocument(), model_->CurrentObjectNumber()));
  });
}

void TQarnForm::SpeedButton7Click() {
  model_->RunCommand(QStringLiteral("Move object down"), [this] {
    KeepMovedObjectSelected(MoveObjectDown(model_->EditDocument(), model_->CurrentObjectNumber()));
  });
}

}  // namespace qarn
