#pragma once

#include <QImage>
#include <QPoint>
#include <map>
#include <utility>
#include <vector>

#include "document/path_set_records.h"
#include "geometry/polar.h"

namespace qarn::test {

// Palette indices of the plain test picture.
inline constexpr uint8_t kPaper = 0;
inline constexpr uint8_t kBlackIndex = 1;
inline constexpr uint8_t kRedIndex = 2;

// A picture of the given size, every pixel the paper colour; black and red are in the palette
// but appear nowhere, so every mark pixel can be told from the background.
inline QImage PlainPicture(int width = 1280, int height = 1600) {
  QImage picture(width, height, QImage::Format_Indexed8);
  picture.setColorTable({qRgb(250, 248, 240), qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(90, 200, 230)});
  picture.fill(kPaper);
  return picture;
}

using PixelMap = std::map<std::pair<int, int>, uint8_t>;  // (x, y) -> palette index

// Every pixel where `after` differs from `before`, with its new index.
inline PixelMap Changes(const QImage& before, const QImage& after) {
  PixelMap changes;
  for (int y = 0; y < after.height(); ++y) {
    const uchar* a = before.constScanLine(y);
    const uchar* b = after.constScanLine(y);
    for (int x = 0; x < after.width(); ++x) {
      if (a[x] != b[x]) changes[{x, y}] = b[x];
    }
  }
  return changes;
}

struct WorldPoint {
  float x, y, z;
};

// A document whose objects hold the given points (flags 0).
inline tHeader MakeDocument(const std::vector<std::vector<WorldPoint>>& objects) {
  tHeader doc;
  for (const auto& points : objects) {
    tDesc& object = doc.InsertNew(static_cast<int>(doc.records.size()) + 1);
    object.pointCount = static_cast<uint32_t>(points.size());
    for (size_t k = 0; k < points.size(); ++k) {
      object.Point(k + 1) = {0, points[k].x, points[k].y, points[k].z};
    }
  }
  return doc;
}

// Restores the process-wide degrees switch when a test has changed it.
class DegreesModeGuard {
 public:
  DegreesModeGuard() : saved_(DegreesMode()) {}
  ~DegreesModeGuard() { SetDegreesMode(saved_); }

 private:
  bool saved_;
};

}  // namespace qarn::test
