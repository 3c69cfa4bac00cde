#include "tool/tool_files.h"

#include <QFile>
#include <memory>

#include "document/file_buffer.h"
#include "document/path_set_codec.h"
#include "fileio/file_kind.h"
#include "fileio/path_set_file.h"
#include "tool/tool_errors.h"

namespace qarn {

namespace {

[[noreturn]] void FailOn(const QString& path, const QString& what, const QFileDevice& file) {
  throw ToolError((path + ": " + what + ": " + file.errorString() + '.').toStdString());
}

}  // namespace

int LoadedPathSet::TrailingBytes() const {
  return fileBytes - static_cast<int>(SerializedSize(doc));
}

QString TrailingNote(const LoadedPathSet& loaded) {
  const int trailing = loaded.TrailingBytes();
  if (trailing == 0) return {};
  return QStringLiteral("%1 bytes after the last object (not part of the document)\n")
      .arg(trailing);
}

LoadedPathSet LoadPathSet(const QString& path) {
  // The file buffer is 60001 bytes: too large for the stack of a small tool.
  auto buffer = std::make_unique<FileBuffer>();
  LoadedPathSet loaded{LoadPathSetFile(path, *buffer), 0};
  loaded.fileBytes = buffer->usedLength;
  return loaded;
}

void SavePathSet(const tHeader& doc, const QString& path) {
  auto buffer = std::make_unique<FileBuffer>();
  SerializeDocument(doc, *buffer);
  WritePathSetFile(path, *buffer);
}

QByteArray ReadWholeFile(const QString& path, qint64 limit) {
  RequireRegularFile(path);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) FailOn(path, QStringLiteral("cannot open the file"), file);
  const QByteArray data = file.read(limit + 1);
  if (file.error() != QFileDevice::NoError)
    FailOn(path, QStringLiteral("cannot read the file"), file);
  if (data.size() > limit) {
    throw ToolError(
        (path + ": the file is larger than " + QString::number(limit) + " bytes.").toStdString());
  }
  return data;
}

}  // namespace qarn
