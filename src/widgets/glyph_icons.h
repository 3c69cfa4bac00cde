#pragma once

#include <QIcon>
#include <QString>

namespace qarn {

// The pictures of the window's glyph buttons.
enum class Glyph {
  CheckMark,
  ArrowN,
  ArrowNE,
  ArrowE,
  ArrowSE,
  ArrowS,
  ArrowSW,
  ArrowW,
  ArrowNW,
  TriangleUp,
  TriangleDown,
  ArrowRightPlus,
  CircleThreeShapes,
  WasteBin,
  BarOverArrowDown,
  ArrowUpOverBar,
  ArrowDownLeft,
  ArrowDownRight,
  ArrowUpRight,
  ArrowUpLeft,
  Undo,
  Redo,
  Plus,
  Minus,
};

// The glyph at 16 x 16 and 32 x 32 pixels (or any size asked for), each in a normal and a greyed
// disabled state, drawn when first shown.
QIcon GlyphIcon(Glyph g);

// The program's icon (a piece of map with point marks) from 16 x 16 to 256 x 256 pixels.
QIcon AppIcon();

// Writes the program's icon as a PNG file of size x size pixels; false when it cannot be written.
bool SaveAppIconPng(const QString& path, int size = 256);

}  // namespace qarn
