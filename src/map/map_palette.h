#pragma once

#include <QImage>

namespace qarn {

// Index of the palette entry with the colour's red, green and blue (alpha is ignored), or -1.
int PaletteIndex(const QImage& image, QRgb colour);

// The picture as Format_Indexed8 whose palette holds pure black and pure red, the colours of the
// marks. A palette that is full gives up its least used entries for them; their pixels take the
// nearest remaining colour.
QImage ToMarkablePicture(QImage image);

}  // namespace qarn
