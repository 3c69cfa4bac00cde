// Quick save, opening and merging without a dialog (dropped and recent files), recovered
// documents, and the keys of the everyday workflow.
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "fileio/path_set_file.h"
#include "window/disk_change_guard.h"
#include "window/file_drop.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::ConnectWorkflow() {
  const auto bind = [this](const QKeySequence& keys, auto action) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
  };
  bind(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { Button1Click(); });
  bind(QKeySequence(Qt::CTRL | Qt::Key_R),
       [this] { ShowRecentFiles(LoadButton->mapToGlobal(LoadButton->rect().bottomLeft())); });
  // An edit field with the focus takes these keys for its text first; see TextFieldHasFocus.
  bind(QKeySequence::Copy, [this] { CopyObject(); });
  bind(QKeySequence::Cut, [this] { CutObject(); });
  bind(QKeySequence::Paste, [this] { PasteObjects(); });
  recentMenu_ = new QMenu(this);
  recentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
  LoadButton->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LoadButton, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { ShowRecentFiles(LoadButton->mapToGlobal(at)); });
  // Opened after the drop has ended, so that a question about unsaved changes does not hold up
  // the program the file came from.
  auto* drop = new FileDrop(this);
  connect(drop, &FileDrop::OpenRequested, this, [this](const QString& path) {
    QTimer::singleShot(0, this, [this, path] { OpenFile(path); });
  });
  connect(drop, &FileDrop::MergeRequested, this, [this](const QStringList& paths) {
    QTimer::singleShot(0, this, [this, paths] { Guard([&] { MergeFiles(paths); }); });
  });
}

void TQarnForm::QuickSave() {
  if (documentPath_.isEmpty()) {
    Button1Click();
    return;
  }
  SaveTo(documentPath_);
}

void TQarnForm::OpenFile(const QString& path) {
  Guard([&] {
    if (!ConfirmDiscardChanges()) return;
    LoadFrom(path);
  });
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
    ShowLoaded(LoadPathSetFile(copyPath, *buffer_), documentPath);
    diskGuard_->RememberAsWas(documentPath, std::move(then));
    undoStack_.resetClean();  // modified, though nothing can be undone
    opened = true;
  });
  return opened;
}

}  // namespace qarn
