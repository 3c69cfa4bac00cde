#pragma once

#include <QByteArrayView>
#include <QImage>
#include <cstdint>

namespace qarn {

// The little-endian word of `count` bytes at `at` of a BMP file's header; the caller has checked
// that the bytes are there.
uint32_t BmpWord(QByteArrayView bytes, qsizetype at, int count = 4);

// An 8-bit palettised BMP whose rows run from the top down, held in memory that outlives the
// picture (the program's own read-only data), as a Format_Indexed8 picture over those bytes: no
// pixel is decoded or copied until someone writes to it. A null picture for any other layout.
QImage WrapTopDownBmp(QByteArrayView bytes);

// A copy of a picture WrapTopDownBmp made over the program's read-only data. The pages of those
// pixels are handed back to the system as they are copied, so the program never holds both: the
// program file keeps them, and a page comes back from it when it is read again.
QImage CopyReleasingPages(const QImage& wrapped);

}  // namespace qarn
