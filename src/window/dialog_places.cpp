#include "window/dialog_places.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace qarn {

DialogPlaces::DialogPlaces(QString startFolder, QString presetName)
    : startFolder_(std::move(startFolder)), presetName_(std::move(presetName)) {}

void DialogPlaces::Used(const QString& path) {
  if (!path.isEmpty()) lastFile_ = QFileInfo(path).absoluteFilePath();
}

QString DialogPlaces::OpenProposal() const {
  return lastFile_.isEmpty() ? startFolder_ : lastFile_;
}

QString DialogPlaces::SaveProposal(const QString& documentPath) const {
  if (!documentPath.isEmpty()) return documentPath;
  const QString folder = lastFile_.isEmpty() ? startFolder_ : QFileInfo(lastFile_).path();
  return QDir(folder).filePath(presetName_);
}

}  // namespace qarn
