#pragma once

#include <QIcon>
#include <QString>

namespace qarn {

// Gives the running application its name, version, window icon and desktop entry (the Wayland
// app id and the X11 window class follow the entry's name). Call once QApplication exists.
void ApplyProgramIdentity();

// The program's icon at every size drawn for it; empty when the icons are not built in.
QIcon ProgramIcon();

// The About window's text (rich text): the program, its version, copyright and licence.
QString AboutText();

}  // namespace qarn
