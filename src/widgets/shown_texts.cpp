#include "widgets/shown_texts.h"

#include <utility>

namespace qarn {

std::vector<QPoint> tShownTexts::Changed(const std::vector<QPoint>& inView, const tTextOf& textOf) {
  QHash<QPoint, QString> now;
  now.reserve(static_cast<qsizetype>(inView.size()));
  std::vector<QPoint> changed;
  for (const QPoint& cell : inView) {
    QString text = textOf(cell);
    const auto before = texts_.constFind(cell);
    if (before == texts_.cend() || *before != text) changed.push_back(cell);
    now.insert(cell, std::move(text));
  }
  texts_ = std::move(now);
  return changed;
}

}  // namespace qarn
