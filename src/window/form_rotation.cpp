// The rotation tools: step the pair and row angles, turn them into offsets and lay out again.
#include "commands/refresh_values.h"
#include "commands/rotation.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "window/qarn_form.h"

namespace qarn {

PlacementFields TQarnForm::ShownPlacement() {
  return {LayoutFromFields(), Lenge->Value(), Rotation->Value(), XRotation->Value()};
}

void TQarnForm::ShowTurned(const PlacementFields& fields) {
  Rotation->SetValue(fields.rotation);
  XRotation->SetValue(fields.rowRotation);
  dxEdit->SetValue(fields.layout.pair.x);
  dzEdit->SetValue(fields.layout.pair.z);
  XdxEdit->SetValue(fields.layout.row.x);
  XdzEdit->SetValue(fields.layout.row.z);
}

void TQarnForm::ApplyRotation() {
  PlacementFields fields = ShownPlacement();
  TurnByStep(model_->CurrentObject(), fields, 0, 0);
  ShowTurned(fields);
  model_->EditCycle();
}

PlacementFields TQarnForm::TurnedPlacement(int32_t degrees) {
  PlacementFields fields = ShownPlacement();
  fields.rotation = degrees;
  return fields;
}

// A step acts on every selected object as it would alone: the current one from the fields as
// typed, each other from the fields as selecting it would show them. Applying the typed lengths
// and angles is the current object's alone.
void TQarnForm::StepRotation(int32_t pairStep, int32_t rowStep) {
  model_->RunCommand(QStringLiteral("Turn"), [=, this] {
    const PlacementFields typed = ShownPlacement();
    PlacementFields shown = typed;
    const tDesc* current = &model_->CurrentObject();
    const auto turn = [&](tDesc& object) {
      const bool isCurrent = &object == current;
      PlacementFields fields =
          isCurrent ? typed : RefreshedPlacement(ComputeRefreshValues(object), typed);
      TurnByStep(object, fields, pairStep, rowStep);
      if (isCurrent) shown = fields;
    };
    if (pairStep != 0 || rowStep != 0) {
      model_->ChangeSelected(turn);
    } else {
      turn(model_->CurrentObject());
    }
    ShowTurned(shown);
    model_->EditCycle();
  });
}

}  // namespace qarn
