#pragma once

namespace qarn {

// Gives the window's containers and status line the roles a screen reader expects. A plain
// QFrame is otherwise exposed with the role of a top-level window, so Orca takes the panel for
// the window, finds it inactive and stays silent about every control inside. Safe to call more
// than once; needs a QApplication.
void InstallAccessibleRoles();

}  // namespace qarn
