#include "window/form_dialogs.h"

#include <QDateTime>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace qarn {

namespace {

const QString kFilter = QStringLiteral("Path Sets (*.pathset);;alles (*)");

// "17:42" today, with the date before it on any other day.
QString WhenText(const QDateTime& written) {
  const QLocale locale;
  const QString time = locale.toString(written.time(), QLocale::ShortFormat);
  if (written.date() == QDate::currentDate()) return time;
  return locale.toString(written.date(), QLocale::ShortFormat) + ' ' + time;
}

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

FormDialogs::RecoverAnswer FormDialogs::AskRecover(QWidget*, const QString&, const QDateTime&) {
  return RecoverAnswer::Later;
}

FormDialogs::RecoverAnswer QtFormDialogs::AskRecover(QWidget* parent, const QString& documentName,
                                                     const QDateTime& written) {
  QMessageBox box(
      QMessageBox::Question, QStringLiteral("QarnForm"),
      QStringLiteral("Recover unsaved changes to %1 from %2?").arg(documentName, WhenText(written)),
      QMessageBox::NoButton, parent);
  box.setInformativeText(QStringLiteral("Later keeps them for the next start."));
  QPushButton* recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton(QStringLiteral("&Later"), QMessageBox::RejectRole);
  box.setDefaultButton(recover);
  box.setEscapeButton(later);  // closing the question must never throw the changes away
  box.exec();
  if (box.clickedButton() == recover) return RecoverAnswer::Recover;
  if (box.clickedButton() == discard) return RecoverAnswer::Discard;
  return RecoverAnswer::Later;
}

bool FormDialogs::AskRevert(QWidget*, const QString&) {
  return false;
}

void FormDialogs::ShowAbout(QWidget*, const QString&) {}

bool QtFormDialogs::AskRevert(QWidget* parent, const QString& path) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("QarnForm"),
                  QStringLiteral("Revert to the saved %1?").arg(path), QMessageBox::NoButton,
                  parent);
  box.setInformativeText(QStringLiteral("The unsaved changes will be lost."));
  QPushButton* revert = box.addButton(QStringLiteral("&Revert"), QMessageBox::DestructiveRole);
  QPushButton* keep = box.addButton(QStringLiteral("&Keep changes"), QMessageBox::RejectRole);
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  box.exec();
  return box.clickedButton() == revert;
}

void QtFormDialogs::ShowAbout(QWidget* parent, const QString& text) {
  QMessageBox::about(parent, QStringLiteral("About Qarn"), text);
}

}  // namespace qarn
