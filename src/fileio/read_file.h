#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace qarn {

// Reads the file at `path` whole. Anything but a regular file is refused before it is opened, so
// a FIFO cannot make the caller wait. A file longer than `limit` bytes calls tooLarge with its
// length, which must throw the caller's own message; a file that grows while it is read is caught
// too. Throws InOutError with the system's reason (no place: the caller puts the file in front).
QByteArray ReadRegularFile(const QString& path, qint64 limit,
                           const std::function<void(qint64 length)>& tooLarge);

}  // namespace qarn
