#include "window/form_dialogs.h"

#include <QDateTime>
#include <QFileDialog>
#include <QImageReader>
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

std::optional<QString> FormDialogs::OpenPictureName(QWidget* parent, const QString& proposed) {
  return OpenFileName(parent, QStringLiteral("Map picture"), proposed);
}

std::optional<QString> QtFormDialogs::OpenPictureName(QWidget* parent, const QString& proposed) {
  QStringList patterns;
  for (const QByteArray& format : QImageReader::supportedImageFormats()) {
    patterns << "*." + QString::fromLatin1(format);
  }
  const QString filter = QStringLiteral("Pictures (%1);;alles (*)").arg(patterns.join(' '));
  return Chosen(
      QFileDialog::getOpenFileName(parent, QStringLiteral("Map picture"), proposed, filter));
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

FormDialogs::RecoverAnswer FormDialogs::AskRecover(QWidget*, const QString&, const QDateTime&,
                                                   bool) {
  return RecoverAnswer::Later;
}

FormDialogs::RecoverAnswer QtFormDialogs::AskRecover(QWidget* parent, const QString& documentName,
                                                     const QDateTime& written, bool changedOnDisk) {
  QMessageBox box(
      QMessageBox::Question, QStringLiteral("QarnForm"),
      QStringLiteral("Recover unsaved changes to %1 from %2?").arg(documentName, WhenText(written)),
      QMessageBox::NoButton, parent);
  const QString changed = QStringLiteral(
      "The file changed on disk since then; saving the recovered changes asks before it replaces "
      "the file.\n");
  box.setInformativeText((changedOnDisk ? changed : QString()) +
                         QStringLiteral("Later keeps them for the next start."));
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

FormDialogs::ChangedAnswer FormDialogs::AskOverwriteChanged(QWidget*, const QString&) {
  return ChangedAnswer::Cancel;
}

bool FormDialogs::AskReloadChanged(QWidget*, const QString&) {
  return false;
}

void FormDialogs::TellChangedWhileModified(QWidget*, const QString&) {}

FormDialogs::ChangedAnswer QtFormDialogs::AskOverwriteChanged(QWidget* parent,
                                                              const QString& documentName) {
  QMessageBox box(
      QMessageBox::Warning, QStringLiteral("QarnForm"),
      QStringLiteral("%1 changed on disk since it was loaded or saved.").arg(documentName),
      QMessageBox::NoButton, parent);
  box.setInformativeText(
      QStringLiteral("Overwrite replaces the other program's changes; Reload "
                     "loads them and throws away yours."));
  QPushButton* overwrite = box.addButton(QStringLiteral("&Overwrite"), QMessageBox::AcceptRole);
  QPushButton* reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == overwrite) return ChangedAnswer::Overwrite;
  if (box.clickedButton() == reload) return ChangedAnswer::Reload;
  return ChangedAnswer::Cancel;
}

bool QtFormDialogs::AskReloadChanged(QWidget* parent, const QString& documentName) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("QarnForm"),
                  QStringLiteral("%1 changed on disk. Reload it?").arg(documentName),
                  QMessageBox::NoButton, parent);
  QPushButton* reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::AcceptRole);
  box.setEscapeButton(box.addButton(QStringLiteral("&Keep This Version"), QMessageBox::RejectRole));
  box.setDefaultButton(reload);
  box.exec();
  return box.clickedButton() == reload;
}

void QtFormDialogs::TellChangedWhileModified(QWidget* parent, const QString& documentName) {
  QMessageBox::information(
      parent, QStringLiteral("QarnForm"),
      QStringLiteral("%1 changed on disk. Your unsaved changes are kept; saving asks before it "
                     "replaces the other program's changes.")
          .arg(documentName));
}

}  // namespace qarn
