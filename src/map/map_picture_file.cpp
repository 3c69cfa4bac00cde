#include "map/map_picture_file.h"

#include <QFile>
#include <QImageReader>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "document/errors.h"
#include "fileio/file_kind.h"
#include "map/embedded_bmp.h"
#include "map/map_picture.h"

namespace qarn {

namespace {

std::string Quoted(const QString& path) {
  return '"' + path.toStdString() + '"';
}

[[noreturn]] void CannotRead(const QString& path, const QString& why) {
  throw InOutError("cannot read the map picture " + Quoted(path) + ": " + why.toStdString());
}

bool SizeFits(qint64 width, qint64 height) {
  return width >= 1 && height >= 1 && width <= kLargestMapSide && height <= kLargestMapSide;
}

[[noreturn]] void WrongSize(const QString& path, qint64 width, qint64 height) {
  throw QarnError("The map picture " + Quoted(path) + " is " + std::to_string(width) + " x " +
                  std::to_string(height) + " pixels; a map picture may be at most " +
                  std::to_string(kLargestMapSide) + " x " + std::to_string(kLargestMapSide) +
                  " pixels.");
}

// What the header of a Windows bitmap declares. Qt reads a BMP that ends early without a word
// and leaves the missing rows blank, and it tells no size for one larger than it will read.
struct BmpLayout {
  qint64 width = 0;
  qint64 height = 0;
  std::optional<qint64> pixelEnd;  // uncompressed pictures only
  qint64 pixelsAt = 0;
  int runLengthBits = 0;  // 8 or 4 for the run-length kinds, else 0
};

// The end of a run-length stream starting at `at`: the byte after its end-of-picture mark, or
// after the row that completes the picture. Nothing when the bytes run out first.
std::optional<qint64> RunLengthEnd(QByteArrayView bytes, qint64 at, int bits, qint64 height) {
  for (qint64 rows = 0; rows < height && at + 2 <= bytes.size();) {
    const auto count = static_cast<uint8_t>(bytes[at]);
    const auto code = static_cast<uint8_t>(bytes[at + 1]);
    at += 2;
    if (count > 0 || code > 2) {
      // A run takes no further bytes; a literal stretch its pixels, padded to a whole word.
      if (count == 0) at += ((bits == 8 ? code : (code + 1) / 2) + 1) / 2 * 2;
    } else if (code == 1) {
      return at;
    } else if (code == 2) {
      at += 2;
    } else {
      ++rows;
    }
    if (rows == height) return at;
  }
  return std::nullopt;
}

std::optional<BmpLayout> ReadBmpLayout(QByteArrayView head) {
  if (head.size() < 34 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  const bool core = BmpWord(head, 14, 4) == 12;  // the old OS/2 header: 16-bit sizes
  BmpLayout bmp;
  // Each branch widened on its own: a conditional of uint32_t and int32_t is unsigned and would
  // turn a top-down picture's negative height into four thousand million rows.
  bmp.width =
      core ? qint64{BmpWord(head, 18, 2)} : qint64{static_cast<int32_t>(BmpWord(head, 18, 4))};
  const qint64 height =
      core ? qint64{BmpWord(head, 20, 2)} : qint64{static_cast<int32_t>(BmpWord(head, 22, 4))};
  bmp.height = std::llabs(height);  // negative: rows from the top down
  const uint32_t bits = BmpWord(head, core ? 24 : 28, 2);
  const uint32_t compression = core ? 0 : BmpWord(head, 30, 4);
  // 0: plain rows, 3 and 6: plain rows with bit masks; the run-length kinds have no fixed end.
  const bool plainRows = compression == 0 || compression == 3 || compression == 6;
  const bool sane = bmp.width > 0 && bmp.width <= 65535 && bmp.height <= 65535;  // no overflow
  bmp.pixelsAt = BmpWord(head, 10, 4);
  if (!core && (compression == 1 || compression == 2)) bmp.runLengthBits = compression == 1 ? 8 : 4;
  if (plainRows && sane && bits >= 1 && bits <= 32) {
    const qint64 rowBytes = (bmp.width * bits + 31) / 32 * 4;
    bmp.pixelEnd = BmpWord(head, 10, 4) + rowBytes * bmp.height;
  }
  return bmp;
}

QString ReaderFailure(const QImageReader& reader) {
  switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
      return QStringLiteral("it is not a picture in a format this program reads.");
    case QImageReader::InvalidDataError:
      return "its picture data is damaged or cut short (" + reader.errorString() + ").";
    default:
      return reader.errorString() + '.';
  }
}

void CheckDeclaredSize(const QString& path, QSize size, const std::optional<BmpLayout>& bmp) {
  if (size.isValid() && !SizeFits(size.width(), size.height())) {
    WrongSize(path, size.width(), size.height());
  }
  if (!size.isValid() && bmp && !SizeFits(bmp->width, bmp->height)) {
    WrongSize(path, bmp->width, bmp->height);
  }
}

void CheckComplete(const QString& path, qint64 fileSize, const std::optional<BmpLayout>& bmp) {
  if (!bmp || !bmp->pixelEnd || fileSize >= *bmp->pixelEnd) return;
  CannotRead(path, QStringLiteral("the file ends at byte %1, before the end of its pixels at "
                                  "byte %2: the picture is cut short.")
                       .arg(fileSize)
                       .arg(*bmp->pixelEnd));
}

// Qt fills the rows a cut-short run-length picture lacks with blank pixels and says nothing.
void CheckRunLengthComplete(const QString& path, QFile& file, const std::optional<BmpLayout>& bmp) {
  if (!bmp || bmp->runLengthBits == 0) return;
  const qint64 readerAt = file.pos();  // the image reader has read the header already
  file.seek(0);
  const QByteArray bytes = file.readAll();
  file.seek(readerAt);
  if (RunLengthEnd(bytes, bmp->pixelsAt, bmp->runLengthBits, bmp->height)) return;
  CannotRead(path, QStringLiteral("the file ends at byte %1, inside its run-length compressed "
                                  "pixels: the picture is cut short.")
                       .arg(bytes.size()));
}

}  // namespace

QImage ReadMapPictureFile(const QString& path) {
  if (const std::optional<QString> kind = NonRegularKind(path)) {
    CannotRead(path, "it is not a regular file but " + *kind + '.');
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) CannotRead(path, file.errorString() + '.');
  const std::optional<BmpLayout> bmp = ReadBmpLayout(file.peek(64));
  QImageReader reader(&file);
  CheckDeclaredSize(path, reader.size(), bmp);
  CheckComplete(path, file.size(), bmp);
  CheckRunLengthComplete(path, file, bmp);
  // The size is known to fit by now: the largest picture in 32-bit colour is 256 MiB, Qt's
  // default limit, which it would refuse.
  reader.setAllocationLimit(kLargestMapSide * kLargestMapSide * 4 / (1 << 20) + 1);
  QImage picture = reader.read();
  if (picture.isNull()) CannotRead(path, ReaderFailure(reader));
  if (!SizeFits(picture.width(), picture.height())) {
    WrongSize(path, picture.width(), picture.height());
  }
  return picture;
}

}  // namespace qarn
