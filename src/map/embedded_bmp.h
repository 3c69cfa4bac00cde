#pragma once

#include <QByteArrayView>
#include <QImage>

namespace qarn {

// An 8-bit palettised BMP whose rows run from the top down, held in memory that outlives the
// picture (the program's own read-only data), as a Format_Indexed8 picture over those bytes: no
// pixel is decoded or copied until someone writes to it. A null picture for any other layout.
QImage WrapTopDownBmp(QByteArrayView bytes);

}  // namespace qarn
