#include "map/embedded_bmp.h"

#include <QList>

namespace qarn {
namespace {

constexpr qsizetype kInfoHeaderAt = 14;
constexpr qsizetype kPaletteAt = kInfoHeaderAt + 40;

bool IsPlainTopDown8Bit(QByteArrayView bytes) {
  if (bytes.size() < kPaletteAt || !bytes.startsWith("BM")) return false;
  const auto width = static_cast<int32_t>(BmpWord(bytes, 18));
  const auto height = static_cast<int32_t>(BmpWord(bytes, 22));
  return BmpWord(bytes, 14) == 40 && width > 0 && width % 4 == 0 && height < 0 && height > -65536 &&
         BmpWord(bytes, 28, 2) == 8 && BmpWord(bytes, 30) == 0;
}

}  // namespace

uint32_t BmpWord(QByteArrayView bytes, qsizetype at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

QImage WrapTopDownBmp(QByteArrayView bytes) {
  if (!IsPlainTopDown8Bit(bytes)) return {};
  const int width = static_cast<int>(BmpWord(bytes, 18));
  const int height = -static_cast<int>(BmpWord(bytes, 22));
  const uint32_t declared = BmpWord(bytes, 46);
  const qsizetype colours = declared == 0 ? 256 : declared;
  const qsizetype pixelsAt = BmpWord(bytes, 10);
  if (colours > 256 || pixelsAt < kPaletteAt + 4 * colours ||
      pixelsAt + qsizetype{width} * height > bytes.size()) {
    return {};
  }
  QList<QRgb> palette(colours);
  for (qsizetype i = 0; i < colours; ++i)
    palette[i] = 0xFF000000 | BmpWord(bytes, kPaletteAt + 4 * i, 3);
  QImage picture(reinterpret_cast<const uchar*>(bytes.data() + pixelsAt), width, height, width,
                 QImage::Format_Indexed8);
  picture.setColorTable(palette);
  return picture;
}

}  // namespace qarn
