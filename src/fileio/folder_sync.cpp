#include "fileio/folder_sync.h"

#include <QFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qarn {

bool SyncFolderToDisk([[maybe_unused]] const QString& folder, [[maybe_unused]] QString& reason) {
#ifdef Q_OS_UNIX
  const int handle =
      ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) {
    reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  const bool synced = ::fsync(handle) == 0 || errno == EINVAL || errno == EROFS;
  if (!synced) reason = QString::fromLocal8Bit(std::strerror(errno));
  ::close(handle);
  return synced;
#else
  return true;  // no folder handle to sync there
#endif
}

}  // namespace qarn
