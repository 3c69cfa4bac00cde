#pragma once

#include <QString>
#include <optional>

// Only regular files are read or replaced: opening a FIFO blocks until someone writes to it, a
// device never ends or swallows everything, and renaming a new file over either destroys it.
namespace qarn {

// What stands at `path`, symbolic links followed, when it is not a regular file: "a folder",
// "a FIFO", "a socket", "a character device", "a block device" or "an unknown kind of file".
// Nothing when it is a regular file or when nothing is there.
std::optional<QString> NonRegularKind(const QString& path);

// Throws InOutError "PATH is not a regular file but a FIFO." when NonRegularKind finds something.
void RequireRegularFile(const QString& path);

}  // namespace qarn
