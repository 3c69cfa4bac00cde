#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>

namespace qarn {

// The paint box (Image2) that shows the map around the pointer, enlarged, with a cross-hair.
class MagnifierView : public QWidget {
  Q_OBJECT

 public:
  explicit MagnifierView(QWidget* parent = nullptr);

  // Shows the 64 x 64 neighbourhood of `pixel` in `picture` at the next paint.
  void ShowAround(const QImage* picture, QPoint pixel);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage* picture_ = nullptr;
  std::optional<QPoint> centre_;
};

}  // namespace qarn
