#include "window/status_line.h"

#include <QFontMetrics>

#include "window/number_text.h"

namespace qarn {
namespace {

QString Joined(QStringList parts) {
  parts.removeAll(QString());
  return parts.join(QStringLiteral("   "));
}

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);  // a file may be called "<b>.pathset"
  // The label must not ask for the width of its whole text: the bar gives it what is left.
  setMinimumWidth(0);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusLine::Show(const QString& documentName, bool modified, std::optional<QPointF> world,
                      const QString& hint) {
  QString name = modified ? documentName + QStringLiteral(" *") : documentName;
  QString position = world ? QStringLiteral("x %1  z %2")
                                 .arg(FixedTwoDecimals(world->x()), FixedTwoDecimals(world->y()))
                           : QString();
  // Every click in a list shows the line again; measuring the same text again costs more than
  // the rest of the refresh, and a screen reader needs no news of an unchanged name.
  if (name == name_ && hint == hint_ && position == position_) return;
  name_ = std::move(name);
  hint_ = hint;
  position_ = std::move(position);
  setAccessibleName(FullText());
  Fit();
}

QString StatusLine::FullText() const {
  return Joined({name_, hint_, position_});
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void StatusLine::Fit() {
  const QFontMetrics metrics(font());
  const int room = std::max(0, contentsRect().width() - 2 * margin());
  const QString fallbacks[] = {FullText(), Joined({hint_, position_}),
                               hint_.isEmpty() ? position_ : hint_};
  for (const QString& text : fallbacks) {
    if (metrics.horizontalAdvance(text) <= room) {
      setText(text);
      return;
    }
  }
  setText(metrics.elidedText(fallbacks[2], Qt::ElideRight, room));
}

}  // namespace qarn
