#include "fileio/unfinished_saves.h"

#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fileio/safe_write.h"

namespace qarn {
namespace {

// A file beside demo.pathset, marked (or not) as the unfinished save of some file.
struct Neighbour {
  const char* name;
  const char* markedFor;  // nullptr: a user's file without the mark
  bool removed;
};

class UnfinishedSavesTest : public ::testing::TestWithParam<Neighbour> {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }

  // As a save killed between the temporary file's link and its rename leaves it.
  bool Make(const Neighbour& file) const {
    QFile out(Path(QString::fromUtf8(file.name)));
    if (!out.open(QIODevice::WriteOnly) || out.write("complete") != 8) return false;
    if (file.markedFor) MarkUnfinishedSave(out.handle(), Path(QString::fromUtf8(file.markedFor)));
    return true;
  }

  static bool Marked(const QString& path) {
    return ::getxattr(QFile::encodeName(path).constData(), "user.qarn.unfinished-save", nullptr,
                      0) >= 0;
  }

  QTemporaryDir dir;
};

TEST_P(UnfinishedSavesTest, TheNextSaveRemovesOnlyAKilledSavesOwnTemporaryFile) {
  ASSERT_TRUE(Make(GetParam()));
  if (GetParam().markedFor && !Marked(Path(QString::fromUtf8(GetParam().name)))) {
    GTEST_SKIP() << "this file system keeps no extended attributes";
  }
  const QString demo = Path(QStringLiteral("demo.pathset"));
  WriteFileSafely(demo, "old");
  WriteFileSafely(demo, "new");
  EXPECT_NE(QFile::exists(Path(QString::fromUtf8(GetParam().name))), GetParam().removed);
  EXPECT_FALSE(Marked(demo)) << "the saved file keeps no mark";
}

INSTANTIATE_TEST_SUITE_P(Files, UnfinishedSavesTest,
                         ::testing::Values(Neighbour{"demo.pathset.Ab12Cd", "demo.pathset", true},
                                           Neighbour{"demo.pathset.backup", nullptr, false},
                                           Neighbour{"demo.pathset.Ab12Cd", "other.pathset", false},
                                           Neighbour{"other.pathset.Ab12Cd", "other.pathset",
                                                     false},
                                           Neighbour{"demo.pathset.Ab12Cde", "demo.pathset", false},
                                           Neighbour{"demo.pathset.Ab-2Cd", "demo.pathset", false}),
                         [](const auto& info) {
                           std::string name = std::string(info.param.name) +
                                              (info.param.markedFor ? "_marked" : "");
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name + "_" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace qarn
