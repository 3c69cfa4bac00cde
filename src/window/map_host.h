#pragma once

#include <QImage>
#include <QPointF>
#include <QString>
#include <optional>

#include "map/map_calibration.h"

namespace qarn {

class FormDialogs;

// What the map's picture and calibration choices need of the window.
class MapHost {
 public:
  virtual ~MapHost() = default;
  // Shows another picture, placed by `calibration`, with every point marked on it.
  virtual void ShowMap(QImage picture, const MapCalibration& calibration) = 0;
  // Places the picture shown anew; every point is marked again.
  virtual void Recalibrate(const MapCalibration& calibration) = 0;
  virtual const QImage& MapPristine() const = 0;
  virtual MapCalibration Calibration() const = 0;
  // The world x and z of the selected object's point 1, when it has one.
  virtual std::optional<QPointF> PointOne() const = 0;
  // One message box (held until the window is on the screen).
  virtual void Report(const QString& message) = 0;
  virtual FormDialogs& Dialogs() = 0;
};

}  // namespace qarn
