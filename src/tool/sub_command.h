#pragma once

#include <QCommandLineOption>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// What every sub-command of qarn-tool is made of; the dispatcher knows them only through this.
namespace qarn {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Where a sub-command writes: the texts for standard output and standard error.
struct ToolOutput {
  QString& out;
  QString& err;
};

// The parsed command line of one sub-command.
struct CommandArgs {
  QStringList positional;
  QHash<QString, QString> options;  // by long name; a flag maps to an empty string

  bool Has(const QString& name) const { return options.contains(name); }
  QString Value(const QString& name) const { return options.value(name); }
};

struct SubCommand {
  QString name;
  QString synopsis;     // "dump FILE [--json]"
  QString summary;      // one line for the tool's own help
  QString description;  // the body of the sub-command's help
  QList<QCommandLineOption> options;
  int minPositional = 0;
  int maxPositional = -1;  // -1: no limit
  // Returns the exit status; throws UsageError, ToolError or the document's errors.
  std::function<int(const CommandArgs&, ToolOutput&)> run;
  // The status of a failure, standard output that cannot take the output included. diff's 1
  // means "they differ", so its failures are 2.
  int failureStatus = kExitFailure;
};

}  // namespace qarn
