#include "window/form_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace qarn {

namespace {

const QString kFilter = QStringLiteral("Path Sets (*.pathset);;alles (*)");

std::optional<QString> Chosen(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return name;
}

}  // namespace

std::optional<QString> QtFormDialogs::OpenFileName(QWidget* parent, const QString& title,
                                                   const QString& proposed) {
  QFileDialog dialog(parent, title, proposed, kFilter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);  // a name that does not exist may be typed
  dialog.setDefaultSuffix(QStringLiteral("pathset"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().first());
}

std::optional<QString> QtFormDialogs::SaveFileName(QWidget* parent, const QString& proposed) {
  QFileDialog dialog(parent, QStringLiteral("Save"), proposed, kFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pathset"));
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().first());
}

void QtFormDialogs::ShowError(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, QStringLiteral("QarnForm"), message);
}

FormDialogs::SaveAnswer QtFormDialogs::AskSaveChanges(QWidget* parent,
                                                      const QString& documentName) {
  const auto answer = QMessageBox::question(
      parent, QStringLiteral("QarnForm"), QStringLiteral("Save changes to %1?").arg(documentName),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return SaveAnswer::Save;
  if (answer == QMessageBox::Discard) return SaveAnswer::Discard;
  return SaveAnswer::Cancel;
}

}  // namespace qarn
