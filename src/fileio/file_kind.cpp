#include "fileio/file_kind.h"

#include <QFile>
#include <filesystem>
#include <system_error>

#include "document/errors.h"

namespace qarn {

namespace {

namespace fs = std::filesystem;

QString KindName(fs::file_type type) {
  switch (type) {
    case fs::file_type::directory:
      return QStringLiteral("a folder");
    case fs::file_type::fifo:
      return QStringLiteral("a FIFO");
    case fs::file_type::socket:
      return QStringLiteral("a socket");
    case fs::file_type::character:
      return QStringLiteral("a character device");
    case fs::file_type::block:
      return QStringLiteral("a block device");
    default:
      return QStringLiteral("an unknown kind of file");
  }
}

}  // namespace

std::optional<QString> NonRegularKind(const QString& path) {
  std::error_code error;
  // status() follows symbolic links, so a link to a regular file is one.
  const fs::file_type type = fs::status(QFile::encodeName(path).toStdString(), error).type();
  if (type == fs::file_type::regular || type == fs::file_type::not_found ||
      type == fs::file_type::none) {
    return std::nullopt;  // nothing there, or nothing known: opening the file will tell
  }
  return KindName(type);
}

void RequireRegularFile(const QString& path) {
  const std::optional<QString> kind = NonRegularKind(path);
  if (!kind) return;
  throw InOutError((path + " is not a regular file but " + *kind + '.').toStdString());
}

}  // namespace qarn
