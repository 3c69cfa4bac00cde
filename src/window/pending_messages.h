#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QWidget;

namespace qarn {

// Holds messages until their window is on the screen, then shows them in order. A message about
// the file named on the command line would otherwise appear over a window not yet drawn.
class PendingMessages : public QObject {
  Q_OBJECT

 public:
  using Shower = std::function<void(const QString& message)>;

  PendingMessages(QWidget* window, Shower show);

  // Shows the message now when the window is on the screen, else once it is.
  void Report(const QString& message);
  int Waiting() const { return static_cast<int>(waiting_.size()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool WindowExposed() const;
  void ShowWaiting();

  QWidget* window_;
  Shower show_;
  QStringList waiting_;
};

}  // namespace qarn
