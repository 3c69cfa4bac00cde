// The map view's handlers: all points, the magnifier, the pick into the position fields and the
// hidden calibration buttons.
#include <QLabel>
#include <QToolButton>

#include "document/errors.h"
#include "widgets/float_edit.h"
#include "window/magnifier_view.h"
#include "window/map_canvas.h"
#include "window/map_choice.h"
#include "window/map_view.h"
#include "window/number_text.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::DrawAllPoints() {
  try {
    WithPlace([this] { return model_->PlaceInDocument(); },
              [this] { map_.DrawAllPoints(model_->Document(), transform_); });
  } catch (...) {
    ShowMapChanges();  // every square that could be drawn is
    throw;
  }
  ShowMapChanges();
  ShowCalibrationLabels();
}

void TQarnForm::ShowMapChanges() {
  Image1->ShowChanges(map_.TakeChangedArea());
}

void TQarnForm::ShowCalibrationLabels() {
  const float values[] = {transform_.unitsPerPixelX, transform_.unitsPerPixelZ,
                          transform_.originColumn, transform_.originRow};
  for (size_t i = 0; i < calibrationLabels_.size(); ++i) {
    calibrationLabels_[i]->setText(FixedTwoDecimals(values[i]));
  }
}

void TQarnForm::Button3Click() {
  DrawAllPoints();
}

void TQarnForm::PointerOver(std::optional<QPoint> pixel) {
  pointerPixel_ = pixel;
  if (pixel) Image2->ShowAround(&map_.Image(), *pixel);
  UpdateStatus();
}

void TQarnForm::Pick(QPoint pixel) {
  Guard([&] {
    xEdit->SetValue(transform_.MapToWorldX(static_cast<float>(pixel.x())));
    zEdit->SetValue(transform_.MapToWorldZ(static_cast<float>(pixel.y())));
  });
}

void TQarnForm::Calibrate(float MapTransform::*parameter, long double step) {
  Guard([&] {
    transform_.*parameter =
        static_cast<float>(static_cast<long double>(transform_.*parameter) + step);
    DrawAllPoints();
  });
}

void TQarnForm::ShowMap(QImage picture, const MapCalibration& calibration) {
  map_ = MapPicture(std::move(picture));
  ScrollBox1->PictureChanged();
  Recalibrate(calibration);
}

void TQarnForm::Recalibrate(const MapCalibration& calibration) {
  transform_ = MapTransform(calibration);
  Guard([this] { DrawAllPoints(); });
}

std::optional<QPointF> TQarnForm::PointOne() const {
  if (!model_->HasCurrentObject()) return std::nullopt;
  const tDesc& object = model_->CurrentObject();
  if (object.pointCount < 1) return std::nullopt;
  return QPointF(object.Point(1).x, object.Point(1).z);
}

void TQarnForm::ConnectCalibration() {
  mapChoice_ = new MapChoice(*this, this);
  addActions(mapChoice_->actions());  // the window's keys reach them before any menu shows them
  const struct {
    QToolButton* FormButtons::*button;
    float MapTransform::*parameter;
    long double step;
  } steps[] = {{&FormButtons::SpeedButton9, &MapTransform::unitsPerPixelX, 0.01L},
               {&FormButtons::SpeedButton10, &MapTransform::unitsPerPixelX, -0.01L},
               {&FormButtons::SpeedButton16, &MapTransform::unitsPerPixelZ, 0.01L},
               {&FormButtons::SpeedButton15, &MapTransform::unitsPerPixelZ, -0.01L},
               {&FormButtons::SpeedButton11, &MapTransform::originColumn, 1.0L},
               {&FormButtons::SpeedButton12, &MapTransform::originColumn, -1.0L},
               {&FormButtons::SpeedButton13, &MapTransform::originRow, 1.0L},
               {&FormButtons::SpeedButton14, &MapTransform::originRow, -1.0L}};
  for (const auto& s : steps) {
    connect(buttons_.*s.button, &QToolButton::clicked, this,
            [this, p = s.parameter, d = s.step] { Calibrate(p, d); });
  }
}

}  // namespace qarn
