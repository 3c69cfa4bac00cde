#include "map/embedded_bmp.h"

#include <QList>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

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

// Copied this many bytes at a time: the pages waiting to be handed back stay few.
constexpr qsizetype kCopyBlock = qsizetype{256} << 10;

// Hands back the whole pages in [from, to) of the program's read-only data. Only clean pages
// mapped from the program file may go: they come back from the file, where other memory would
// come back as zeros.
void ReleasePages(const uchar* from, const uchar* to) {
#ifdef Q_OS_LINUX
  static const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t first = (reinterpret_cast<uintptr_t>(from) + page - 1) & ~(page - 1);
  const uintptr_t last = reinterpret_cast<uintptr_t>(to) & ~(page - 1);
  if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
#else
  Q_UNUSED(from);
  Q_UNUSED(to);
#endif
}

}  // namespace

QImage CopyReleasingPages(const QImage& wrapped) {
  QImage copy(wrapped.size(), wrapped.format());
  if (copy.isNull() || copy.sizeInBytes() != wrapped.sizeInBytes()) return wrapped.copy();
  copy.setColorTable(wrapped.colorTable());
  const uchar* from = wrapped.constBits();
  uchar* to = copy.bits();
  for (qsizetype at = 0; at < wrapped.sizeInBytes(); at += kCopyBlock) {
    const qsizetype bytes = std::min(kCopyBlock, wrapped.sizeInBytes() - at);
    std::memcpy(to + at, from + at, static_cast<size_t>(bytes));
    ReleasePages(from, from + at + bytes);
  }
  return copy;
}

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
