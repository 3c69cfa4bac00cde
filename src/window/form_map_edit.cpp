// Editing on the map: a double-click selects the object pointed at, a drag of the selected
// object's disc moves it and a drag of its direction line's end turns it. A drag ends in the same
// commands as the buttons (shift, and the apply button of the rotation), so both give the same
// bytes and one undo step.
#include <QLocale>

#include "commands/point_layout.h"
#include "commands/refresh_values.h"
#include "map/view_transform.h"
#include "widgets/integer_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/map_view.h"
#include "window/qarn_form.h"

namespace qarn {
namespace {

constexpr double kSelectReach = 6;  // view pixels from a point's position

QString Decimal(long double value) {
  return QLocale().toString(static_cast<double>(value), 'f', 2);
}

}  // namespace

bool TQarnForm::SelectNear(QPoint viewPixel, const ViewTransform& view) {
  int nearest = 0;
  double nearestSquare = kSelectReach * kSelectReach;
  for (size_t o = 0; o < document_.records.size(); ++o) {
    const tDesc& object = *document_.records[o];
    const int count = static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
    for (int k = 1; k <= count; ++k) {
      QPoint pixel;
      try {
        pixel = transform_.PixelOf(object.Point(k).x, object.Point(k).z);
      } catch (const std::exception&) {
        continue;  // a point off any map cannot be pointed at
      }
      const QPoint d = view.ViewPixelOf(pixel) - viewPixel;
      const double square = double(d.x()) * d.x() + double(d.y()) * d.y();
      // Strictly nearer only: a tie keeps the lower object number.
      if (square < nearestSquare || (nearest == 0 && square == nearestSquare)) {
        nearest = static_cast<int>(o) + 1;
        nearestSquare = square;
      }
    }
  }
  if (nearest == 0) return false;
  // As a click on the row: the refresh runs even when the row is current already.
  if (Names->Row() == nearest) {
    NamesClick();
  } else {
    Names->SetRow(nearest);
  }
  Names->scrollTo(Names->model()->index(nearest - 1, 0));
  return true;
}

void TQarnForm::RevealPointOne() {
  const tDesc& object = SelectedObject();
  if (object.pointCount < 1) return;
  ScrollBox1->Reveal(transform_.PixelOf(object.Point(1).x, object.Point(1).z));
}

void TQarnForm::BeginPreview() {
  marksBeforeDrag_ = map_.Marks();
}

void TQarnForm::CancelPreview() {
  map_.ShowMarks(marksBeforeDrag_);
  ShowMapChanges();
  mapHint_.clear();
  UpdateStatus();
}

void TQarnForm::ShowPreview(const std::function<void(tDesc&)>& change) {
  try {
    tDesc object = SelectedObject();
    change(object);
    map_.DrawObjectMarks(object, transform_);
  } catch (const std::exception&) {
    // Where the change cannot be made the marks stay where it last could.
  }
  ShowMapChanges();
}

Vec3 TQarnForm::WorldOffset(QPoint offset) const {
  return {offset.x() * static_cast<long double>(transform_.unitsPerPixelX), 0,
          offset.y() * static_cast<long double>(transform_.unitsPerPixelZ)};
}

void TQarnForm::PreviewMove(QPoint offset) {
  const Vec3 world = WorldOffset(offset);
  ShowPreview([&](tDesc& object) { ShiftPointsBy(object, world); });
  mapHint_ = QStringLiteral("move by x %1  z %2").arg(Decimal(world.x), Decimal(world.z));
  UpdateStatus();
}

void TQarnForm::FinishMove(QPoint offset) {
  CancelPreview();  // the marks as before the drag; the command draws them anew
  if (offset.isNull()) return;
  Guard([&] {
    RunCommand(QStringLiteral("Move on the map"), [&] {
      ShiftPointsBy(SelectedObject(), WorldOffset(offset));
      EditCycle();
    });
  });
}

int32_t TQarnForm::DegreesTowards(QPointF point) {
  const tPoint& first = SelectedObject().Point(1);
  // The pointer's world position: a map pixel's centre is its integer world position.
  const long double x = transform_.MapToWorldX(static_cast<float>(point.x() - 0.5));
  const long double z = transform_.MapToWorldZ(static_cast<float>(point.y() - 0.5));
  return PolarLengthAndDegrees(x - first.x, z - first.z).second;
}

void TQarnForm::PreviewTurn(QPointF point) {
  try {
    const int32_t degrees = DegreesTowards(point);
    ShowPreview([&](tDesc& object) { qarn::LayOutPoints(object, TurnedLayout(degrees)); });
    mapHint_ = QStringLiteral("Rotation %1°").arg(degrees);
  } catch (const std::exception&) {
    mapHint_.clear();
  }
  UpdateStatus();
}

void TQarnForm::FinishTurn(QPointF point) {
  CancelPreview();
  Guard([&] {
    Rotation->SetValue(DegreesTowards(point));
    StepRotation(0, 0);  // the apply button's own command
  });
}

}  // namespace qarn
