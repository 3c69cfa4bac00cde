#include "map/map_palette.h"

#include <array>
#include <cstring>
#include <limits>

namespace qarn {
namespace {

constexpr int kPaletteSize = 256;

QRgb Opaque(QRgb colour) {
  return colour | 0xFF000000;
}

bool IsMarkColour(QRgb colour) {
  return Opaque(colour) == kMarkBlack || Opaque(colour) == kMarkRed;
}

int Distance(QRgb a, QRgb b) {
  const int dr = qRed(a) - qRed(b);
  const int dg = qGreen(a) - qGreen(b);
  const int db = qBlue(a) - qBlue(b);
  return dr * dr + dg * dg + db * db;
}

std::array<qsizetype, kPaletteSize> Histogram(const QImage& image) {
  std::array<qsizetype, kPaletteSize> counts{};
  for (int y = 0; y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) ++counts[row[x]];
  }
  return counts;
}

int LeastUsedOrdinaryEntry(const QImage& image) {
  const auto counts = Histogram(image);
  const QList<QRgb> table = image.colorTable();
  int best = 0;
  qsizetype fewest = std::numeric_limits<qsizetype>::max();
  for (int i = 0; i < table.size(); ++i) {
    if (!IsMarkColour(table[i]) && counts[i] < fewest) best = i, fewest = counts[i];
  }
  return best;
}

int NearestOtherEntry(const QList<QRgb>& table, int entry) {
  int best = entry;
  int nearest = std::numeric_limits<int>::max();
  for (int i = 0; i < table.size(); ++i) {
    if (i != entry && !IsMarkColour(table[i]) && Distance(table[i], table[entry]) < nearest) {
      best = i, nearest = Distance(table[i], table[entry]);
    }
  }
  return best;
}

void Repaint(QImage& image, int from, int to) {
  for (int y = 0; y < image.height(); ++y) {
    uchar* row = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] == from) row[x] = static_cast<uchar>(to);
    }
  }
}

void EnsureColour(QImage& image, QRgb colour) {
  if (PaletteIndex(image, colour) >= 0) return;
  QList<QRgb> table = image.colorTable();
  if (table.size() < kPaletteSize) {
    table.append(colour);
  } else {
    const int spare = LeastUsedOrdinaryEntry(image);
    Repaint(image, spare, NearestOtherEntry(table, spare));
    table[spare] = colour;
  }
  image.setColorTable(table);
}

// The grey picture's bytes as palette indices into a palette of the 256 greys: no 32-bit copy of
// a large scan on the way.
QImage GreysAsPalette(const QImage& grey) {
  QImage indexed(grey.size(), QImage::Format_Indexed8);
  QList<QRgb> greys(kPaletteSize);
  for (int i = 0; i < kPaletteSize; ++i) greys[i] = qRgb(i, i, i);
  indexed.setColorTable(greys);
  for (int y = 0; y < grey.height(); ++y) {
    std::memcpy(indexed.scanLine(y), grey.constScanLine(y), size_t(grey.width()));
  }
  return indexed;
}

}  // namespace

int PaletteIndex(const QImage& image, QRgb colour) {
  const QList<QRgb> table = image.colorTable();
  for (int i = 0; i < table.size(); ++i) {
    if (Opaque(table[i]) == Opaque(colour)) return i;
  }
  return -1;
}

QImage ToMarkablePicture(QImage image) {
  if (image.format() == QImage::Format_Grayscale8) {
    image = GreysAsPalette(image);
  } else if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) {
    image = image.convertToFormat(QImage::Format_Indexed8);
  } else if (image.format() != QImage::Format_Indexed8) {
    // Through RGB32 so that transparency becomes plain colour first.
    image = image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8);
  }
  EnsureColour(image, kMarkBlack);
  EnsureColour(image, kMarkRed);
  return image;
}

}  // namespace qarn
