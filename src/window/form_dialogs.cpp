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

}  // namespace qarn
