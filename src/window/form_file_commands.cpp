// New, Load, Save, Merge and Revert, and the question about unsaved changes before a document is
// replaced.
#include <QDir>

#include "window/dialog_places.h"
#include "window/disk_change_guard.h"
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
  if (!ConfirmDiscardChanges()) return;
  const std::optional<QString> name =
      dialogs_->OpenFileName(this, QStringLiteral("Load"), dialogPlaces_->OpenProposal());
  if (!name) return;
  dialogPlaces_->Used(*name);
  LoadFrom(*name);
}

bool TQarnForm::LoadFile(const QString& path) {
  bool loaded = false;
  Guard([&] {
    LoadFrom(path);
    loaded = true;
  });
  return loaded;
}

// The file is checked whole before anything of the open document changes.
void TQarnForm::LoadFrom(const QString& path) {
  model_->Load(path);
  diskGuard_->Remember(path);
  recentFiles_.Add(path);
}

void TQarnForm::NewDocument() {
  if (!ConfirmDiscardChanges()) return;
  model_->New();
  diskGuard_->Forget();
}

void TQarnForm::RevertToSaved() {
  const QString path = model_->Path();
  if (path.isEmpty()) return;
  if (model_->IsModified() &&
      !dialogs_->AskRevert(this, QDir::toNativeSeparators(path))) {
    return;
  }
  LoadFrom(path);
}

void TQarnForm::Button1Click() {
  const std::optional<QString> name =
      dialogs_->SaveFileName(this, dialogPlaces_->SaveProposal(model_->Path()));
  if (!name) return;
  SaveTo(*name);
}

bool TQarnForm::SaveTo(const QString& path) {
  bool saved = false;
  Guard([&] {
    if (!diskGuard_->MayWrite(path)) return;
    model_->SaveTo(path);
    diskGuard_->Remember(path);
    recentFiles_.Add(path);
    saved = true;
  });
  UpdateStatus();
  return saved;
}

void TQarnForm::QuickSave() {
  if (model_->Path().isEmpty()) {
    Button1Click();
    return;
  }
  SaveTo(model_->Path());
}

bool TQarnForm::ConfirmDiscardChanges() {
  if (!model_->IsModified()) return true;
  switch (dialogs_->AskSaveChanges(this, model_->DisplayName())) {
    case FormDialogs::SaveAnswer::Discard:
      return true;
    case FormDialogs::SaveAnswer::Cancel:
      return false;
    case FormDialogs::SaveAnswer::Save:
      break;
  }
  const std::optional<QString> name =
      dialogs_->SaveFileName(this, dialogPlaces_->SaveProposal(model_->Path()));
  if (!name) return false;
  return SaveTo(*name);
}

void TQarnForm::Button2Click() {
  const std::optional<QString> name =
      dialogs_->OpenFileName(this, QStringLiteral("Merge"), dialogPlaces_->OpenProposal());
  if (!name) return;
  dialogPlaces_->Used(*name);
  MergeFiles({*name});
}

void TQarnForm::MergeFiles(const QStringList& paths) {
  model_->Merge(paths);
  // As after Load, a point that cannot be drawn is reported but keeps the merged objects.
  DrawAllPoints();
}

void TQarnForm::OpenFile(const QString& path) {
  if (ConfirmDiscardChanges()) LoadFrom(path);
}

// The user chose to reload the file that changed on disk: their changes go, as they asked.
void TQarnForm::OpenChanged(const QString& path) {
  Guard([&] { LoadFrom(path); });
}

bool TQarnForm::OpenRecovered(const QString& copyPath, const QString& documentPath,
                              std::optional<DiskSnapshot> then) {
  bool opened = false;
  Guard([&] {
    if (!ConfirmDiscardChanges()) return;
    model_->LoadRecovered(copyPath, documentPath);
    diskGuard_->RememberAsWas(documentPath, std::move(then));
    opened = true;
  });
  return opened;
}

}  // namespace qarn
