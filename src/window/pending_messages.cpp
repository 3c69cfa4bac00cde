#include "window/pending_messages.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace qarn {

PendingMessages::PendingMessages(QWidget* window, Shower show)
    : QObject(window), window_(window), show_(std::move(show)) {
  window_->installEventFilter(this);
}

void PendingMessages::Report(const QString& message) {
  if (waiting_.isEmpty() && WindowExposed()) {
    show_(message);
    return;
  }
  waiting_ << message;
}

bool PendingMessages::WindowExposed() const {
  const QWindow* handle = window_->windowHandle();
  return window_->isVisible() && handle && handle->isExposed();
}

// The widget is shown before its platform window is exposed: the window is watched from the
// show on, and the messages wait until its first frame has been drawn.
bool PendingMessages::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle()) {
    window_->windowHandle()->installEventFilter(this);
  }
  if (watched == window_->windowHandle() && event->type() == QEvent::Expose &&
      !waiting_.isEmpty()) {
    QTimer::singleShot(0, this, [this] { ShowWaiting(); });
  }
  return QObject::eventFilter(watched, event);
}

void PendingMessages::ShowWaiting() {
  if (!WindowExposed()) return;  // hidden again before its turn: the next exposure shows them
  while (!waiting_.isEmpty()) show_(waiting_.takeFirst());
}

}  // namespace qarn
