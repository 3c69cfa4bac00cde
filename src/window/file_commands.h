#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "fileio/disk_snapshot.h"
#include "window/recent_files.h"

class QMenu;

namespace qarn {

class DialogPlaces;
class DiskChangeGuard;
class FormDialogs;
class PathSetDocument;
class TQarnForm;

// The window's file commands: New, Load, Merge, Save, Save As and Revert with their dialogs,
// the question about unsaved changes before a document is replaced, the recent files, dropped
// files, and the guard against overwriting another program's change to the open file.
class FileCommands : public QObject {
  Q_OBJECT

 public:
  FileCommands(TQarnForm& form, PathSetDocument& model, FormDialogs& dialogs);
  ~FileCommands() override;

  void LoadButtonClick();
  void Button1Click();  // Save as
  void Button2Click();  // Merge
  void NewDocument();
  void RevertToSaved();
  void QuickSave();
  bool SaveTo(const QString& path);
  // Asks to save a modified document; false when the user cancels or the save fails.
  bool ConfirmDiscardChanges();
  // Load without the dialog and without asking; false (after the message) on failure.
  bool LoadFile(const QString& path);
  // Load and Merge without their dialogs (recent and dropped files).
  void OpenFile(const QString& path);
  void MergeFiles(const QStringList& paths);
  // A recovery copy as a modified document that saves to `documentPath`; `then` is what that
  // file was when the copy was made.
  bool OpenRecovered(const QString& copyPath, const QString& documentPath,
                     std::optional<DiskSnapshot> then);
  void ShowRecentFiles(QPoint at);
  void FillRecentMenu(QMenu* menu);
  const DiskChangeGuard& DiskGuard() const { return *diskGuard_; }

 private:
  void LoadFrom(const QString& path);
  void OpenChanged(const QString& path);
  void AcceptDrops();

  TQarnForm& form_;
  PathSetDocument& model_;
  FormDialogs& dialogs_;
  std::unique_ptr<DialogPlaces> dialogPlaces_;
  RecentFiles recentFiles_;
  QMenu* recentMenu_ = nullptr;
  DiskChangeGuard* diskGuard_ = nullptr;
};

}  // namespace qarn
