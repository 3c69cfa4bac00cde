#pragma once

#include <QString>
#include <optional>

class QDateTime;
class QWidget;

namespace qarn {

// Everything the form asks of the user outside its own controls. Tests replace it so that no
// dialog or message box ever blocks them.
class FormDialogs {
 public:
  enum class SaveAnswer { Save, Discard, Cancel };
  enum class RecoverAnswer { Recover, Discard, Later };
  enum class ChangedAnswer { Overwrite, Reload, Cancel };

  virtual ~FormDialogs() = default;
  // The open dialog shared by Load and Merge, titled after the command; nullopt when the user
  // cancels.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                              const QString& proposed) = 0;
  // The save dialog; nullopt when the user cancels.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& proposed) = 0;
  virtual void ShowError(QWidget* parent, const QString& message) = 0;
  virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& documentName) = 0;
  // Whether to recover the unsaved changes that a closed editor left of a document (named by its
  // full path); `changedOnDisk` when its file changed since the copy was made. Dialogs that do
  // not ask keep the changes for a later start.
  virtual RecoverAnswer AskRecover(QWidget* parent, const QString& documentName,
                                   const QDateTime& written, bool changedOnDisk);
  // Whether to throw the unsaved changes away and read the file again. Dialogs that do not ask
  // keep the changes.
  virtual bool AskRevert(QWidget* parent, const QString& path);
  // The About window: what the program is, its version and licence.
  virtual void ShowAbout(QWidget* parent, const QString& text);
  // Before a save over a file that another program changed since it was loaded or saved.
  // Dialogs that do not ask cancel the save.
  virtual ChangedAnswer AskOverwriteChanged(QWidget* parent, const QString& documentName);
  // The open file changed on disk while the document has no unsaved changes: true to reload.
  virtual bool AskReloadChanged(QWidget* parent, const QString& documentName);
  // The open file changed on disk while the document has unsaved changes.
  virtual void TellChangedWhileModified(QWidget* parent, const QString& documentName);
  // The open dialog for a map picture; by default the one of Load and Merge.
  virtual std::optional<QString> OpenPictureName(QWidget* parent, const QString& proposed);
};

// The platform's file dialogs and message boxes.
class QtFormDialogs : public FormDialogs {
 public:
  std::optional<QString> OpenFileName(QWidget* parent, const QString& title,
                                      const QString& proposed) override;
  std::optional<QString> SaveFileName(QWidget* parent, const QString& proposed) override;
  void ShowError(QWidget* parent, const QString& message) override;
  SaveAnswer AskSaveChanges(QWidget* parent, const QString& documentName) override;
  bool AskRevert(QWidget* parent, const QString& path) override;
  void ShowAbout(QWidget* parent, const QString& text) override;
  RecoverAnswer AskRecover(QWidget* parent, const QString& documentName, const QDateTime& written,
                           bool changedOnDisk) override;
  ChangedAnswer AskOverwriteChanged(QWidget* parent, const QString& documentName) override;
  bool AskReloadChanged(QWidget* parent, const QString& documentName) override;
  void TellChangedWhileModified(QWidget* parent, const QString& documentName) override;
  std::optional<QString> OpenPictureName(QWidget* parent, const QString& proposed) override;
};

}  // namespace qarn
