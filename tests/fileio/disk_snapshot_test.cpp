#include "fileio/disk_snapshot.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "fileio/safe_write.h"

namespace qarn {
namespace {

// One way another program can leave the file, and whether that is a change of its contents.
struct Change {
  const char* label;
  std::function<void(const QString& path)> apply;
  bool changed;
};

void Append(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write(bytes);
}

// The modification time as it was, so that only the bytes tell.
void KeepingTime(const QString& path, const std::function<void()>& change) {
  const QDateTime before = QFileInfo(path).lastModified();
  change();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(before, QFileDevice::FileModificationTime));
}

class DiskSnapshotTest : public ::testing::TestWithParam<Change> {
 protected:
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("demo.pathset"));
};

TEST_P(DiskSnapshotTest, TellsAChangeOfTheBytesFromATouch) {
  WriteFileSafely(path, "0123456789");
  const std::optional<DiskSnapshot> then = DiskSnapshot::Take(path);
  ASSERT_TRUE(then);
  GetParam().apply(path);
  const std::optional<DiskSnapshot> now = DiskSnapshot::Take(path);
  ASSERT_TRUE(now);
  EXPECT_EQ(then->ChangedTo(*now), GetParam().changed);
  EXPECT_EQ(DiskSnapshot::FromText(now->ToText()), now) << "kept in the recovery notes";
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DiskSnapshotTest,
    ::testing::Values(
        Change{"SizeAlone", [](const QString& p) { KeepingTime(p, [&] { Append(p, "x"); }); },
               true},
        Change{"TimeAlone",
               [](const QString& p) {
                 QFile file(p);
                 ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                 file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime);
               },
               false},
        Change{"InodeAlone", [](const QString& p) { WriteFileSafely(p, "0123456789"); }, false},
        Change{"BytesAlone",
               [](const QString& p) { KeepingTime(p, [&] { WriteFileSafely(p, "9876543210"); }); },
               true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DiskSnapshotTextTest, NotesThatAreNotASnapshotGiveNone) {
  const std::string hash(64, 'a');
  for (const std::string& text :
       {std::string(), std::string("10 20 30"), std::string("1 2 3 abcd"), "ten 20 30 " + hash}) {
    EXPECT_FALSE(DiskSnapshot::FromText(QString::fromStdString(text))) << text;
  }
}

TEST(DiskSnapshotTextTest, NothingThereIsNoSnapshotAndNoError) {
  EXPECT_FALSE(DiskSnapshot::Take(QStringLiteral("/no/such/folder/demo.pathset")));
}

}  // namespace
}  // namespace qarn
