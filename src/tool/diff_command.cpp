#include "tool/diff_command.h"

#include <QJsonDocument>

#include "document/path_set_diff.h"
#include "tool/diff_report.h"
#include "tool/tool_files.h"

namespace qarn {

namespace {

// Exit statuses as diff(1) has them, so scripts and review tools read them the same way.
constexpr int kExitSame = 0;
constexpr int kExitDiffer = 1;
constexpr int kExitTrouble = 2;

QString TrailingNotes(const LoadedPathSet& loaded, const QString& path) {
  const QString note = TrailingNote(loaded);
  return note.isEmpty() ? note : "qarn-tool diff: note: " + path + ": " + note;
}

int Compare(const CommandArgs& args, ToolOutput& io) {
  const QString& pathA = args.positional.at(0);
  const QString& pathB = args.positional.at(1);
  const LoadedPathSet a = LoadPathSet(pathA);
  const LoadedPathSet b = LoadPathSet(pathB);
  const PathSetDiff diff = DiffPathSets(a.doc, b.doc);
  if (args.Has(QStringLiteral("json"))) {
    io.out += QString::fromUtf8(QJsonDocument(DiffJson(diff, a.doc, b.doc)).toJson());
  } else {
    io.out += DiffText(diff, a.doc, b.doc);
  }
  io.err += TrailingNotes(a, pathA) + TrailingNotes(b, pathB);
  return diff.Equal() ? kExitSame : kExitDiffer;
}

}  // namespace

SubCommand DiffCommand() {
  SubCommand command;
  command.name = QStringLiteral("diff");
  command.synopsis = QStringLiteral("diff A B [--json]");
  command.summary = QStringLiteral("list what changed from path set A to B, object by object");
  command.description = QStringLiteral(
      "Compares the path sets A and B and lists their differences: header words, and\n"
      "objects removed, added, moved, renamed, or with other points or words (each\n"
      "changed point with its old and new values). Objects are paired by what they\n"
      "hold, since a path set gives them no names of their own: identical objects\n"
      "first, then the same points under another name, then the same name with other\n"
      "points. Prints nothing when the path sets are equal. With --json it writes the\n"
      "same as JSON, objects and points as 'dump --json' writes them.\n"
      "Exit status: 0 when A and B are equal, 1 when they differ, 2 when either cannot\n"
      "be read.");
  command.options = {{QStringLiteral("json"), QStringLiteral("Write JSON instead of text.")}};
  command.minPositional = command.maxPositional = 2;
  command.run = Compare;
  // A file that cannot be compared is 2, not 1: "they differ" must never stand for "one of them
  // is broken".
  command.failureStatus = kExitTrouble;
  return command;
}

}  // namespace qarn
