#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace qarn {

// The map picture shown unscaled (Image1): pointer positions on it are map pixels.
class MapView : public QWidget {
  Q_OBJECT

 public:
  explicit MapView(QWidget* parent = nullptr);

  // The picture to show; the view keeps a pointer, so the owner keeps it alive and calls
  // update() after drawing into it.
  void SetPicture(const QImage* picture);

  std::function<void(QPoint pixel)> OnPointerMoved;
  std::function<void(QPoint pixel)> OnButtonReleased;
  std::function<void()> OnPointerLeft;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  const QImage* picture_ = nullptr;
};

}  // namespace qarn
