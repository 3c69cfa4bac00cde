#include "window/name_widths.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

namespace qarn {

namespace {

// A cell draws its text 2 pixels in from either side; one more keeps the last letter off the
// grid line.
constexpr int kCellTextMargins = 6;
constexpr size_t kMostRemembered = 4096;

}  // namespace

int NameWidths::Widest(const tHeader& document, const QFont& font, int least) {
  if (font != font_ || widths_.size() > kMostRemembered) {
    widths_.clear();
    font_ = font;
  }
  int widest = least;
  for (const auto& object : document.records) widest = std::max(widest, Measured(*object, font));
  return widest;
}

int NameWidths::Measured(const tDesc& object, const QFont& font) {
  const auto found = widths_.find(object.name);
  if (found != widths_.end()) return found->second;
  const QString text = QString::fromLatin1(object.DisplayName());
  const int width = QFontMetrics(font).horizontalAdvance(text) + kCellTextMargins;
  widths_.emplace(object.name, width);
  return width;
}

}  // namespace qarn
