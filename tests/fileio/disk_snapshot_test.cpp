#include "fileio/disk_snapshot.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "fileio/safe_write.h"

namespace qarn {
namespace {

// What another program leaves: new bytes or not, the modification time put back or not.
struct Change {
  const char* label;
  QByteArray bytes;  // written through a new inode, as careful writers do
  bool keepTime;
  bool changed;
};

class DiskSnapshotTest : public ::testing::TestWithParam<Change> {};

TEST_P(DiskSnapshotTest, OnlyOtherBytesAreAChange) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("demo.pathset"));
  WriteFileSafely(path, "0123456789");
  const std::optional<DiskSnapshot> then = DiskSnapshot::Take(path);
  const QDateTime time = QFileInfo(path).lastModified().addSecs(GetParam().keepTime ? 0 : -60);
  WriteFileSafely(path, GetParam().bytes);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
              file.setFileTime(time, QFileDevice::FileModificationTime));
  const std::optional<DiskSnapshot> now = DiskSnapshot::Take(path);
  ASSERT_TRUE(then && now);
  EXPECT_EQ(then->ChangedTo(*now), GetParam().changed);
  EXPECT_EQ(DiskSnapshot::FromText(now->ToText()), now) << "as the recovery notes keep it";
}

INSTANTIATE_TEST_SUITE_P(Changes, DiskSnapshotTest,
                         ::testing::Values(Change{"SizeAlone", "0123456789a", true, true},
                                           Change{"TimeAndInode", "0123456789", false, false},
                                           Change{"InodeAlone", "0123456789", true, false},
                                           Change{"BytesAlone", "9876543210", true, true}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace qarn
