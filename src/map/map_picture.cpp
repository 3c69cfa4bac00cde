#include "map/map_picture.h"

#include <QResource>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "document/errors.h"
#include "document/path_set_records.h"
#include "map/embedded_bmp.h"
#include "map/map_palette.h"
#include "map/map_picture_file.h"
#include "map/map_transform.h"

namespace qarn {
namespace {

// Past this many marks one copy of the whole picture is cheaper than one per mark.
constexpr size_t kMarksRestoredOneByOne = 512;
// The most pixels saved under marks: a direction line's box across a large picture is copied
// back from the pristine picture instead.
constexpr size_t kMostPixelsSavedUnderMarks = size_t{1} << 20;

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

// Copies a row of a mark's box: a dozen bytes, fewer than a call of memcpy costs to start.
void CopyRow(uchar* to, const uchar* from, size_t bytes) {
  if (bytes < 8 || bytes > 16) {
    std::memcpy(to, from, bytes);
    return;
  }
  uint64_t head = 0;
  uint64_t tail = 0;
  std::memcpy(&head, from, 8);
  std::memcpy(&tail, from + bytes - 8, 8);
  std::memcpy(to, &head, 8);
  std::memcpy(to + bytes - 8, &tail, 8);
}

int64_t Area(const QRect& r) {
  return r.isEmpty() ? 0 : int64_t(r.width()) * r.height();
}

// The part of the box on the picture; inline, as this runs for every mark drawn.
QRect OnPicture(const QRect& box, const QRect& picture) {
  const QRect part(
      QPoint(std::max(box.left(), picture.left()), std::max(box.top(), picture.top())),
      QPoint(std::min(box.right(), picture.right()), std::min(box.bottom(), picture.bottom())));
  return part.isEmpty() ? QRect() : part;
}

// The box around both; inline, as this runs for every mark drawn.
QRect Joined(const QRect& a, const QRect& b) {
  if (a.isEmpty()) return b;
  if (b.isEmpty()) return a;
  return QRect(QPoint(std::min(a.left(), b.left()), std::min(a.top(), b.top())),
               QPoint(std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())));
}

// The pixels of the picture a mark may cover. Hundreds of crosses mark an object's points, and
// nearly all lie well inside: their box needs no clipping.
QRect BoxOnPicture(const Mark& mark, const QRect& picture) {
  constexpr int r = kPointMarkReach;
  const QPoint p = mark.at;
  if (mark.kind != MarkKind::Line && p.x() >= r && p.y() >= r && p.x() < picture.width() - r &&
      p.y() < picture.height() - r) {
    return QRect(p.x() - r, p.y() - r, 2 * r + 1, 2 * r + 1);
  }
  return OnPicture(MarkBounds(mark, picture), picture);
}

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

// Whether the picture's pixels are the built-in map's, in the program's read-only data.
bool IsBuiltInMap(const QImage& picture) {
  const QResource resource(QStringLiteral(":/map.bmp"));
  const auto begin = reinterpret_cast<uintptr_t>(resource.data());
  const auto at = reinterpret_cast<uintptr_t>(picture.constBits());
  return begin != 0 && at >= begin && at < begin + static_cast<uintptr_t>(resource.size());
}

}  // namespace

MapPicture::MapPicture(QImage pristine) : pristine_(std::move(pristine)) {
  if (pristine_.format() != QImage::Format_Indexed8) {
    throw QarnError("The map picture must have 8 bits per pixel with a colour palette.");
  }
  const int black = PaletteIndex(pristine_, kMarkBlack);
  const int red = PaletteIndex(pristine_, kMarkRed);
  if (black < 0 || red < 0) {
    throw QarnError("The map picture's palette must hold pure black and pure red for the marks.");
  }
  black_ = static_cast<uint8_t>(black);
  red_ = static_cast<uint8_t>(red);
  // The built-in map's pages would stay resident beside the copy; marks are taken away pixel by
  // pixel, so only the pages under them come back.
  image_ = IsBuiltInMap(pristine_) ? CopyReleasingPages(pristine_) : pristine_.copy();
}

QImage MapPicture::BuiltInMap() {
  // Stored uncompressed with its rows from the top down, so the pixels in the program's
  // read-only data are the pristine picture: nothing to decompress, decode or copy at start.
  const QResource resource(QStringLiteral(":/map.bmp"));
  QImage map;
  if (resource.compressionAlgorithm() == QResource::NoCompression) {
    map = WrapTopDownBmp(QByteArrayView(resource.data(), resource.size()));
  }
  if (map.isNull()) throw QarnError("The built-in map picture is missing from the program.");
  return ToMarkablePicture(std::move(map));
}

QImage MapPicture::LoadUserMap(const QString& path) {
  return ToMarkablePicture(ReadMapPictureFile(path));
}

QRegion MapPicture::TakeChangedArea() {
  return std::exchange(changed_, QRegion());
}

void MapPicture::Restore() {
  changed_ += markedBounds_;
  ForgetMarks();
  if (image_.size() != pristine_.size() || image_.format() != pristine_.format()) {
    image_ = pristine_.copy();
    changed_ = image_.rect();
    return;
  }
  // One copy of the pixel bytes; the palette is the pristine one already.
  std::memcpy(image_.bits(), pristine_.constBits(), static_cast<size_t>(pristine_.sizeInBytes()));
}

void MapPicture::ForgetMarks() {
  marks_.clear();
  markedBoxes_.clear();
  pristineBoxes_.clear();
  underMarks_.clear();
  markedBounds_ = QRect();
}

void MapPicture::RestoreMarked() {
  if (marks_.size() > kMarksRestoredOneByOne) {
    Restore();
    return;
  }
  // The row pointers once: scanLine() checks for sharing on every call. Backwards, so a box
  // saved over an earlier mark (a disc over the object's marks) gives back what it covered.
  uchar* to = image_.bits();
  const qsizetype stride = image_.bytesPerLine();
  size_t end = underMarks_.size();
  for (auto box = markedBoxes_.rbegin(); box != markedBoxes_.rend(); ++box) {
    const auto width = static_cast<size_t>(box->width());
    end -= width * static_cast<size_t>(box->height());
    const uchar* from = underMarks_.data() + end;
    for (int y = box->top(); y <= box->bottom(); ++y, from += width) {
      CopyRow(to + y * stride + box->left(), from, width);
    }
  }
  // Last: the pristine pixels are right whatever was saved over them since.
  const uchar* pristine = pristine_.constBits();
  for (const QRect& box : pristineBoxes_) {
    for (int y = box.top(); y <= box.bottom(); ++y) {
      const qsizetype at = y * stride + box.left();
      CopyRow(to + at, pristine + at, static_cast<size_t>(box.width()));
    }
  }
  changed_ += markedBounds_;
  ForgetMarks();
}

void MapPicture::ShowMarks(MarkList marks) {
  RestoreMarked();
  Draw(marks);
  marks_ = std::move(marks);
}

void MapPicture::Draw(const MarkList& marks) {
  // Neighbouring marks (the crosses along an object's path) overlap: their boxes are kept as
  // one while that copies no more pixels than copying them one by one.
  const QRect whole = image_.rect();
  const bool restoredWhole = marks_.size() + marks.size() > kMarksRestoredOneByOne;
  QRect pending;
  QRect drawn;
  const auto keep = [&](const QRect& box) {
    if (box.isEmpty() || restoredWhole) return;
    if (underMarks_.size() + static_cast<size_t>(Area(box)) > kMostPixelsSavedUnderMarks) {
      pristineBoxes_.push_back(box);
      return;
    }
    markedBoxes_.push_back(box);
    SaveUnder(box);
  };
  for (const Mark& mark : marks) {
    const QRect box = BoxOnPicture(mark, whole);
    const QRect joined = Joined(pending, box);
    if (Area(joined) <= Area(pending) + Area(box)) {
      pending = joined;
    } else {
      keep(pending);
      pending = box;
    }
    drawn = Joined(drawn, box);
  }
  keep(pending);
  IndexedCanvas canvas(image_);
  DrawMarks(canvas, image_.size(), marks, black_, red_);
  markedBounds_ = Joined(markedBounds_, drawn);
  changed_ += drawn;
}

// The pixels under the box as they are before the marks are drawn: taking the marks away copies
// them back, so the pristine picture (for the built-in map, pages of the program file handed
// back at start) is read only to restore the whole picture.
void MapPicture::SaveUnder(const QRect& box) {
  const uchar* from = image_.constBits();
  const qsizetype stride = image_.bytesPerLine();
  const auto width = static_cast<size_t>(box.width());
  size_t at = underMarks_.size();
  underMarks_.resize(at + width * static_cast<size_t>(box.height()));
  for (int y = box.top(); y <= box.bottom(); ++y, at += width) {
    CopyRow(underMarks_.data() + at, from + y * stride + box.left(), width);
  }
}

void MapPicture::DrawAllPoints(const tHeader& doc, const MapTransform& t) {
  MarkList marks;
  Undrawn undrawn;
  for (size_t o = 0; o < doc.records.size(); ++o) {
    const tDesc& object = *doc.records[o];
    const auto place = [o] { return "object " + std::to_string(o + 1); };
    const int drawn = DrawnPointCount(object);
    for (int k = 1; k <= drawn; ++k) {
      const tPoint& point = object.Point(k);
      if (QPoint pixel; t.DrawablePixel(point.x, point.z, pixel)) {
        marks.push_back({MarkKind::Square, pixel, {}, static_cast<int>(o) + 1, k});
      } else {
        undrawn.Note(object, k, place);
      }
    }
    if (object.pointCount > kMaxPoints) undrawn.Note(object, 0, place);
  }
  ShowMarks(std::move(marks));
  RaiseUndrawn(undrawn, t);
}

void MapPicture::DrawObjectMarks(const tDesc& object, const MapTransform& t, int number) {
  MarkList marks;
  Undrawn undrawn;
  const auto place = [number] { return number > 0 ? "object " + std::to_string(number) : ""; };
  const auto pixel = [&](int k) -> std::optional<QPoint> {
    const tPoint& point = object.Point(k);
    if (QPoint p; t.DrawablePixel(point.x, point.z, p)) return p;
    undrawn.Note(object, k, place);
    return std::nullopt;
  };
  const int count = DrawnPointCount(object);
  marks.reserve(static_cast<size_t>(count) + 1);
  if (count == 1) {
    if (const auto p = pixel(1)) marks.push_back({MarkKind::Cross, *p, {}, number, 1});
  } else if (count >= 2) {
    const std::optional<QPoint> first = pixel(1);
    const std::optional<QPoint> second = pixel(2);
    if (first) marks.push_back({MarkKind::ObjectDisc, *first, {}, number, 1});
    if (first && second) marks.push_back({MarkKind::Line, *first, *second, number, 2});
    for (int k = 3; k <= count; ++k) {
      if (const auto p = pixel(k)) marks.push_back({MarkKind::Cross, *p, {}, number, k});
    }
  }
  if (object.pointCount > kMaxPoints) undrawn.Note(object, 0, place);
  ShowMarks(std::move(marks));
  RaiseUndrawn(undrawn, t);
}

void MapPicture::DrawPointDisc(int px, int py) {
  const MarkList disc{{MarkKind::PointDisc, {px, py}, {}}};
  Draw(disc);
  marks_.push_back(disc.front());
}

}  // namespace qarn
