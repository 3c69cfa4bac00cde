#pragma once

#include <QImage>
#include <QString>

namespace qarn {

// The picture in `path` as Qt reads it, at most kLargestMapSide pixels wide and high. Each refusal has
// its own message naming the file: anything but a regular file (refused before it is opened, so
// a FIFO cannot block), a larger picture (told from its header, so a picture over Qt's
// size limit gets this message too), a BMP whose file ends before its last row of pixels, a file
// in no format Qt reads, damaged picture data. InOutError when the file cannot be read,
// QarnError for the size.
QImage ReadMapPictureFile(const QString& path);

}  // namespace qarn
