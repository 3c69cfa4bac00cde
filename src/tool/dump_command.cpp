#include "tool/dump_command.h"

#include <QJsonDocument>
#include <algorithm>

#include "exchange/path_set_json.h"
#include "exchange/record_text.h"
#include "tool/tool_files.h"

namespace qarn {

namespace {

QString DumpHeaderLines(const tHeader& doc) {
  return QStringLiteral("leading word %1\nobject count %2\nlast index %3\n")
      .arg(HexWord(doc.leadingWord))
      .arg(doc.objectCount)
      .arg(HexWord(doc.lastIndex));
}

// The name bytes matter beyond the displayed name only when something follows its first zero.
QString HiddenNameBytes(const tDesc& record) {
  const auto end = std::find(record.name.begin(), record.name.end(), uint8_t{0});
  if (std::all_of(end, record.name.end(), [](uint8_t b) { return b == 0; })) return {};
  const QByteArray bytes(reinterpret_cast<const char*>(record.name.data()), kNameBytes);
  return "  name bytes " + QString::fromLatin1(bytes.toHex().toUpper()) + '\n';
}

QString PointLine(int number, const tPoint& point) {
  return "  point " + QString::number(number) + ": flags " + HexWord(point.flags) + "  x " +
         FloatText(point.x) + "  y " + FloatText(point.y) + "  z " + FloatText(point.z) + '\n';
}

QString ObjectText(int number, const tDesc& record) {
  QString text = "object " + QString::number(number) + ' ' + QuotedName(record) + ": " +
                 QString::number(record.pointCount) + " points, head word " +
                 HexWord(record.headWord) + ", trailer word " + HexWord(record.trailerWord) + '\n';
  text += HiddenNameBytes(record);
  const int count = std::min(static_cast<int>(record.pointCount), kMaxPoints);
  for (int j = 1; j <= count; ++j) text += PointLine(j, record.Point(j));
  return text;
}

QString TextDump(const LoadedPathSet& loaded) {
  QString text = DumpHeaderLines(loaded.doc);
  int number = 0;
  for (const auto& record : loaded.doc.records) text += ObjectText(++number, *record);
  return text + TrailingNote(loaded);
}

int RunDump(const CommandArgs& args, ToolOutput& io) {
  const LoadedPathSet loaded = LoadPathSet(args.positional.first());
  if (!args.Has(QStringLiteral("json"))) {
    io.out += TextDump(loaded);
    return kExitOk;
  }
  io.out += QString::fromUtf8(QJsonDocument(PathSetToJson(loaded.doc)).toJson());
  // The JSON holds the document; bytes after it cannot be rebuilt, and the user should know.
  if (loaded.TrailingBytes() > 0) io.err += "qarn-tool dump: note: " + TrailingNote(loaded);
  return kExitOk;
}

}  // namespace

SubCommand DumpCommand() {
  SubCommand command;
  command.name = QStringLiteral("dump");
  command.synopsis = QStringLiteral("dump FILE [--json]");
  command.summary = QStringLiteral("list every object and point, as text or JSON");
  command.description = QStringLiteral(
      "Lists the header words, every object and every point of the path set FILE:\n"
      "words as 8 hexadecimal digits, coordinates with enough digits to read back the\n"
      "same 32-bit float. With --json it writes a JSON document that holds every byte\n"
      "of the document (all 32 name bytes, the carried words, each float's bit pattern\n"
      "beside its value), from which 'qarn-tool build' writes the file again byte for\n"
      "byte. Bytes after the last object are not part of the document: they are\n"
      "reported but not kept.");
  command.options = {{QStringLiteral("json"), QStringLiteral("Write JSON instead of text.")}};
  command.minPositional = command.maxPositional = 1;
  command.run = RunDump;
  return command;
}

}  // namespace qarn
