// Editing on the map: a double-click selects the object pointed at; the drags are tools of their
// own (map_drag_tool) that end in the same commands as the buttons, so both give the same bytes
// and one undo step. The turn takes the lengths typed in the panel, so the window builds it.
#include <QScopedValueRollback>
#include <algorithm>

#include "commands/point_edit.h"
#include "commands/point_layout.h"
#include "commands/refresh_values.h"
#include "commands/rotation.h"
#include "map/hit_test.h"
#include "map/view_transform.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/map_view.h"
#include "window/qarn_form.h"
#include "window/status_line.h"

namespace qarn {
namespace {

constexpr double kSelectReach = 6;  // view pixels from a point's position

}  // namespace

bool TQarnForm::SelectNear(QPoint viewPixel, const ViewTransform& view) {
  const std::optional<PointRef> hit =
      NearestPoint(model_->Document(), transform_, view, viewPixel, kSelectReach);
  if (!hit) return false;
  Guard([&] { model_->SelectObject(hit->object); });
  Names->scrollTo(Names->model()->index(hit->object - 1, 0));
  return true;
}

void TQarnForm::RevealPointOne() {
  const tDesc& object = model_->CurrentObject();
  if (object.pointCount < 1) return;
  ScrollBox1->Reveal(transform_.PixelOf(object.Point(1).x, object.Point(1).z));
}

void TQarnForm::ShowHint(const QString& hint) {
  mapHint_ = hint;
  UpdateStatus();
}

int32_t TQarnForm::DegreesTowards(QPointF point) {
  const tPoint& first = model_->CurrentObject().Point(1);
  // The pointer's world position: a map pixel's centre is its integer world position.
  const long double x = transform_.MapToWorldX(static_cast<float>(point.x() - 0.5));
  const long double z = transform_.MapToWorldZ(static_cast<float>(point.y() - 0.5));
  return PolarLengthAndDegrees(x - first.x, z - first.z).second;
}

MapChange TQarnForm::TurnTowards(QPointF point) {
  const int32_t degrees = DegreesTowards(point);
  const PlacementFields turned = TurnedPlacement(degrees);
  return {QStringLiteral("Rotation %1°").arg(degrees),
          [turned](tDesc& object) {
            PlacementFields fields = turned;
            TurnByStep(object, fields, 0, 0);
          },
          [this, degrees] {
            Rotation->SetValue(degrees);
            StepRotation(0, 0);  // the apply button's own command
          }};
}

void TQarnForm::ShowPoint(int k) {
  {
    const QScopedValueRollback quiet(entsClickSuppressed_, true);
    Ents->SetRow(k);
  }
  model_->SetCurrentPoint(k);
  MarkPoint(k);
}

// After the current point: at the pixel's position, as a click there picks it, at the current
// point's height; without a pixel halfway to the next point.
void TQarnForm::InsertPoint(std::optional<QPoint> pixel) {
  model_->RunCommand(QStringLiteral("Insert point"), [&] {
    std::optional<Vec3> at;
    if (pixel) {
      at = Vec3{transform_.MapToWorldX(static_cast<float>(pixel->x())), 0,
                transform_.MapToWorldZ(static_cast<float>(pixel->y()))};
    }
    const int inserted = InsertPointAfter(model_->CurrentObject(), model_->Selected().point, at);
    model_->EditCycle();
    ShowPoint(inserted);
  });
}

// The keyboard's way of dragging a point: x and z from their fields, height and flags kept.
void TQarnForm::MoveCurrentPointToFields() {
  const int k = model_->Selected().point;
  model_->RunCommand(QStringLiteral("Move point %1").arg(k), [&] {
    MovePointTo(model_->CurrentObject(), k, xEdit->Value(), zEdit->Value());
    model_->EditCycle();
    ShowPoint(k);
  });
}

void TQarnForm::DeleteCurrentPoint() {
  model_->RunCommand(QStringLiteral("Delete point"), [&] {
    const int k = model_->Selected().point;
    DeletePoint(model_->CurrentObject(), k);
    model_->EditCycle();
    ShowPoint(std::min<int>(k, model_->CurrentObject().pointCount));
  });
}

}  // namespace qarn
