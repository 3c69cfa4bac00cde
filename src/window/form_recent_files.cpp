// The recent files: the Load button's context menu, also on Ctrl+R.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

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

void TQarnForm::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = recentFiles_.Files();
  if (files.isEmpty()) recentMenu_->addAction(QStringLiteral("No recent files"))->setEnabled(false);
  for (int i = 0; i < files.size(); ++i) {
    const QFileInfo file(files[i]);
    QAction* entry = recentMenu_->addAction(EntryText(i + 1, file));
    entry->setData(files[i]);
    // A file that is gone is shown greyed out, with the reason, until newer files push it out.
    if (!file.isFile()) {
      entry->setEnabled(false);
      entry->setText(entry->text() + QStringLiteral(" - not found"));
    }
    const QString path = files[i];
    connect(entry, &QAction::triggered, this, [this, path] {
      OpenFile(path);
      if (!QFileInfo(path).isFile()) recentFiles_.Remove(path);  // gone since the menu opened
    });
  }
}

void TQarnForm::ShowRecentFiles(QPoint at) {
  FillRecentMenu();
  recentMenu_->popup(at);
  recentMenu_->setActiveAction(recentMenu_->actions().value(0));
}

}  // namespace qarn
