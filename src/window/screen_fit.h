#pragma once

class QWidget;

namespace qarn {

// Makes a window that is larger than the free area of its screen smaller, down to its minimum
// size, leaving room for the window manager's title bar: at a large text scale the designed size
// can exceed a small screen.
void FitToScreen(QWidget& window);

}  // namespace qarn
