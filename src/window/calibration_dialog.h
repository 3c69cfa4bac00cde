#pragma once

#include <QDialog>
#include <QImage>
#include <QPointF>
#include <array>
#include <optional>

#include "map/map_calibration.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace qarn {

class CalibrationPicture;

// "Calibrate map": the picture at full size, on which the user clicks two pixels one after the
// other, and for each the world x and z it shows, typed or taken from the selected object's
// point 1. OK is taken only when the two points give a calibration; Cancel and Escape change
// nothing.
class CalibrationDialog : public QDialog {
  Q_OBJECT

 public:
  CalibrationDialog(const QImage& picture, const MapCalibration& current,
                    std::optional<QPointF> pointOne, QWidget* parent);

  // The calibration of an accepted dialog.
  const MapCalibration& Result() const { return result_; }
  // A click on the picture: the pixel of the point whose turn it is.
  void PickPixel(QPoint pixel);

  void accept() override;

 private:
  struct PointFields {
    QSpinBox* column = nullptr;
    QSpinBox* row = nullptr;
    QLineEdit* x = nullptr;
    QLineEdit* z = nullptr;
  };

  QWidget* BuildPoint(int number, const QImage& picture, std::optional<QPointF> pointOne);
  std::optional<KnownPoint> Known(int number);
  void ShowTurn();

  CalibrationPicture* picture_;
  std::array<PointFields, 2> points_;
  QLabel* message_;
  int turn_ = 0;  // the point the next click places
  MapCalibration result_;
};

}  // namespace qarn
