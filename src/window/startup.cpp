#include "window/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "assets/version_text.h"
#include "map/map_picture.h"
#include "window/auto_recovery.h"
#include "window/form_dialogs.h"
#include "window/map_choice.h"
#include "window/qarn_form.h"
#include "window/recovery_offer.h"

namespace qarn {

namespace {

void DefineOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(QStringLiteral("Qarn, the path set editor."));
  parser.addOption(
      {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")});
  parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                    QStringLiteral("Show the version and the licence.")});
  parser.addOption(
      {QStringLiteral("map"),
       QStringLiteral("Use IMAGE (any format Qt reads, up to 8192 x 8192 pixels, placed by its "
                      "world file) as the map."),
       QStringLiteral("IMAGE")});
  parser.addOption({QStringLiteral("recovery-interval"),
                    QStringLiteral("Write the recovery copy of unsaved changes every SECONDS "
                                   "seconds (default 60)."),
                    QStringLiteral("SECONDS"), QStringLiteral("60")});
  parser.addOption({QStringLiteral("recover"),
                    QStringLiteral("Recover unsaved changes left by an editor that ended "
                                   "unexpectedly, without asking.")});
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A path set to open."),
                               QStringLiteral("[FILE]"));
}

// A day at most: a longer interval would protect nothing.
constexpr int kLongestInterval = 24 * 60 * 60;

void ReadInterval(const QCommandLineParser& parser, StartOptions& options) {
  const QString text = parser.value(QStringLiteral("recovery-interval"));
  bool ok = false;
  const int seconds = text.toInt(&ok);
  if (!ok || seconds < 1 || seconds > kLongestInterval) {
    options.error = QStringLiteral(
                        "--recovery-interval takes a whole number of seconds from 1 to "
                        "%1, not '%2'.")
                        .arg(kLongestInterval)
                        .arg(text);
    return;
  }
  options.recoveryInterval = std::chrono::seconds(seconds);
}

// A question is centred on the window, so it waits until the window manager has placed and
// exposed the window (at most about two seconds; some platforms never say so).
void WhenExposed(QWidget* window, std::function<void()> then, int triesLeft = 100) {
  const QWindow* handle = window->windowHandle();
  if (triesLeft == 0 || (handle && handle->isExposed())) {
    then();
    return;
  }
  QTimer::singleShot(20, window, [window, then = std::move(then), triesLeft]() mutable {
    WhenExposed(window, std::move(then), triesLeft - 1);
  });
}

void StartRecovery(TQarnForm& form, FormDialogs& dialogs, const StartOptions& options,
                   const QString& folder) {
  TQarnForm* window = &form;
  FormDialogs* asker = &dialogs;
  auto* recovery = new AutoRecovery(
      form, std::make_unique<RecoveryStore>(folder), options.recoveryInterval,
      [window, asker](const QString& message) { asker->ShowError(window, message); });
  const bool ask = !options.recoverWithoutAsking;
  QTimer::singleShot(0, window, [window, asker, recovery, ask] {
    WhenExposed(window, [window, asker, recovery, ask] {
      try {
        OfferRecovery(*window, *recovery, *asker, ask);
      } catch (const std::exception& error) {
        asker->ShowError(window, QString::fromUtf8(error.what()));
      }
    });
  });
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
  options.recoverWithoutAsking = parser.isSet(QStringLiteral("recover"));
  ReadInterval(parser, options);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) options.error = QStringLiteral("Only one file can be opened at a time.");
  if (!files.isEmpty()) options.file = files.first();
  return options;
}

QString HelpText() {
  QCommandLineParser parser;
  DefineOptions(parser);
  // The parser's usage line names the path the program was started by (or a placeholder before
  // the application exists); the rest of its text is kept.
  const QString text = parser.helpText();
  return QStringLiteral("Usage: qarn [options] [FILE]") + text.mid(text.indexOf('\n'));
}

std::optional<QString> TerminalAnswer(const QStringList& arguments) {
  const StartOptions options = ParseCommandLine(arguments);
  if (!options.error.isEmpty()) return std::nullopt;
  if (options.showHelp) return HelpText();
  if (options.showVersion) return VersionText(QStringLiteral("qarn"));
  return std::nullopt;
}

std::unique_ptr<TQarnForm> CreateEditor(const StartOptions& options,
                                        std::unique_ptr<FormDialogs> dialogs,
                                        const QString& recoveryFolder) {
  if (!dialogs) dialogs = std::make_unique<QtFormDialogs>();
  FormDialogs& reporter = *dialogs;
  auto form = std::make_unique<TQarnForm>(std::move(dialogs));
  // Every message waits until the window is on the screen.
  form->Maps().Start(options.mapPath);
  if (!options.file.isEmpty()) form->LoadFile(options.file);
  StartRecovery(*form, reporter, options, recoveryFolder);
  return form;
}

}  // namespace qarn
