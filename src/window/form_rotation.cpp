// The rotation tools: step the pair and row angles, turn them into offsets and lay out again.
#include "commands/point_layout.h"
#include "commands/rotation.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::ApplyRotation() {
  const HorizontalOffset pair = OffsetFromPolar(Lenge->Value(), Rotation->Value());
  dxEdit->SetValue(pair.dx);
  dzEdit->SetValue(pair.dz);
  const HorizontalOffset row = OffsetFromPolar(XLenge->Value(), XRotation->Value());
  XdxEdit->SetValue(row.dx);
  XdzEdit->SetValue(row.dz);
  LayOutFromFields();
}

LayoutFields TQarnForm::TurnedLayout(int32_t degrees) {
  LayoutFields fields = LayoutFromFields();
  const HorizontalOffset pair = OffsetFromPolar(Lenge->Value(), degrees);
  const HorizontalOffset row = OffsetFromPolar(XLenge->Value(), XRotation->Value());
  fields.pair.x = pair.dx;
  fields.pair.z = pair.dz;
  fields.row.x = row.dx;
  fields.row.z = row.dz;
  return fields;
}

void TQarnForm::StepRotation(int32_t pairStep, int32_t rowStep) {
  model_->RunCommand(QStringLiteral("Turn"), [=, this] {
    // Both sums are formed before either field changes, so an overflow applies nothing.
    const int32_t pair = pairStep ? StepAngle(Rotation->Value(), pairStep) : 0;
    const int32_t row = rowStep ? StepAngle(XRotation->Value(), rowStep) : 0;
    if (pairStep) Rotation->SetValue(pair);
    if (rowStep) XRotation->SetValue(row);
    ApplyRotation();
  });
}

}  // namespace qarn
