#include "window/map_band_tool.h"

#include <QApplication>
#include <algorithm>

#include "map/hit_test.h"
#include "window/map_canvas.h"
#include "window/map_editor.h"

namespace qarn {

namespace {

// Ctrl toggles: the objects in the band change sides, the others keep theirs.
std::vector<int> Toggled(std::vector<int> selected, const std::vector<int>& inside) {
  for (const int n : inside) {
    const auto at = std::find(selected.begin(), selected.end(), n);
    if (at == selected.end()) {
      selected.push_back(n);
    } else {
      selected.erase(at);
    }
  }
  return selected;
}

}  // namespace

BandTool::BandTool(MapEditor& editor, MapCanvas& canvas, const MapPointer& press)
    : editor_(editor), canvas_(canvas), press_(press), click_(editor, canvas) {}

BandTool::~BandTool() {
  delete band_;
}

QRect BandTool::ViewArea(const MapPointer& pointer) const {
  return QRect(press_.view, pointer.view).normalized();
}

void BandTool::Move(const MapPointer& pointer) {
  if (cancelled_) return;
  if (!band_) {
    if ((pointer.view - press_.view).manhattanLength() < QApplication::startDragDistance()) return;
    band_ = new QRubberBand(QRubberBand::Rectangle, &canvas_);
    band_->setObjectName(QStringLiteral("SelectionBand"));
    band_->show();
  }
  band_->setGeometry(ViewArea(pointer));
}

void BandTool::Release(const MapPointer& pointer) {
  if (cancelled_) return;
  if (!band_) {
    click_.Release(pointer);
    return;
  }
  band_->hide();
  editor_.Guard([&] { Select(pointer); });
}

void BandTool::Select(const MapPointer& pointer) {
  const ViewTransform& view = canvas_.View();
  const QRect area = ViewArea(pointer);
  const QRect mapArea(view.MapPixelAt(area.topLeft()), view.MapPixelAt(area.bottomRight()));
  PathSetDocument& model = editor_.Editing();
  const std::vector<int> inside = ObjectsInside(model.Document(), editor_.Transform(), mapArea);
  std::vector<int> chosen = inside;
  if (pointer.modifiers & Qt::ControlModifier) {
    chosen = Toggled(model.Selected().objects, inside);
  } else if (pointer.modifiers & Qt::ShiftModifier) {
    chosen = model.Selected().objects;
    chosen.insert(chosen.end(), inside.begin(), inside.end());
  }
  model.SelectObjects(std::move(chosen));
}

void BandTool::Cancel() {
  cancelled_ = true;
  if (band_) band_->hide();
}

}  // namespace qarn
