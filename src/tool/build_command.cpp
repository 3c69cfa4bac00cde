#include "tool/build_command.h"

#include <QJsonDocument>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "exchange/path_set_json.h"
#include "exchange/strict_json.h"
#include "tool/tool_errors.h"
#include "tool/tool_files.h"

namespace qarn {

namespace {

// The JSON of the largest path set is well under a megabyte; anything far beyond that is not one.
constexpr qint64 kJsonLimit = 16 * 1024 * 1024;

QJsonObject JsonObjectFrom(const QByteArray& text) {
  const QJsonDocument json = ParseStrictJson(text);
  if (!json.isObject()) throw ToolError("expected a JSON object at the top");
  return json.object();
}

// Everything that can refuse the JSON, serialising included, is checked before the output file
// is created, so that every refusal names the JSON file.
tHeader DocumentFrom(const QString& jsonPath) {
  const QByteArray text = ReadWholeFile(jsonPath, kJsonLimit);  // its errors name the file
  return WithPlace(jsonPath.toStdString(), [&] {
    tHeader doc = PathSetFromJson(JsonObjectFrom(text));
    SerializeToBytes(doc);
    return doc;
  });
}

int RunBuild(const CommandArgs& args, ToolOutput&) {
  SavePathSet(DocumentFrom(args.positional.at(0)), args.positional.at(1));
  return kExitOk;
}

}  // namespace

SubCommand BuildCommand() {
  SubCommand command;
  command.name = QStringLiteral("build");
  command.synopsis = QStringLiteral("build JSON OUT");
  command.summary = QStringLiteral("write a path set from the JSON of 'dump --json'");
  command.description = QStringLiteral(
      "Reads JSON as written by 'qarn-tool dump --json' and writes the path set OUT as\n"
      "the editor saves it. 'dump --json' followed by 'build' gives back the file byte\n"
      "for byte, except for bytes after its last object, which are not part of the\n"
      "document. Of a pair of keys (name and nameBytes, x and xBits) either may be left\n"
      "out; if both are given they must agree. A malformed JSON file is refused with a\n"
      "message naming the element (arrays counted from 0) and nothing is written.");
  command.minPositional = command.maxPositional = 2;
  command.run = RunBuild;
  return command;
}

}  // namespace qarn
