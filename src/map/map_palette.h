#pragma once

#include <QImage>

namespace qarn {

// The colours of the marks: every map picture's palette holds both.
inline constexpr QRgb kMarkBlack = 0xFF000000;
inline constexpr QRgb kMarkRed = 0xFFFF0000;

// Index of the palette entry with the colour's red, green and blue (alpha is ignored), or -1.
int PaletteIndex(const QImage& image, QRgb colour);

// The picture as Format_Indexed8 whose palette holds pure black and pure red, the colours of the
// marks. A palette that is full gives up its least used entries for them; their pixels take the
// nearest remaining colour.
QImage ToMarkablePicture(QImage image);

}  // namespace qarn
