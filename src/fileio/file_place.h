#pragma once

#include <QFileInfo>
#include <QString>
#include <string>

namespace qarn {

// How messages name a file in front of what went wrong: its name without the folders.
inline std::string FilePlace(const QString& path) {
  return QFileInfo(path).fileName().toStdString();
}

}  // namespace qarn
