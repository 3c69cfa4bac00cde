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
  QMessageBox box(QMessageBox::Question, QStringLiteral("QarnForm"),
                  QStringLiteral("Save changes to %1?").arg(documentName),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Save);
  // Each answer has a key of its own (Alt+S, Alt+D, Alt+C); Escape cancels.
  box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Cancel"));
  const int answer = box.exec();
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

}  // namespace qarn
