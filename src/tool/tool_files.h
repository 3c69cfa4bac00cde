#pragma once

#include <QByteArray>
#include <QString>

#include "document/path_set_records.h"

// Reading and writing files for the sub-commands, always through the editor's own file code.
namespace qarn {

// A path set read and parsed exactly as the editor's Load does, with the length of its file.
struct LoadedPathSet {
  tHeader doc;
  int fileBytes = 0;

  // Bytes after the last declared object: allowed in a file, but not part of the document.
  int TrailingBytes() const;
};

// "N bytes after the last object (not part of the document)", or nothing when there are none.
QString TrailingNote(const LoadedPathSet& loaded);

// The editor's Load; its errors name the file.
LoadedPathSet LoadPathSet(const QString& path);

// The editor's Save: serialise, then write the whole image through a temporary file.
void SavePathSet(const tHeader& doc, const QString& path);

// Reads a whole regular file of at most `limit` bytes; the error names the file and the reason.
QByteArray ReadWholeFile(const QString& path, qint64 limit);

}  // namespace qarn
