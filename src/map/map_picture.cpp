#include "map/map_picture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "document/errors.h"
#include "document/path_set_records.h"
#include "geometry/polar.h"
#include "geometry/rounding.h"
#include "map/indexed_canvas.h"
#include "map/map_palette.h"
#include "map/map_picture_file.h"
#include "map/map_transform.h"

namespace qarn {
namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr long double kShortestDirectionLine = 12.0L;
// No mark reaches further than this from its point, so marks of points further outside the
// picture are skipped (which also keeps the corner arithmetic far from the integer limits).
constexpr int kMarkReach = 8;

bool MarkMayShow(QPoint p, const QImage& image) {
  return p.x() >= -kMarkReach && p.y() >= -kMarkReach && p.x() < image.width() + kMarkReach &&
         p.y() < image.height() + kMarkReach;
}

int DrawnPointCount(const tDesc& object) {
  return static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
}

// The first mark that could not be drawn. Drawing goes on past it, so the map shows everything
// it can; RaiseUndrawn then throws that mark's error with its place in front.
struct Undrawn {
  const tDesc* object = nullptr;  // none while null
  std::string objectPlace;        // "object 3", or empty when the object has no number
  int point = 0;                  // 0: the point count is above the limit

  void Note(const tDesc& o, int k, const std::function<std::string()>& place) {
    if (object == nullptr) *this = {&o, place(), k};
  }
};

void RaiseUndrawn(const Undrawn& undrawn, const MapTransform& t) {
  if (undrawn.object == nullptr) return;
  if (undrawn.point == 0) {
    WithPlace(undrawn.objectPlace, [&] { CheckPointCount(undrawn.object->pointCount); });
    return;
  }
  const std::string prefix = undrawn.objectPlace.empty() ? "" : undrawn.objectPlace + ", ";
  const tPoint& point = undrawn.object->Point(undrawn.point);
  WithPlace(prefix + "point " + std::to_string(undrawn.point),
            [&] { t.PixelOf(point.x, point.z); });
}

}  // namespace

MapPicture::MapPicture(QImage pristine) : pristine_(std::move(pristine)) {
  if (pristine_.format() != QImage::Format_Indexed8) {
    throw QarnError("The map picture must have 8 bits per pixel with a colour palette.");
  }
  const int black = PaletteIndex(pristine_, kBlack);
  const int red = PaletteIndex(pristine_, kRed);
  if (black < 0 || red < 0) {
    throw QarnError("The map picture's palette must hold pure black and pure red for the marks.");
  }
  black_ = static_cast<uint8_t>(black);
  red_ = static_cast<uint8_t>(red);
  image_ = pristine_.copy();
}

QImage MapPicture::BuiltInMap() {
  QImage map(QStringLiteral(":/map.bmp"));
  if (map.isNull()) throw QarnError("The built-in map picture is missing from the program.");
  return ToMarkablePicture(std::move(map));
}

QImage MapPicture::LoadUserMap(const QString& path) {
  return ToMarkablePicture(ReadMapPictureFile(path));
}

void MapPicture::Restore() {
  if (image_.size() != pristine_.size() || image_.format() != pristine_.format()) {
    image_ = pristine_.copy();
    return;
  }
  // One copy of the pixel bytes; the palette is the pristine one already.
  std::memcpy(image_.bits(), pristine_.constBits(), static_cast<size_t>(pristine_.sizeInBytes()));
}

void MapPicture::DrawAllPoints(const tHeader& doc, const MapTransform& t) {
  Restore();
  IndexedCanvas canvas(image_);
  Undrawn undrawn;
  for (size_t o = 0; o < doc.records.size(); ++o) {
    const tDesc& object = *doc.records[o];
    const auto place = [o] { return "object " + std::to_string(o + 1); };
    const int drawn = DrawnPointCount(object);
    for (int k = 1; k <= drawn; ++k) {
      const tPoint& point = object.points[static_cast<size_t>(k - 1)];
      if (QPoint pixel; t.DrawablePixel(point.x, point.z, pixel)) {
        DrawSquare(canvas, pixel);
      } else {
        undrawn.Note(object, k, place);
      }
    }
    if (object.pointCount > kMaxPoints) undrawn.Note(object, 0, place);
  }
  RaiseUndrawn(undrawn, t);
}

void MapPicture::DrawObjectMarks(const tDesc& object, const MapTransform& t, int number) {
  Restore();
  IndexedCanvas canvas(image_);
  Undrawn undrawn;
  const auto place = [number] { return number > 0 ? "object " + std::to_string(number) : ""; };
  const auto pixel = [&](int k) -> std::optional<QPoint> {
    if (QPoint p; t.DrawablePixel(object.Point(k).x, object.Point(k).z, p)) return p;
    undrawn.Note(object, k, place);
    return std::nullopt;
  };
  const int count = DrawnPointCount(object);
  if (count == 1) {
    if (const auto p = pixel(1)) DrawCross(canvas, *p);
  } else if (count >= 2) {
    const std::optional<QPoint> first = pixel(1);
    const std::optional<QPoint> second = pixel(2);
    if (first) DrawDisc(canvas, *first);
    if (first && second) DrawDirectionLine(canvas, *first, *second);
    for (int k = 3; k <= count; ++k) {
      if (const auto p = pixel(k)) DrawCross(canvas, *p);
    }
  }
  if (object.pointCount > kMaxPoints) undrawn.Note(object, 0, place);
  RaiseUndrawn(undrawn, t);
}

void MapPicture::DrawPointDisc(int px, int py) {
  IndexedCanvas canvas(image_);
  DrawDisc(canvas, {px, py});
}

void MapPicture::DrawDisc(IndexedCanvas& canvas, QPoint p) const {
  if (!MarkMayShow(p, image_)) return;
  canvas.Ellipse(p.x() - 4, p.y() - 4, p.x() + 4, p.y() + 4, black_, red_);
}

void MapPicture::DrawSquare(IndexedCanvas& canvas, QPoint p) const {
  if (!MarkMayShow(p, image_)) return;
  canvas.RectangleOutline(p.x() - 2, p.y() - 2, p.x() + 3, p.y() + 3, black_);
}

void MapPicture::DrawCross(IndexedCanvas& canvas, QPoint p) const {
  if (!MarkMayShow(p, image_)) return;
  canvas.Line(p.x() - 4, p.y() - 4, p.x() + 4, p.y() + 4, black_);
  canvas.Line(p.x() - 4, p.y() + 4, p.x() + 4, p.y() - 4, black_);
}

// From point 1 towards point 2; a line shorter than 12 pixels is lengthened to 12 pixels in the
// same direction, and two points on one pixel give a line to the right (direction 0).
void MapPicture::DrawDirectionLine(IndexedCanvas& canvas, QPoint from, QPoint to) const {
  long double length = 0;
  long double angle = 0;
  RectToPolar(static_cast<long double>(to.x()) - from.x(),
              static_cast<long double>(to.y()) - from.y(), length, angle);
  if (length < kShortestDirectionLine) {
    long double dx = 0;
    long double dy = 0;
    PolarToRect(kShortestDirectionLine, angle, dx, dy);
    to = QPoint(RoundToInt(from.x() + dx), RoundToInt(from.y() + dy));
  }
  canvas.Line(from.x(), from.y(), to.x(), to.y(), black_);
}

}  // namespace qarn
