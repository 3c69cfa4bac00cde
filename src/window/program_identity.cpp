#include "window/program_identity.h"

#include <QApplication>
#include <QDir>

#include "assets/app_identity.h"

namespace qarn {

void ApplyProgramIdentity() {
  // The name also names the settings and the recovery folder, so it stays "qarn"; X11 shows it
  // as the window class, which the desktop entry's StartupWMClass names.
  QApplication::setApplicationName(QStringLiteral("qarn"));
  // No display name: Qt would add it to every window title after the file ("... — Qarn").
  QApplication::setApplicationVersion(QLatin1String(identity::kVersion));
  QGuiApplication::setDesktopFileName(QLatin1String(identity::kAppId));
  QApplication::setWindowIcon(ProgramIcon());
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList({"qarn-*.png"})) {
    icon.addFile(file.filePath());
  }
  return icon;
}

QString AboutText() {
  return QStringLiteral(
             "<h3>Qarn %1</h3>"
             "<p>The path set editor: objects and their points placed on the world map.</p>"
             "<p>%2</p>"
             "<p>Qarn is free software: you may share and change it under the terms of the GNU "
             "General Public License, version 3 or (at your option) any later version "
             "(%3). There is NO WARRANTY, to the extent permitted by law.</p>"
             "<p><a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">The licence</a> · "
             "<a href=\"%4\">%4</a></p>")
      .arg(QLatin1String(identity::kVersion), QLatin1String(identity::kCopyright),
           QLatin1String(identity::kLicence), QLatin1String(identity::kHomepage));
}

}  // namespace qarn
