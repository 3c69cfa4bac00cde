#pragma once

#include <QComboBox>

namespace qarn {

class MapView;

// The zoom box of the bottom bar: shows the map's zoom and sets it from the listed levels, "Fit"
// or a percentage typed in (25 to 800).
class ZoomControl : public QComboBox {
  Q_OBJECT

 public:
  ZoomControl(MapView& view, QWidget* parent);

 private:
  void Choose(const QString& text);
  void ShowScale(double scale);

  MapView& view_;
};

}  // namespace qarn
