#include "fileio/safe_write.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "document/errors.h"
#include "failing_steps.h"
#include "odd_files.h"

namespace qarn {
namespace {

using test::WriteStep;

class SafeWriteTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }

  QString Put(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return Path(name);
  }

  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }

  // What WriteFileSafely raised, or "" when it succeeded.
  static std::string Failure(const QString& path, const QByteArray& bytes) {
    try {
      WriteFileSafely(path, bytes);
      return {};
    } catch (const InOutError& error) {
      return error.what();
    }
  }

  QTemporaryDir dir;
};

class FailedStepTest : public SafeWriteTest, public ::testing::WithParamInterface<WriteStep> {};

TEST_P(FailedStepTest, KeepsTheOldFileAndGivesTheSystemsReason) {
  const QString old = Put(QStringLiteral("old.pathset"), QByteArray(5000, 'o'));
  const test::FailingSteps failing(GetParam());
  EXPECT_EQ(Failure(old, QByteArray(20000, 'n')), std::string("old.pathset: I/O error: ") +
                                                      test::StepWords(GetParam()) + ": " +
                                                      test::DiskFull().toStdString() + '.');
  EXPECT_EQ(Read(old), QByteArray(5000, 'o'));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.pathset"})
      << "no temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedStepTest, ::testing::ValuesIn(test::kAllSteps),
                         [](const auto& info) { return test::StepName(info.param); });

TEST_F(SafeWriteTest, KeepsPermissionsAndWritesThroughALink) {
  const QString target = Put(QStringLiteral("target.pathset"), "old");
  const auto permissions =
      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
  ASSERT_TRUE(QFile::setPermissions(target, permissions));
  ASSERT_TRUE(QFile::link(target, Path(QStringLiteral("link.pathset"))));
  WriteFileSafely(Path(QStringLiteral("link.pathset")), "new");
  EXPECT_EQ(test::NodeType(Path(QStringLiteral("link.pathset"))), S_IFLNK);
  EXPECT_EQ(Read(target), "new");
  const auto user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
  EXPECT_EQ(QFile::permissions(target) & ~user, permissions);
}

TEST_F(SafeWriteTest, AMissingFolderIsNamedInFull) {
  const QString path = Path(QStringLiteral("no/such/folder/new.pathset"));
  EXPECT_EQ(Failure(path, "new"), "new.pathset: I/O error: the folder " +
                                      Path(QStringLiteral("no/such/folder")).toStdString() +
                                      " does not exist.");
}

// Records the folder each save syncs after its rename; from the third save on it fails there,
// as a full disk would.
class FolderSyncSteps : public SaveFileSteps {
 public:
  FolderSyncSteps() : scope_(*this) {}
  bool SyncFolder(const QString& folder, QString& reason) override {
    synced << folder;
    reason = test::DiskFull();
    return synced.size() < 3 && SaveFileSteps::SyncFolder(folder, reason);
  }
  QStringList synced;

 private:
  ScopedSaveFileSteps scope_;
};

// A link's target's folder is the one synced; a failure there is no success, as a power cut
// could still undo the save.
TEST_F(SafeWriteTest, SyncsTheFolderOfTheFileItReplacedAndReportsAFailureThere) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("real")));
  const QString target = Put(QStringLiteral("real/target.pathset"), "old");
  ASSERT_TRUE(QFile::link(target, Path(QStringLiteral("link.pathset"))));
  FolderSyncSteps steps;
  WriteFileSafely(Path(QStringLiteral("link.pathset")), "new");
  WriteFileSafely(Path(QStringLiteral("fresh.pathset")), "new");
  EXPECT_EQ(steps.synced, (QStringList{QFileInfo(target).canonicalPath(),
                                       QFileInfo(dir.path()).canonicalFilePath()}));
  EXPECT_EQ(Failure(target, "newer"),
            "target.pathset: I/O error: the file is saved, but its "
            "folder cannot be synced to the disk: " +
                test::DiskFull().toStdString() + '.');
}

// /proc takes no new files: its "No such file or directory" is the temporary file's.
TEST_F(SafeWriteTest, AFolderThatHoldsNoNewFilesIsNamedWithTheReason) {
  if (!test::IsRoot() || !QFileInfo::exists("/proc/version"))
    GTEST_SKIP() << "needs root and /proc";
  EXPECT_EQ(Failure("/proc/version", "new"),
            "version: I/O error: cannot create the file: no temporary file can be made in /proc: " +
                QString::fromLocal8Bit(std::strerror(ENOENT)).toStdString() + '.');
}

// Saving as root keeps a user's file the user's.
TEST_F(SafeWriteTest, RootKeepsTheOwner) {
  if (!test::IsRoot()) GTEST_SKIP() << "only root may give a file to another owner";
  const QString path = Put(QStringLiteral("theirs.pathset"), "old");
  ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 4321, 4322), 0);
  WriteFileSafely(path, "new");
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
  EXPECT_EQ(status.st_uid, 4321u);
  EXPECT_EQ(status.st_gid, 4322u);
  EXPECT_EQ(Read(path), "new");
}

}  // namespace
}  // namespace qarn
