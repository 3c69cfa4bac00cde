#include "map/map_picture.h"

#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "document/errors.h"
#include "document/path_set_records.h"
#include "map/map_palette.h"
#include "map/map_transform.h"

namespace qarn {
namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
// Past this many marks one copy of the whole picture is cheaper than one per mark.
constexpr size_t kMarksRestoredOneByOne = 512;

std::string Text(const QString& text) {
  return text.toStdString();
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

QRegion MapPicture::TakeChangedArea() {
  return std::exchange(changed_, QRegion());
}

void MapPicture::Restore() {
  changed_ += BoundsOf(marks_);
  marks_.clear();
  if (image_.size() != pristine_.size() || image_.format() != pristine_.format()) {
    image_ = pristine_.copy();
    changed_ = image_.rect();
    return;
  }
  // One copy of the pixel bytes; the palette is the pristine one already.
  std::memcpy(image_.bits(), pristine_.constBits(), static_cast<size_t>(pristine_.sizeInBytes()));
}

void MapPicture::RestoreMarked() {
  if (marks_.size() > kMarksRestoredOneByOne) {
    Restore();
    return;
  }
  changed_ += BoundsOf(marks_);
  const QRect whole = image_.rect();
  // The row pointers once: scanLine() checks for sharing on every call.
  uchar* to = image_.bits();
  const uchar* from = pristine_.constBits();
  const qsizetype stride = image_.bytesPerLine();
  for (const Mark& mark : marks_) {
    const QRect box = MarkBounds(mark, whole) & whole;
    for (int y = box.top(); y <= box.bottom(); ++y) {
      const qsizetype at = y * stride + box.left();
      std::memcpy(to + at, from + at, static_cast<size_t>(box.width()));
    }
  }
  marks_.clear();
}

void MapPicture::ShowMarks(MarkList marks) {
  RestoreMarked();
  Draw(marks);
  marks_ = std::move(marks);
}

void MapPicture::Draw(const MarkList& marks) {
  IndexedCanvas canvas(image_);
  DrawMarks(canvas, image_.size(), marks, black_, red_);
  changed_ += BoundsOf(marks);
}

QRect MapPicture::BoundsOf(const MarkList& marks) const {
  QRect bounds;
  for (const Mark& mark : marks) bounds |= MarkBounds(mark, image_.rect());
  return bounds & image_.rect();
}

void MapPicture::DrawAllPoints(const tHeader& doc, const MapTransform& t) {
  MarkList marks;
  // The squares before an error are shown, as drawing them one by one would have.
  try {
    for (size_t o = 0; o < doc.records.size(); ++o) {
      const tDesc& object = *doc.records[o];
      const auto fail = [&] {
        ThrowTooManyPoints("object " + std::to_string(o + 1), object.pointCount);
      };
      if (object.pointCount > INT32_MAX) fail();
      const int drawn = static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
      for (int k = 1; k <= drawn; ++k) {
        const tPoint& point = object.Point(k);
        marks.push_back({MarkKind::Square, t.PixelOf(point.x, point.z), {}});
      }
      if (object.pointCount > kMaxPoints) fail();
    }
  } catch (...) {
    ShowMarks(std::move(marks));
    throw;
  }
  ShowMarks(std::move(marks));
}

void MapPicture::DrawObjectMarks(const tDesc& object, const MapTransform& t) {
  MarkList marks;
  try {
    const uint32_t count = object.pointCount;
    if (count > INT32_MAX) ThrowTooManyPoints("the object", count);
    const auto pixel = [&](int k) { return t.PixelOf(object.Point(k).x, object.Point(k).z); };
    if (count == 1) marks.push_back({MarkKind::Cross, pixel(1), {}});
    if (count >= 2) {
      const QPoint first = pixel(1);
      marks.push_back({MarkKind::ObjectDisc, first, {}});
      marks.push_back({MarkKind::Line, first, pixel(2)});
      const int drawn = static_cast<int>(std::min<uint32_t>(count, kMaxPoints));
      for (int k = 3; k <= drawn; ++k) marks.push_back({MarkKind::Cross, pixel(k), {}});
      if (count > kMaxPoints) ThrowTooManyPoints("the object", count);
    }
  } catch (...) {
    ShowMarks(std::move(marks));
    throw;
  }
  ShowMarks(std::move(marks));
}

void MapPicture::DrawPointDisc(int px, int py) {
  const MarkList disc{{MarkKind::PointDisc, {px, py}, {}}};
  Draw(disc);
  marks_.push_back(disc.front());
}

}  // namespace qarn
