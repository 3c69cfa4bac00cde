// The file side of the window: New, Load, Merge, Save, Save As and Revert, the question about
// unsaved changes, the recent files, dropped files and the guard against another program's
// changes to the open file.
#include "window/file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "window/dialog_places.h"
#include "window/disk_change_guard.h"
#include "window/file_drop.h"
#include "window/map_choice.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

// Where the dialogs start: the game's folder when this machine has it, else the user's home.
QString InitialDirectory() {
  const QString gameFolder = QStringLiteral("/race/sf");
  return QDir(gameFolder).exists() ? gameFolder : QDir::homePath();
}

// "&1  demo.pathset   (/home/anna/maps)": the number is the key that picks it.
QString EntryText(int number, const QFileInfo& file) {
  const QString key = number < 10 ? QStringLiteral("&%1").arg(number) : QStringLiteral("1&0");
  QString name = file.fileName();
  name.replace(QLatin1Char('&'), QStringLiteral("&&"));
  QString folder = QDir::toNativeSeparators(file.absolutePath());
  folder.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return key + QStringLiteral("  ") + name + QStringLiteral("   (") + folder + ')';
}

}  // namespace

FileCommands::FileCommands(TQarnForm& form, PathSetDocument& model, FormDialogs& dialogs)
    : QObject(&form),
      form_(form),
      model_(model),
      dialogs_(dialogs),
      dialogPlaces_(
          std::make_unique<DialogPlaces>(InitialDirectory(), QStringLiteral("roam.pathset"))) {
  diskGuard_ = new DiskChangeGuard(
      form, dialogs,
      {[this] { return model_.IsModified(); }, [this](const QString& path) { OpenChanged(path); }});
  connect(&model, &PathSetDocument::pathChanged, this, [this](const QString& path) {
    if (!path.isEmpty()) dialogPlaces_->Used(path);
  });
  AcceptDrops();
}

FileCommands::~FileCommands() = default;

void FileCommands::LoadButtonClick() {
  if (!ConfirmDiscardChanges()) return;
  const std::optional<QString> name =
      dialogs_.OpenFileName(&form_, QStringLiteral("Load"), dialogPlaces_->OpenProposal());
  if (!name) return;
  dialogPlaces_->Used(*name);
  LoadFrom(*name);
}

bool FileCommands::LoadFile(const QString& path) {
  bool loaded = false;
  form_.Guard([&] {
    LoadFrom(path);
    loaded = true;
  });
  return loaded;
}

// The file is checked whole before anything of the open document changes.
void FileCommands::LoadFrom(const QString& path) {
  model_.Load(path);
  diskGuard_->Remember(path);
  form_.mapChoice_->DocumentOpened(path);
  recentFiles_.Add(path);
}

void FileCommands::NewDocument() {
  if (!ConfirmDiscardChanges()) return;
  model_.New();
  diskGuard_->Forget();
}

void FileCommands::RevertToSaved() {
  const QString path = model_.Path();
  if (path.isEmpty()) return;
  if (model_.IsModified() && !dialogs_.AskRevert(&form_, QDir::toNativeSeparators(path))) {
    return;
  }
  LoadFrom(path);
}

void FileCommands::Button1Click() {
  const std::optional<QString> name =
      dialogs_.SaveFileName(&form_, dialogPlaces_->SaveProposal(model_.Path()));
  if (!name) return;
  SaveTo(*name);
}

bool FileCommands::SaveTo(const QString& path) {
  bool saved = false;
  form_.Guard([&] {
    if (!diskGuard_->MayWrite(path)) return;
    model_.SaveTo(path);
    diskGuard_->Remember(path);
    recentFiles_.Add(path);
    saved = true;
  });
  return saved;
}

void FileCommands::QuickSave() {
  if (model_.Path().isEmpty()) {
    Button1Click();
    return;
  }
  SaveTo(model_.Path());
}

bool FileCommands::ConfirmDiscardChanges() {
  if (!model_.IsModified()) return true;
  switch (dialogs_.AskSaveChanges(&form_, model_.DisplayName())) {
    case FormDialogs::SaveAnswer::Discard:
      return true;
    case FormDialogs::SaveAnswer::Cancel:
      return false;
    case FormDialogs::SaveAnswer::Save:
      break;
  }
  const std::optional<QString> name =
      dialogs_.SaveFileName(&form_, dialogPlaces_->SaveProposal(model_.Path()));
  if (!name) return false;
  return SaveTo(*name);
}

void FileCommands::Button2Click() {
  const std::optional<QString> name =
      dialogs_.OpenFileName(&form_, QStringLiteral("Merge"), dialogPlaces_->OpenProposal());
  if (!name) return;
  dialogPlaces_->Used(*name);
  MergeFiles({*name});
}

void FileCommands::MergeFiles(const QStringList& paths) {
  model_.Merge(paths);
  // As after Load, a point that cannot be drawn is reported but keeps the merged objects.
  form_.DrawAllPoints();
}

void FileCommands::OpenFile(const QString& path) {
  if (ConfirmDiscardChanges()) LoadFrom(path);
}

// The user chose to reload the file that changed on disk: their changes go, as they asked.
void FileCommands::OpenChanged(const QString& path) {
  form_.Guard([&] { LoadFrom(path); });
}

bool FileCommands::OpenRecovered(const QString& copyPath, const QString& documentPath,
                                 std::optional<DiskSnapshot> then) {
  bool opened = false;
  form_.Guard([&] {
    if (!ConfirmDiscardChanges()) return;
    model_.LoadRecovered(copyPath, documentPath);
    diskGuard_->RememberAsWas(documentPath, std::move(then));
    opened = true;
  });
  return opened;
}

void FileCommands::FillRecentMenu(QMenu* menu) {
  menu->clear();
  const QStringList files = recentFiles_.Files();
  if (files.isEmpty()) menu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
  for (int i = 0; i < files.size(); ++i) {
    const QFileInfo file(files[i]);
    QAction* entry = menu->addAction(EntryText(i + 1, file));
    entry->setData(files[i]);
    // A file that is gone is shown greyed out, with the reason, until newer files push it out.
    if (!file.isFile()) {
      entry->setEnabled(false);
      entry->setText(entry->text() + QStringLiteral(" - not found"));
    }
    const QString path = files[i];
    connect(entry, &QAction::triggered, this, [this, path] {
      form_.Guard([&] { OpenFile(path); });
      if (!QFileInfo(path).isFile()) recentFiles_.Remove(path);  // gone since the menu opened
    });
  }
}

void FileCommands::ShowRecentFiles(QPoint at) {
  FillRecentMenu(recentMenu_);
  recentMenu_->popup(at);
  recentMenu_->setActiveAction(recentMenu_->actions().value(0));
}

void FileCommands::AcceptDrops() {
  recentMenu_ = new QMenu(&form_);
  recentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
  form_.LoadButton->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(form_.LoadButton, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { ShowRecentFiles(form_.LoadButton->mapToGlobal(at)); });
  // Opened after the drop has ended, so that a question about unsaved changes does not hold up
  // the program the file came from.
  auto* drop = new FileDrop(&form_);
  connect(drop, &FileDrop::OpenRequested, this, [this](const QString& path) {
    QTimer::singleShot(0, this, [this, path] { form_.Guard([&] { OpenFile(path); }); });
  });
  connect(drop, &FileDrop::MergeRequested, this, [this](const QStringList& paths) {
    QTimer::singleShot(0, this, [this, paths] { form_.Guard([&] { MergeFiles(paths); }); });
  });
}

}  // namespace qarn
