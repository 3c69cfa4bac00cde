#include "fileio/file_kind.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <optional>

#include "document/errors.h"
#include "odd_files.h"

namespace qarn {
namespace {

struct Node {
  const char* label;
  std::function<bool(const QString& path)> make;  // false: cannot be made here
  std::optional<QString> kind;
};

class FileKindTest : public ::testing::TestWithParam<Node> {
 protected:
  QTemporaryDir dir;
};

bool Regular(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

bool LinkTo(const QString& path, const std::function<bool(const QString&)>& make) {
  return make(path + ".target") && QFile::link(path + ".target", path);
}

TEST_P(FileKindTest, NamesWhatIsNotARegularFile) {
  const QString path = dir.filePath(QStringLiteral("node"));
  if (!GetParam().make(path)) GTEST_SKIP() << "cannot make " << GetParam().label << " here";
  EXPECT_EQ(NonRegularKind(path), GetParam().kind);
  if (!GetParam().kind) {
    EXPECT_NO_THROW(RequireRegularFile(path));
    return;
  }
  try {
    RequireRegularFile(path);
    ADD_FAILURE() << "not refused";
  } catch (const InOutError& error) {
    EXPECT_EQ(error.what(), "I/O error: " + path.toStdString() + " is not a regular file but " +
                                GetParam().kind->toStdString() + '.');
  }
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, FileKindTest,
    ::testing::Values(
        Node{"Regular", Regular, std::nullopt},
        Node{"Nothing", [](const QString&) { return true; }, std::nullopt},
        Node{"LinkToRegular", [](const QString& p) { return LinkTo(p, Regular); }, std::nullopt},
        Node{"Folder", [](const QString& p) { return QDir().mkdir(p); }, "a folder"},
        Node{"Fifo", test::MakeFifo, "a FIFO"},
        Node{"LinkToFifo", [](const QString& p) { return LinkTo(p, test::MakeFifo); }, "a FIFO"},
        Node{"Socket", test::MakeSocket, "a socket"},
        Node{"CharacterDevice", test::MakeCharDevice, "a character device"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace qarn
