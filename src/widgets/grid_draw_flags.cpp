#include "widgets/grid_draw_flags.h"

#include <Qt>

namespace qarn {

namespace {

int HorizontalAlignment(int32_t bits) {
  if (bits & kDtCenter) return Qt::AlignHCenter;
  if (bits & kDtRight) return Qt::AlignRight;
  return Qt::AlignLeft;
}

// DrawText places text vertically only on a single line; several lines always start at the top.
int VerticalAlignment(int32_t bits) {
  if (!(bits & kDtSingleLine)) return Qt::AlignTop;
  if (bits & kDtVCenter) return Qt::AlignVCenter;
  if (bits & kDtBottom) return Qt::AlignBottom;
  return Qt::AlignTop;
}

}  // namespace

int QtTextFlags(int32_t drawFlags) {
  const int32_t bits = drawFlags == 0 ? kDtDefaultCell : drawFlags;
  int flags = HorizontalAlignment(bits) | VerticalAlignment(bits);
  if (bits & kDtSingleLine) flags |= Qt::TextSingleLine;
  if (bits & kDtWordBreak) flags |= Qt::TextWordWrap;
  if (!(bits & kDtNoPrefix)) flags |= Qt::TextShowMnemonic;
  return flags;
}

}  // namespace qarn
