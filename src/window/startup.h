#pragma once

#include <QStringList>
#include <chrono>
#include <memory>
#include <optional>

namespace qarn {

class FormDialogs;
class TQarnForm;

// What the command line asks for.
struct StartOptions {
  QString file;     // a path set to load at start, or empty
  QString mapPath;  // the user's own map picture, or empty for the built-in one
  std::chrono::seconds recoveryInterval{60};  // between recovery copies of unsaved changes
  bool recoverWithoutAsking = false;
  bool showHelp = false;
  bool showVersion = false;
  QString error;  // a malformed command line
};

StartOptions ParseCommandLine(const QStringList& arguments);
// The help, its usage line naming the program "qarn" however it was started.
QString HelpText();
// What the editor prints instead of starting when the command line asks for the help or the
// version and holds no mistake. Answered before QApplication exists, as that needs a display.
std::optional<QString> TerminalAnswer(const QStringList& arguments);

// Builds the window as the command line says: the user's map when it is good (otherwise a
// message and the built-in map; without --map the map last chosen), then the file loaded as Load
// loads it (a bad file shows its message and the editor starts empty). Recovery copies go to
// `recoveryFolder` (by default the user's application data folder); those that ended editors left
// there are offered as soon as the event loop runs.
std::unique_ptr<TQarnForm> CreateEditor(const StartOptions& options,
                                        std::unique_ptr<FormDialogs> dialogs = nullptr,
                                        const QString& recoveryFolder = {});

}  // namespace qarn
