#include "window/status_line.h"

#include <QFontMetrics>

#include "window/number_text.h"

namespace qarn {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);  // a file may be called "<b>.pathset"
  // The label must not ask for the width of its whole text: the bar gives it what is left.
  setMinimumWidth(0);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusLine::Show(const QString& documentName, bool modified, std::optional<QPointF> world,
                      const QString& hint) {
  name_ = documentName;
  rest_ = modified ? QStringLiteral(" *") : QString();
  // Before the position, so a narrow line cuts the position rather than what a drag does.
  if (!hint.isEmpty()) rest_ += QStringLiteral("   ") + hint;
  if (world) {
    rest_ += QStringLiteral("   x %1  z %2")
                 .arg(FixedTwoDecimals(world->x()), FixedTwoDecimals(world->y()));
  }
  setAccessibleName(FullText());
  Fit();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void StatusLine::Fit() {
  const QFontMetrics metrics(font());
  const int room = contentsRect().width() - 2 * margin();
  const int nameRoom = room - metrics.horizontalAdvance(rest_);
  if (nameRoom < metrics.horizontalAdvance(QStringLiteral("M…M"))) {
    // Not even a trace of the name fits: the line shows what it can from the left.
    setText(metrics.elidedText(FullText(), Qt::ElideRight, std::max(0, room)));
    return;
  }
  setText(metrics.elidedText(name_, Qt::ElideMiddle, nameRoom) + rest_);
}

}  // namespace qarn
