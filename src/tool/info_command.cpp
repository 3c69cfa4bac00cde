#include "tool/info_command.h"

#include "exchange/record_text.h"
#include "tool/tool_files.h"

namespace qarn {

namespace {

QString InfoHeaderLines(const tHeader& doc) {
  return QStringLiteral("leading word  %1\nobject count  %2\nlast index    %3\n")
      .arg(HexWord(doc.leadingWord))
      .arg(doc.objectCount)
      .arg(HexWord(doc.lastIndex));
}

// Built by concatenation: a name may hold "%1" and must not be taken for a place marker.
QString Row(const QString& number, const QString& name, const QString& points, const QString& head,
            const QString& trailer) {
  return number.rightJustified(6) + "  " + name.leftJustified(34) + "  " +
         points.rightJustified(6) + "  " + head.leftJustified(8) + "  " + trailer + '\n';
}

QString ObjectLine(int number, const tDesc& record) {
  return Row(QString::number(number), QuotedName(record), QString::number(record.pointCount),
             HexWord(record.headWord), HexWord(record.trailerWord));
}

int RunInfo(const CommandArgs& args, ToolOutput& io) {
  const LoadedPathSet loaded = LoadPathSet(args.positional.first());
  io.out += InfoHeaderLines(loaded.doc);
  io.out += TrailingNote(loaded);
  if (loaded.doc.records.empty()) return kExitOk;
  io.out += Row(QStringLiteral("object"), QStringLiteral("name"), QStringLiteral("points"),
                QStringLiteral("head"), QStringLiteral("trailer"));
  int number = 0;
  for (const auto& record : loaded.doc.records) io.out += ObjectLine(++number, *record);
  return kExitOk;
}

}  // namespace

SubCommand InfoCommand() {
  SubCommand command;
  command.name = QStringLiteral("info");
  command.synopsis = QStringLiteral("info FILE");
  command.summary = QStringLiteral("show the header words and one line per object");
  command.description = QStringLiteral(
      "Shows the header words of the path set FILE (leading word and last index in\n"
      "hexadecimal, the object count in decimal), then one line per object: its\n"
      "number, name, point count, head word and trailer word. FILE is read as the\n"
      "editor's Load reads it; a file it refuses is refused here with the same message.");
  command.minPositional = command.maxPositional = 1;
  command.run = RunInfo;
  return command;
}

}  // namespace qarn
