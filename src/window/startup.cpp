#include "window/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "map/map_picture.h"
#include "window/form_dialogs.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

void DefineOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(QStringLiteral("Qarn, the path set editor."));
  parser.addOption(
      {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")});
  parser.addOption(
      {{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version.")});
  parser.addOption(
      {QStringLiteral("map"),
       QStringLiteral("Use IMAGE (1280 x 1600 pixels, any format Qt reads) as the map."),
       QStringLiteral("IMAGE")});
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A path set to open."),
                               QStringLiteral("[FILE]"));
}

}  // namespace

StartOptions ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  DefineOptions(parser);
  StartOptions options;
  if (!parser.parse(arguments)) {
    options.error = parser.errorText();
    return options;
  }
  options.showHelp = parser.isSet(QStringLiteral("help"));
  options.showVersion = parser.isSet(QStringLiteral("version"));
  options.mapPath = parser.value(QStringLiteral("map"));
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) options.error = QStringLiteral("Only one file can be opened at a time.");
  if (!files.isEmpty()) options.file = files.first();
  return options;
}

QString HelpText() {
  QCommandLineParser parser;
  DefineOptions(parser);
  return parser.helpText();
}

QString VersionText() {
  return QStringLiteral("qarn %1").arg(QStringLiteral(QARN_VERSION));
}

std::unique_ptr<TQarnForm> CreateEditor(const StartOptions& options,
                                        std::unique_ptr<FormDialogs> dialogs) {
  QImage map;
  QString mapError;
  if (!options.mapPath.isEmpty()) {
    try {
      map = MapPicture::LoadUserMap(options.mapPath);
    } catch (const std::exception& error) {
      mapError = QString::fromUtf8(error.what()) + QStringLiteral("\nThe built-in map is used.");
    }
  }
  auto form = std::make_unique<TQarnForm>(std::move(dialogs), map);
  // Both messages wait until the window is on the screen.
  if (!mapError.isEmpty()) form->ReportError(mapError);
  if (!options.file.isEmpty()) form->LoadFile(options.file);
  return form;
}

}  // namespace qarn
