#pragma once

#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <cstring>

#include "fileio/safe_write.h"

namespace qarn::test {

enum class WriteStep { kOpen, kWrite, kFlush, kCommit };

inline const char* StepName(WriteStep step) {
  switch (step) {
    case WriteStep::kOpen:
      return "Open";
    case WriteStep::kWrite:
      return "Write";
    case WriteStep::kFlush:
      return "Flush";
    case WriteStep::kCommit:
      return "Commit";
  }
  return "";
}

// The words every writer's message must carry for a failure at `step`.
inline const char* StepWords(WriteStep step) {
  switch (step) {
    case WriteStep::kOpen:
      return "cannot create the file";
    case WriteStep::kWrite:
    case WriteStep::kFlush:
      return "cannot write the file";
    case WriteStep::kCommit:
      return "cannot save the file";
  }
  return "";
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

inline const WriteStep kAllSteps[] = {WriteStep::kOpen, WriteStep::kWrite, WriteStep::kFlush,
                                      WriteStep::kCommit};

}  // namespace qarn::test
