#pragma once

// Odd file-system nodes for the tests: FIFOs, sockets and devices, and a guard that keeps a
// regression from blocking the suite on a FIFO.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace qarn::test {

inline bool IsRoot() {
  return ::geteuid() == 0;
}

inline bool MakeFifo(const QString& path) {
  return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// A character device with the numbers of /dev/null: a stand-in that a regression may destroy.
// Only root may make one.
inline bool MakeCharDevice(const QString& path) {
  return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

// A listening Unix socket at `path`; the descriptor stays open for the process's life.
inline bool MakeSocket(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  sockaddr_un address{};
  if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path))) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  return fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
}

// S_IFIFO, S_IFCHR, S_IFDIR, S_IFREG, ... of the node itself (links not followed); 0 for none.
inline mode_t NodeType(const QString& path) {
  struct stat status {};
  if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return 0;
  return status.st_mode & S_IFMT;
}

// Releases a reader that a regression left blocked on the FIFO: when the guard still lives after
// the time limit, it opens the FIFO for writing and closes it again, so the reader sees its end
// and the test can fail instead of hanging. Fired() tells whether that was needed.
class FifoWatchdog {
 public:
  explicit FifoWatchdog(const QString& fifo, std::chrono::seconds limit = std::chrono::seconds(10))
      : fifo_(QFile::encodeName(fifo)), thread_([this, limit] { Watch(limit); }) {}
  ~FifoWatchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  FifoWatchdog(const FifoWatchdog&) = delete;
  FifoWatchdog& operator=(const FifoWatchdog&) = delete;

  bool Fired() const { return fired_; }

 private:
  void Watch(std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, limit, [this] { return done_; })) return;
    fired_ = true;
    while (!done_) {
      const int fd = ::open(fifo_.constData(), O_WRONLY | O_NONBLOCK);  // fails until a reader
      if (fd >= 0) ::close(fd);
      wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return done_; });
    }
  }

  QByteArray fifo_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::atomic<bool> fired_ = false;
  std::thread thread_;
};

}  // namespace qarn::test
