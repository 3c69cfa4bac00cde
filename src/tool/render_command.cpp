#include "tool/render_command.h"

#include <QBuffer>
#include <QImage>
#include <optional>

#include "document/errors.h"
#include "fileio/file_place.h"
#include "fileio/safe_write.h"
#include "map/map_picture.h"
#include "map/map_placement.h"
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

// The picture to draw on, placed by its world file (or the built-in calibration).
PlacedMap Pristine(const CommandArgs& args) {
  if (!args.Has(QStringLiteral("map"))) return {MapPicture::BuiltInMap(), MapCalibration(), {}};
  const QString path = args.Value(QStringLiteral("map"));
  PlacedMap placed = LoadPlacedMap(path);
  if (!placed.calibration) {
    const QSize size = placed.picture.size();
    throw ToolError(
        "the map picture \"" + path.toStdString() + "\" (" + std::to_string(size.width()) + " x " +
        std::to_string(size.height()) + " pixels) has no world file (such as \"" +
        NewWorldFilePath(path).toStdString() + "\"); place it with 'qarn-tool calibrate' first.");
  }
  return placed;
}

// A mark that cannot be drawn (an object that does not exist, a point far outside any map) is the
// path set's fault, so the message names it as the editor names a file.
MapPicture Render(const PlacedMap& map, const QString& path, std::optional<int> object) {
  const LoadedPathSet loaded = LoadPathSet(path);
  const MapTransform transform(*map.calibration);
  return WithPlace(FilePlace(path),
                   [&] { return MarkedMap(map.picture, loaded.doc, object, transform); });
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
      "or IMAGE (any format Qt reads, up to 8192 x 8192 pixels), placed in the world by\n"
      "its world file (IMAGE with the extension .pgw, .jgw, .bpw, .tfw or .wld; see\n"
      "'qarn-tool calibrate'); a 1280 x 1600 picture without one is placed as the\n"
      "built-in map. With --size the picture is made smaller (never larger) so its\n"
      "longer side is PIXELS long, the marks drawn at their own size so they stay\n"
      "visible: a thumbnail. Needs no display. OUT.png is always written as PNG, and\n"
      "not at all when something fails.");
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
