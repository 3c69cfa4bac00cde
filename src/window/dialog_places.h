#pragma once

#include <QString>

namespace qarn {

// Where the file dialogs start. The open dialog (Load and Merge) offers the file last loaded,
// merged or saved, so it starts in that file's folder; the save dialog offers the open file, or
// before there is one a preset name in the folder last used.
class DialogPlaces {
 public:
  // The folder for a start without any file: `startFolder`, with `presetName` to save under.
  DialogPlaces(QString startFolder, QString presetName);

  // A file was loaded, merged or saved (through a dialog or not).
  void Used(const QString& path);
  QString OpenProposal() const;
  // `documentPath` is the open file's path, empty when the document has none.
  QString SaveProposal(const QString& documentPath) const;

 private:
  QString lastFile_;
  QString startFolder_;
  QString presetName_;
};

}  // namespace qarn
