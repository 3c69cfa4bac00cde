#pragma once

class QToolButton;

namespace qarn {

// The glyph buttons of the edit panel and of the hidden calibration block, under their layout
// names. The layout fills these pointers and the handlers are connected through them, so a
// misspelt button name does not compile.
struct FormButtons {
  // object list
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  QToolButton* SpeedButton7 = nullptr;
  // type preset and flags
  QToolButton* SpeedButton21 = nullptr;
  QToolButton* SpeedButton18 = nullptr;
  // direction pad and height
  QToolButton* nwButton = nullptr;
  QToolButton* nButton = nullptr;
  QToolButton* neButton = nullptr;
  QToolButton* wButton = nullptr;
  QToolButton* eButton = nullptr;
  QToolButton* swButton = nullptr;
  QToolButton* sButton = nullptr;
  QToolButton* seButton = nullptr;
  QToolButton* UpButton = nullptr;
  QToolButton* DownButton = nullptr;
  // rotation
  QToolButton* rotLeftButton = nullptr;
  QToolButton* rotRightButton = nullptr;
  QToolButton* rotOkButton = nullptr;
  QToolButton* rotRightButton2 = nullptr;
  QToolButton* rotLeftButton2 = nullptr;
  QToolButton* XrotLeftButton = nullptr;
  QToolButton* XrotRightButton2 = nullptr;
  QToolButton* XrotOkButton = nullptr;
  QToolButton* XrotRightButton = nullptr;
  QToolButton* XrotLeftButton2 = nullptr;
  // placement
  QToolButton* SpeedButton4 = nullptr;
  QToolButton* SpeedButton5 = nullptr;
  QToolButton* SpeedButton20 = nullptr;
  QToolButton* SpeedButton8 = nullptr;
  QToolButton* SpeedButton19 = nullptr;
  QToolButton* SpeedButton17 = nullptr;
  // calibration (hidden)
  QToolButton* SpeedButton9 = nullptr;
  QToolButton* SpeedButton10 = nullptr;
  QToolButton* SpeedButton16 = nullptr;
  QToolButton* SpeedButton15 = nullptr;
  QToolButton* SpeedButton11 = nullptr;
  QToolButton* SpeedButton12 = nullptr;
  QToolButton* SpeedButton13 = nullptr;
  QToolButton* SpeedButton14 = nullptr;
};

}  // namespace qarn
