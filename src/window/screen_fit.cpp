#include "window/screen_fit.h"

#include <QScreen>
#include <QWidget>

namespace qarn {

void FitToScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  constexpr int kTitleBarAllowance = 32;
  const QSize room = screen->availableSize() - QSize(0, kTitleBarAllowance);
  window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
}

}  // namespace qarn
