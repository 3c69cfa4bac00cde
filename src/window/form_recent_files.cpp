// The recent files (the Load button's context menu, also on Ctrl+R, and the File menu) and
// dropped files.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <QPushButton>
#include <QTimer>

#include "window/file_drop.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

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

void TQarnForm::FillRecentMenu(QMenu* menu) {
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
      Guard([&] { OpenFile(path); });
      if (!QFileInfo(path).isFile()) recentFiles_.Remove(path);  // gone since the menu opened
    });
  }
}

void TQarnForm::ShowRecentFiles(QPoint at) {
  FillRecentMenu(recentMenu_);
  recentMenu_->popup(at);
  recentMenu_->setActiveAction(recentMenu_->actions().value(0));
}

void TQarnForm::AcceptDrops() {
  recentMenu_ = new QMenu(this);
  recentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
  LoadButton->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(LoadButton, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { ShowRecentFiles(LoadButton->mapToGlobal(at)); });
  // Opened after the drop has ended, so that a question about unsaved changes does not hold up
  // the program the file came from.
  auto* drop = new FileDrop(this);
  connect(drop, &FileDrop::OpenRequested, this, [this](const QString& path) {
    QTimer::singleShot(0, this, [this, path] { Guard([&] { OpenFile(path); }); });
  });
  connect(drop, &FileDrop::MergeRequested, this, [this](const QStringList& paths) {
    QTimer::singleShot(0, this, [this, paths] { Guard([&] { MergeFiles(paths); }); });
  });
}

}  // namespace qarn
