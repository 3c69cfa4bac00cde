// Load, Save and Merge, and the question about unsaved changes before a document is replaced.
#include <QDir>
#include <QPushButton>

#include "document/path_set_codec.h"
#include "fileio/path_set_file.h"
#include "window/dialog_places.h"
#include "window/map_choice.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

// Where the dialogs start: the game's folder when this machine has it, else the user's home.
QString InitialDirectory() {
  const QString gameFolder = QStringLiteral("/race/sf");
  return QDir(gameFolder).exists() ? gameFolder : QDir::homePath();
}

}  // namespace

void TQarnForm::InitDialogNames() {
  dialogPlaces_ =
      std::make_unique<DialogPlaces>(InitialDirectory(), QStringLiteral("roam.pathset"));
}

void TQarnForm::LoadButtonClick() {
  Guard([this] {
    if (!ConfirmDiscardChanges()) return;
    const std::optional<QString> name =
        dialogs_->OpenFileName(this, QStringLiteral("Load"), dialogPlaces_->OpenProposal());
    if (!name) return;
    dialogPlaces_->Used(*name);
    LoadFrom(*name);
  });
}

void TQarnForm::LoadFrom(const QString& path) {
  // The file is checked whole before anything of the open document changes.
  ShowLoaded(LoadPathSetFile(path, *buffer_), path);
  recentFiles_.Add(path);
  mapChoice_->DocumentOpened(path);
}

void TQarnForm::ShowLoaded(tHeader loaded, const QString& path) {
  document_ = std::move(loaded);
  RefillObjectList();
  documentPath_ = path;
  dialogPlaces_->Used(path);
  undoStack_.clear();
  UpdateUndoButtons();
  DrawAllPoints();
}

bool TQarnForm::LoadFile(const QString& path) {
  bool loaded = false;
  Guard([&] {
    LoadFrom(path);
    loaded = true;
  });
  return loaded;
}

void TQarnForm::Button1Click() {
  Guard([this] {
    const std::optional<QString> name =
        dialogs_->SaveFileName(this, dialogPlaces_->SaveProposal(documentPath_));
    if (!name) return;
    SaveTo(*name);
  });
}

bool TQarnForm::SaveTo(const QString& path) {
  bool saved = false;
  Guard([&] {
    SerializeDocument(document_, *buffer_);
    WritePathSetFile(path, *buffer_);
    ParseBuffer(*buffer_, document_);
    RefillObjectList();
    documentPath_ = path;
    dialogPlaces_->Used(path);
    undoStack_.setClean();
    recentFiles_.Add(path);
    saved = true;
  });
  UpdateStatus();
  return saved;
}

bool TQarnForm::ConfirmDiscardChanges() {
  if (!IsModified()) return true;
  switch (dialogs_->AskSaveChanges(this, DocumentName())) {
    case FormDialogs::SaveAnswer::Discard:
      return true;
    case FormDialogs::SaveAnswer::Cancel:
      return false;
    case FormDialogs::SaveAnswer::Save:
      break;
  }
  const std::optional<QString> name =
      dialogs_->SaveFileName(this, dialogPlaces_->SaveProposal(documentPath_));
  if (!name) return false;
  return SaveTo(*name);
}

void TQarnForm::Button2Click() {
  Guard([this] {
    const std::optional<QString> name =
        dialogs_->OpenFileName(this, QStringLiteral("Merge"), dialogPlaces_->OpenProposal());
    if (!name) return;
    dialogPlaces_->Used(*name);
    MergeFiles({*name});
  });
}

void TQarnForm::MergeFiles(const QStringList& paths) {
  RunCommand(QStringLiteral("Merge"), [&] {
    for (const QString& path : paths) MergePathSetFile(path, *buffer_, document_);
    RefillObjectList();
  });
  // As after Load, a point that cannot be drawn is reported but keeps the merged objects.
  DrawAllPoints();
}

void TQarnForm::ConnectFileCommands() {
  connect(LoadButton, &QPushButton::clicked, this, [this] { LoadButtonClick(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

}  // namespace qarn
