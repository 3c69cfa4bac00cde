#pragma once

#include <QRegion>
#include <QWidget>
#include <memory>

#include "map/map_handles.h"
#include "map/view_transform.h"
#include "map/zoomed_map.h"
#include "window/map_tool.h"

class QPainter;

namespace qarn {

class MapEditor;
class MapPicture;
class MapView;

// The map picture (Image1) at the view's zoom. It hands the pointer to the editor (position,
// click) and to the tool a press takes hold of the map with: pan, move, turn or select.
class MapCanvas : public QWidget {
  Q_OBJECT

 public:
  MapCanvas(const MapPicture& map, MapView& view);
  ~MapCanvas() override;

  void SetEditor(MapEditor* editor) { editor_ = editor; }
  const ViewTransform& View() const { return transform_; }
  QSize PictureSize() const;
  // Takes the zoom and resizes to the zoomed picture.
  void SetView(const ViewTransform& transform);
  // Paints again what changed on the map picture (in map pixels).
  void ShowChanges(const QRegion& mapArea);
  bool SpaceHeld() const { return spaceHeld_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MapPointer PointerOf(const QMouseEvent* event) const;
  std::unique_ptr<MapTool> ToolFor(const QMouseEvent* event, const MapPointer& pointer);
  void Hold(std::unique_ptr<MapTool> tool, Qt::MouseButton button);
  void LetGo();
  void ShowCursorFor(QPoint view);
  // What a press there takes hold of; Ctrl takes the current object's points alone.
  MapGrip GripUnder(QPoint view, Qt::KeyboardModifiers modifiers) const;
  // The marks in device pixels, over a map piece painted without them.
  void PaintMarkLayer(QPainter& painter, QRect exposed, double ratio) const;
  bool TakesSpace(const QEvent* event) const;
  bool CancelsTool(const QEvent* event) const;

  const MapPicture& map_;
  MapView& view_;
  MapEditor* editor_ = nullptr;
  ViewTransform transform_;
  ZoomedMap zoomed_;
  std::unique_ptr<MapTool> tool_;
  Qt::MouseButton toolButton_ = Qt::NoButton;
  bool spaceHeld_ = false;
};

}  // namespace qarn
