#include "tool/check_command.h"

#include <QFileInfo>
#include <exception>

#include "tool/tool_files.h"

namespace qarn {

namespace {

int PointTotal(const tHeader& doc) {
  int total = 0;
  for (const auto& record : doc.records) total += static_cast<int>(record->pointCount);
  return total;
}

QString OkLine(const QString& path, const LoadedPathSet& loaded) {
  return path + QStringLiteral(": ok (%1 objects, %2 points, %3 bytes)\n")
                    .arg(loaded.doc.objectCount)
                    .arg(PointTotal(loaded.doc))
                    .arg(loaded.fileBytes);
}

// The editor's message starts with the file's name; the line starts with the path as given, so
// the name is taken off the message rather than shown twice.
QString ErrorLine(const QString& path, const QString& message) {
  const QString named = QFileInfo(path).fileName() + ": ";
  const QString reason = message.startsWith(named) ? message.mid(named.size()) : message;
  return path + ": error: " + reason + '\n';
}

bool CheckOne(const QString& path, ToolOutput& io) {
  try {
    io.out += OkLine(path, LoadPathSet(path));
    return true;
  } catch (const std::exception& e) {
    io.err += ErrorLine(path, QString::fromStdString(e.what()));
    return false;
  }
}

int RunCheck(const CommandArgs& args, ToolOutput& io) {
  bool allGood = true;
  for (const QString& path : args.positional) allGood = CheckOne(path, io) && allGood;
  return allGood ? kExitOk : kExitFailure;
}

}  // namespace

SubCommand CheckCommand() {
  SubCommand command;
  command.name = QStringLiteral("check");
  command.synopsis = QStringLiteral("check FILE...");
  command.summary = QStringLiteral("validate files as the editor's Load does");
  command.description = QStringLiteral(
      "Reads each FILE as the editor's Load does. For a good file it prints on standard\n"
      "output\n"
      "  FILE: ok (N objects, M points, B bytes)\n"
      "where B is the file's length; for a refused file it prints on standard error\n"
      "  FILE: error: MESSAGE\n"
      "where MESSAGE is the editor's message for that file, without the file name it\n"
      "starts with (FILE already names it). Exit status 0 when every file is good,\n"
      "1 otherwise.");
  command.minPositional = 1;
  command.run = RunCheck;
  return command;
}

}  // namespace qarn
