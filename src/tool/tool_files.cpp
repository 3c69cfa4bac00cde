#include "tool/tool_files.h"

#include <memory>
#include <string>

#include "document/file_buffer.h"
#include "document/path_set_codec.h"
#include "fileio/path_set_file.h"
#include "fileio/read_file.h"
#include "tool/tool_errors.h"

namespace qarn {

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
  return WithPlace(path.toStdString(), [&] {
    return ReadRegularFile(path, limit, [limit](qint64) {
      throw ToolError("the file is larger than " + std::to_string(limit) + " bytes.");
    });
  });
}

}  // namespace qarn
