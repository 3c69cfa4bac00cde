#pragma once

#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <cstring>

#include "fileio/safe_write.h"

namespace qarn::test {

enum class WriteStep { kOpen, kWrite, kFlush, kCommit };

inline const WriteStep kAllSteps[] = {WriteStep::kOpen, WriteStep::kWrite, WriteStep::kFlush,
                                      WriteStep::kCommit};

inline const char* StepName(WriteStep step) {
  static const char* const kNames[] = {"Open", "Write", "Flush", "Commit"};
  return kNames[static_cast<int>(step)];
}

// The words every writer's message must carry for a failure at `step`.
inline const char* StepWords(WriteStep step) {
  static const char* const kWords[] = {"cannot create the file", "cannot write the file",
                                       "cannot write the file", "cannot save the file"};
  return kWords[static_cast<int>(step)];
}

inline QString DiskFull() {
  return QString::fromLocal8Bit(std::strerror(ENOSPC));
}

// The real steps of a safe write, except that one of them fails as on a full disk; a failing
// write gets half of the bytes through first. Installed for the life of the object.
class FailingSteps : public SaveFileSteps {
 public:
  explicit FailingSteps(WriteStep failing) : failing_(failing), scope_(*this) {}

  bool Open(QSaveFile& file, QString& reason) override {
    return failing_ == WriteStep::kOpen ? Fail(reason) : SaveFileSteps::Open(file, reason);
  }
  bool Write(QSaveFile& file, QByteArrayView bytes, QString& reason) override {
    if (failing_ != WriteStep::kWrite) return SaveFileSteps::Write(file, bytes, reason);
    SaveFileSteps::Write(file, bytes.first(bytes.size() / 2), reason);
    return Fail(reason);
  }
  bool Flush(QSaveFile& file, QString& reason) override {
    return failing_ == WriteStep::kFlush ? Fail(reason) : SaveFileSteps::Flush(file, reason);
  }
  bool Commit(QSaveFile& file, QString& reason) override {
    return failing_ == WriteStep::kCommit ? Fail(reason) : SaveFileSteps::Commit(file, reason);
  }

 private:
  static bool Fail(QString& reason) {
    reason = DiskFull();
    return false;
  }

  WriteStep failing_;
  ScopedSaveFileSteps scope_;
};

}  // namespace qarn::test
