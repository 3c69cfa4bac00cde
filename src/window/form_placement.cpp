// Point placement and translation: set point 1, lay out, move in eight directions and in height,
// extend and shorten.
#include "commands/point_layout.h"
#include "widgets/float_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::SpeedButton4Click() {
  RunCommand(QStringLiteral("Set point 1"), [this] {
    tDesc& object = SelectedObject();
    const Vec3 base{xEdit->Value(), yEdit->Value(), zEdit->Value()};
    SetPointOne(object, Ents->Row(), base);
    EditCycle();
  });
}

void TQarnForm::SpeedButton5Click() {
  RunCommand(QStringLiteral("Lay out points"), [this] { LayOutPoints(); });
}

void TQarnForm::LayOutPoints() {
  tDesc& object = SelectedObject();
  qarn::LayOutPoints(object, LayoutFromFields());
  EditCycle();
}

LayoutFields TQarnForm::LayoutFromFields() {
  LayoutFields fields;
  fields.base = {xEdit->Value(), yEdit->Value(), zEdit->Value()};
  fields.pair = {dxEdit->Value(), dyEdit->Value(), dzEdit->Value()};
  fields.row = {XdxEdit->Value(), XdyEdit->Value(), XdzEdit->Value()};
  fields.rowLength = XLenge->Value();
  return fields;
}

void TQarnForm::ShiftPoints(float ax, float ay, float az) {
  RunCommand(QStringLiteral("Move points"), [=, this] {
    tDesc& object = SelectedObject();
    qarn::ShiftPoints(object, ax, ay, az, mEdit->Value());
    EditCycle();
  });
}

void TQarnForm::SpeedButton8Click() {
  RunCommand(QStringLiteral("Extend by one point"), [this] {
    ExtendByOnePoint(SelectedObject());
    EditCycle();
  });
}

void TQarnForm::SpeedButton19Click() {
  RunCommand(QStringLiteral("Extend by a pair"), [this] {
    ExtendByOnePoint(SelectedObject());
    EditCycle();
    ExtendByOnePoint(SelectedObject());
    EditCycle();
    LayOutPoints();
  });
}

void TQarnForm::SpeedButton17Click() {
  RunCommand(QStringLiteral("Remove the last point"), [this] {
    if (RemoveLastPoint(SelectedObject())) EditCycle();
  });
}

void TQarnForm::ConnectPlacement() {
  OnClick(buttons_.SpeedButton4, [this] { SpeedButton4Click(); });
  OnClick(buttons_.SpeedButton5, [this] { SpeedButton5Click(); });
  OnClick(buttons_.SpeedButton20, [this] { SpeedButton5Click(); });
  OnClick(buttons_.SpeedButton8, [this] { SpeedButton8Click(); });
  OnClick(buttons_.SpeedButton19, [this] { SpeedButton19Click(); });
  OnClick(buttons_.SpeedButton17, [this] { SpeedButton17Click(); });
  const struct {
    QToolButton* FormButtons::*button;
    float ax, ay, az;
  } moves[] = {{&FormButtons::nwButton, -1, 0, -1}, {&FormButtons::nButton, 0, 0, -1},
               {&FormButtons::neButton, 1, 0, -1},  {&FormButtons::eButton, 1, 0, 0},
               {&FormButtons::seButton, 1, 0, 1},   {&FormButtons::sButton, 0, 0, 1},
               {&FormButtons::swButton, -1, 0, 1},  {&FormButtons::wButton, -1, 0, 0},
               {&FormButtons::UpButton, 0, 1, 0},   {&FormButtons::DownButton, 0, -1, 0}};
  for (const auto& m : moves) {
    OnClick(buttons_.*m.button, [this, m] { ShiftPoints(m.ax, m.ay, m.az); });
  }
}

}  // namespace qarn
