#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

namespace qarn {

// The map picture at full size in the calibration dialog: a click names a pixel, and the two
// pixels chosen so far are marked with their numbers.
class CalibrationPicture : public QWidget {
  Q_OBJECT

 public:
  CalibrationPicture(const QImage& picture, std::function<void(QPoint)> clicked,
                     QWidget* parent = nullptr);

  // Marks pixel `point` (0 or 1) where the point now is.
  void ShowPoint(int point, QPoint pixel);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  std::function<void(QPoint)> clicked_;
  std::array<std::optional<QPoint>, 2> points_;
};

}  // namespace qarn
