// Point placement and translation: set point 1, lay out, move in eight directions and in height,
// extend and shorten.
#include "commands/point_layout.h"
#include "widgets/float_edit.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::SpeedButton4Click() {
  model_->RunCommand(QStringLiteral("Set point 1"), [this] {
    const Vec3 base{xEdit->Value(), yEdit->Value(), zEdit->Value()};
    SetPointOne(model_->CurrentObject(), model_->Selected().point, base);
    model_->EditCycle();
  });
}

void TQarnForm::SpeedButton5Click() {
  model_->RunCommand(QStringLiteral("Lay out points"), [this] { LayOutFromFields(); });
}

void TQarnForm::LayOutFromFields() {
  LayOutPoints(model_->CurrentObject(), LayoutFromFields());
  model_->EditCycle();
}

LayoutFields TQarnForm::LayoutFromFields() {
  LayoutFields fields;
  fields.base = {xEdit->Value(), yEdit->Value(), zEdit->Value()};
  fields.pair = {dxEdit->Value(), dyEdit->Value(), dzEdit->Value()};
  fields.row = {XdxEdit->Value(), XdyEdit->Value(), XdzEdit->Value()};
  fields.rowLength = XLenge->Value();
  return fields;
}

void TQarnForm::MoveByStep(float ax, float ay, float az) {
  model_->RunCommand(QStringLiteral("Move points"), [=, this] {
    const long double step = mEdit->Value();
    model_->ChangeSelected([&](tDesc& object) { ShiftPoints(object, ax, ay, az, step); });
    model_->EditCycle();
  });
}

void TQarnForm::SpeedButton8Click() {
  model_->RunCommand(QStringLiteral("Extend by one point"), [this] {
    ExtendByOnePoint(model_->CurrentObject());
    model_->EditCycle();
  });
}

void TQarnForm::SpeedButton19Click() {
  model_->RunCommand(QStringLiteral("Extend by a pair"), [this] {
    ExtendByOnePoint(model_->CurrentObject());
    model_->EditCycle();
    ExtendByOnePoint(model_->CurrentObject());
    model_->EditCycle();
    LayOutFromFields();
  });
}

void TQarnForm::SpeedButton17Click() {
  model_->RunCommand(QStringLiteral("Remove the last point"), [this] {
    if (RemoveLastPoint(model_->CurrentObject())) model_->EditCycle();
  });
}

}  // namespace qarn
