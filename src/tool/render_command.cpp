#include "tool/render_command.h"

#include <QBuffer>
#include <QImage>
#include <optional>

#include "document/errors.h"
#include "fileio/file_place.h"
#include "fileio/safe_write.h"
#include "map/map_picture.h"
#include "map/render.h"
#include "map/scaled_map.h"
#include "tool/tool_errors.h"
#include "tool/tool_files.h"

namespace qarn {

namespace {

std::optional<int> ObjectNumber(const CommandArgs& args) {
  if (!args.Has(QStringLiteral("object"))) return std::nullopt;
  bool ok = false;
  const int number = args.Value(QStringLiteral("object")).toInt(&ok);
  if (!ok) {
    throw UsageError("--object expects an object number, not '" +
                     args.Value(QStringLiteral("object")).toStdString() + "'");
  }
  return number;
}

// The longest side asked for, in pixels.
std::optional<int> LongestSide(const CommandArgs& args) {
  if (!args.Has(QStringLiteral("size"))) return std::nullopt;
  bool ok = false;
  const int pixels = args.Value(QStringLiteral("size")).toInt(&ok);
  if (!ok || pixels < 1) {
    throw UsageError("--size expects a whole number of pixels from 1 up, not '" +
                     args.Value(QStringLiteral("size")).toStdString() + "'");
  }
  return pixels;
}

QImage Pristine(const CommandArgs& args) {
  if (!args.Has(QStringLiteral("map"))) return MapPicture::BuiltInMap();
  return MapPicture::LoadUserMap(args.Value(QStringLiteral("map")));
}

// A mark that cannot be drawn (an object that does not exist, a point far outside any map) is the
// path set's fault, so the message names it as the editor names a file.
MapPicture Render(const QImage& pristine, const QString& path, std::optional<int> object) {
  const LoadedPathSet loaded = LoadPathSet(path);
  return WithPlace(FilePlace(path), [&] { return MarkedMap(pristine, loaded.doc, object); });
}

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw ToolError("cannot encode the picture as PNG.");
  return bytes;
}

int RunRender(const CommandArgs& args, ToolOutput&) {
  const std::optional<int> object = ObjectNumber(args);
  const std::optional<int> longestSide = LongestSide(args);
  const MapPicture map = Render(Pristine(args), args.positional.at(0), object);
  WriteFileSafely(args.positional.at(1),
                  Png(longestSide ? ScaledMap(map, *longestSide) : map.Image()));
  return kExitOk;
}

}  // namespace

SubCommand RenderCommand() {
  SubCommand command;
  command.name = QStringLiteral("render");
  command.synopsis =
      QStringLiteral("render FILE OUT.png [--map IMAGE] [--object N] [--size PIXELS]");
  command.summary = QStringLiteral("draw the map with the marks of a path set into a PNG");
  command.description = QStringLiteral(
      "Draws the map as the editor shows it into the PNG file OUT.png: a square at every\n"
      "point of every object of the path set FILE, or with --object N the marks of\n"
      "object N alone (numbered from 1: a red disc at point 1, a line towards point 2\n"
      "and crosses at the further points). The map is the editor's built-in picture,\n"
      "or IMAGE (1280 x 1600 pixels, any format Qt reads). With --size the picture is\n"
      "made smaller (never larger) so its longer side is PIXELS long, the marks drawn\n"
      "at their own size so they stay visible: a thumbnail. Needs no display. OUT.png\n"
      "is always written as PNG, and not at all when something fails.");
  command.options = {
      {QStringLiteral("map"), QStringLiteral("Draw on this picture."), QStringLiteral("IMAGE")},
      {QStringLiteral("object"), QStringLiteral("Draw the marks of object N only."),
       QStringLiteral("N")},
      {QStringLiteral("size"), QStringLiteral("Make the longer side at most PIXELS long."),
       QStringLiteral("PIXELS")}};
  command.minPositional = command.maxPositional = 2;
  command.run = RunRender;
  return command;
}

}  // namespace qarn
