#include "map/map_picture.h"

#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "document/errors.h"
#include "document/path_set_records.h"
#include "geometry/polar.h"
#include "geometry/rounding.h"
#include "map/indexed_canvas.h"
#include "map/map_palette.h"
#include "map/map_transform.h"

namespace qarn {
namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr long double kShortestDirectionLine = 12.0L;
// No mark reaches further than this from its point, so marks of points further outside the
// picture are skipped (which also keeps the corner arithmetic far from the integer limits).
constexpr int kMarkReach = 8;

std::string Text(const QString& text) {
  return text.toStdString();
}

bool MarkMayShow(QPoint p, const QImage& image) {
  return p.x() >= -kMarkReach && p.y() >= -kMarkReach && p.x() < image.width() + kMarkReach &&
         p.y() < image.height() + kMarkReach;
}

[[noreturn]] void ThrowTooManyPoints(const std::string& object, uint32_t count) {
  throw RangeCheckError(object + " declares " + std::to_string(count) +
                        " points; an object holds at most " + std::to_string(kMaxPoints) + ".");
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
  QImageReader reader(path);
  QImage picture = reader.read();
  if (picture.isNull()) {
    throw InOutError("cannot read the map picture \"" + Text(path) +
                     "\": " + Text(reader.errorString()) + ".");
  }
  if (picture.width() != kMapWidth || picture.height() != kMapHeight) {
    throw QarnError("The map picture \"" + Text(path) + "\" is " + std::to_string(picture.width()) +
                    " x " + std::to_string(picture.height()) +
                    " pixels; a map picture must be 1280 x 1600 pixels.");
  }
  return ToMarkablePicture(std::move(picture));
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
  for (size_t o = 0; o < doc.records.size(); ++o) {
    const tDesc& object = *doc.records[o];
    const auto fail = [&] {
      ThrowTooManyPoints("object " + std::to_string(o + 1), object.pointCount);
    };
    if (object.pointCount > INT32_MAX) fail();
    const int drawn = static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
    for (int k = 1; k <= drawn; ++k) {
      const tPoint& point = object.Point(k);
      DrawSquare(canvas, t.PixelOf(point.x, point.z));
    }
    if (object.pointCount > kMaxPoints) fail();
  }
}

void MapPicture::DrawObjectMarks(const tDesc& object, const MapTransform& t) {
  Restore();
  const uint32_t count = object.pointCount;
  if (count > INT32_MAX) ThrowTooManyPoints("the object", count);
  IndexedCanvas canvas(image_);
  if (count < 2) {
    if (count == 1) DrawCross(canvas, t.PixelOf(object.Point(1).x, object.Point(1).z));
    return;
  }
  const QPoint first = t.PixelOf(object.Point(1).x, object.Point(1).z);
  DrawDisc(canvas, first);
  DrawDirectionLine(canvas, first, t.PixelOf(object.Point(2).x, object.Point(2).z));
  const int drawn = static_cast<int>(std::min<uint32_t>(count, kMaxPoints));
  for (int k = 3; k <= drawn; ++k) {
    DrawCross(canvas, t.PixelOf(object.Point(k).x, object.Point(k).z));
  }
  if (count > kMaxPoints) ThrowTooManyPoints("the object", count);
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
