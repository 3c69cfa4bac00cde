#include "tool/tool.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "assets/version_text.h"
#include "tool/build_command.h"
#include "tool/calibrate_command.h"
#include "tool/check_command.h"
#include "tool/command_line.h"
#include "tool/diff_command.h"
#include "tool/dump_command.h"
#include "tool/info_command.h"
#include "tool/merge_command.h"
#include "tool/render_command.h"
#include "tool/sub_command.h"
#include "tool/tool_errors.h"

namespace qarn {

namespace {

const std::vector<SubCommand>& SubCommands() {
  static const std::vector<SubCommand> commands{InfoCommand(),  CheckCommand(), DumpCommand(),
                                                BuildCommand(), MergeCommand(), RenderCommand(),
                                                CalibrateCommand(), DiffCommand()};
  return commands;
}

const SubCommand* Find(const QString& name) {
  for (const SubCommand& command : SubCommands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

QString ToolHelp() {
  QString help = QStringLiteral(
      "Usage: qarn-tool COMMAND [ARGUMENTS]\n\n"
      "Reads, checks and writes path-set files with the editor's own file code.\n\n"
      "Commands:\n");
  for (const SubCommand& command : SubCommands()) {
    help += QStringLiteral("  %1  %2\n").arg(command.name, -8).arg(command.summary);
  }
  return help +
         QStringLiteral(
             "\nRun 'qarn-tool COMMAND --help' (or 'qarn-tool help COMMAND') for the arguments\n"
             "of a command, 'qarn-tool --version' for the version and licence.\n"
             "Exit status: 0 on success, 1 when something failed, 2 for a usage error.\n");
}

int UsageFailure(const QString& prefix, const QString& message, const QString& helpCall,
                 ToolOutput& io) {
  io.err += prefix + ": " + message + "\nTry '" + helpCall + "'.\n";
  return kExitUsage;
}

int RunCommand(const SubCommand& command, const QStringList& args, ToolOutput& io) {
  const QString prefix = "qarn-tool " + command.name;
  try {
    const CommandArgs parsed = ParseCommandArgs(command, args);
    if (parsed.Has(QStringLiteral("help"))) {
      io.out += CommandHelp(command);
      return kExitOk;
    }
    return command.run(parsed, io);
  } catch (const UsageError& e) {
    return UsageFailure(prefix, QString::fromStdString(e.what()), prefix + " --help", io);
  } catch (const std::exception& e) {
    io.err += prefix + ": " + QString::fromStdString(e.what()) + '\n';
    return command.failureStatus;
  }
}

}  // namespace

int RunTool(const QStringList& args, QString* out, QString* err) {
  ToolOutput io{*out, *err};
  const QString tool = QStringLiteral("qarn-tool");
  if (args.isEmpty()) {
    return UsageFailure(tool, QStringLiteral("missing command"), tool + " --help", io);
  }
  const QString& first = args.first();
  if (first == QLatin1String("help") && args.size() == 2) {
    return RunTool({args.at(1), QStringLiteral("--help")}, out, err);
  }
  if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
      first == QLatin1String("help")) {
    *out += ToolHelp();
    return kExitOk;
  }
  if (first == QLatin1String("--version")) {
    *out += VersionText(tool);
    return kExitOk;
  }
  const SubCommand* command = Find(first);
  if (command == nullptr) {
    return UsageFailure(tool, "unknown command '" + first + "'", tool + " --help", io);
  }
  return RunCommand(*command, args.mid(1), io);
}

int OutputFailureStatus(const QStringList& args, int status) {
  const SubCommand* command = args.isEmpty() ? nullptr : Find(args.first());
  return std::max(status, command ? command->failureStatus : kExitFailure);
}

}  // namespace qarn
