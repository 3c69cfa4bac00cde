#include "fileio/unfinished_saves.h"

#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <QFile>
#include <QTemporaryDir>

#include "fileio/safe_write.h"

namespace qarn {
namespace {

// A file beside demo.pathset as a save killed between the link and the rename of its temporary
// file leaves it, marked for `markedFor`, or a user's file when that is empty.
struct Neighbour {
  const char* name;
  const char* markedFor;
  bool removed;
};

class UnfinishedSavesTest : public ::testing::TestWithParam<Neighbour> {};

TEST_P(UnfinishedSavesTest, TheNextSaveRemovesOnlyAKilledSavesOwnTemporaryFile) {
  QTemporaryDir dir;
  QFile left(dir.filePath(QString::fromLatin1(GetParam().name)));
  ASSERT_TRUE(left.open(QIODevice::WriteOnly) && left.write("complete") == 8);
  if (*GetParam().markedFor) MarkUnfinishedSave(left.handle(), GetParam().markedFor);
  if (*GetParam().markedFor &&
      fgetxattr(left.handle(), "user.qarn.unfinished-save", nullptr, 0) < 0)
    GTEST_SKIP() << "this file system keeps no extended attributes";
  left.close();
  WriteFileSafely(dir.filePath(QStringLiteral("demo.pathset")), "new");
  EXPECT_NE(left.exists(), GetParam().removed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnfinishedSavesTest,
    ::testing::Values(Neighbour{"demo.pathset.Ab12Cd", "demo.pathset", true},
                      Neighbour{"demo.pathset.backup", "", false},
                      Neighbour{"demo.pathset.Ab12Cd", "other.pathset", false},
                      Neighbour{"other.pathset.Ab12Cd", "other.pathset", false},
                      Neighbour{"demo.pathset.Ab-2Cd", "demo.pathset", false}));

}  // namespace
}  // namespace qarn
