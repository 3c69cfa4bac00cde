#pragma once

#include <QString>
#include <stdexcept>
#include <string>

#include "document/path_set_records.h"

class QMimeData;

namespace qarn {

// Why nothing could be pasted.
class PasteError : public std::runtime_error {
 public:
  explicit PasteError(const QString& why)
      : std::runtime_error(("Nothing pasted: " + why).toStdString()) {}
};

// Objects on the system clipboard in qarn-tool's JSON: as text, so that a text editor, a second
// editor or 'qarn-tool build' can take them, and under a type of our own.
class ObjectClipboard {
 public:
  static constexpr char kMimeType[] = "application/x-qarn-pathset+json";

  // A path set holding the objects, as 'qarn-tool dump --json' writes one.
  static QMimeData* ToMimeData(const tHeader& objects);
  // The objects of clipboard data: our own type first, else text holding a path set as 'dump
  // --json' writes it, a list of such objects or one object. PasteError says why there are none.
  static tHeader FromMimeData(const QMimeData* data);

  static void Put(const tHeader& objects);
  static tHeader Take();
};

}  // namespace qarn
