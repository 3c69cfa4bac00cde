#pragma once

#include <string>
#include <string_view>

namespace qarn {

// Where a picture lies in the world: world units per map column and per row, and the map column
// and row of world x = 0 and z = 0, as the 32-bit floats the transforms compute with. The default
// is the built-in map's calibration. Kept free of Qt so that any layer can place a picture.
struct MapCalibration {
  float unitsPerPixelX = 2.82f;  // bits 0x40347AE1
  float unitsPerPixelZ = 3.04f;  // bits 0x40428F5C
  float originColumn = 1008.0f;  // map column of world x = 0
  float originRow = 940.0f;      // map row of world z = 0

  bool operator==(const MapCalibration&) const = default;
};

// The six numbers of a world file, the text file beside a picture that places it: x units per
// column, the two rotation terms, z units per row, and the world x and z of the centre of the
// top-left pixel. The built-in map's is 2.82, 0, 0, 3.04, -2842.56, -2857.6.
struct WorldFile {
  double unitsPerColumn = 0;
  double rotationRow = 0;
  double rotationColumn = 0;
  double unitsPerRow = 0;
  double topLeftX = 0;
  double topLeftZ = 0;
};

// The six numbers of a world file's text: one a line, with a decimal point (a decimal comma is
// refused, since it cannot be told from a list), spaces around them and blank lines after them
// ignored. Throws QarnError naming the line and what is wrong with it.
WorldFile ParseWorldFile(std::string_view text);

// The calibration a world file describes. Throws QarnError for a rotated or sheared picture (the
// map shows the world's axes along its own), a zero scale and numbers out of the floats' range.
MapCalibration CalibrationOf(const WorldFile& file);

// The world file's text for a calibration, six lines, each number in the fewest digits that read
// back to the same calibration ("2.82\n0\n0\n3.04\n-2842.56\n-2857.6\n" for the built-in one).
std::string WorldFileText(const MapCalibration& calibration);

// A map pixel whose world position the user knows.
struct KnownPoint {
  double column = 0;
  double row = 0;
  double x = 0;
  double z = 0;
};

// The calibration that puts both points where they belong. Throws QarnError when they share a
// column or a row, or the same world x or z (no scale can follow from them).
MapCalibration CalibrationFromTwoPoints(const KnownPoint& first, const KnownPoint& second);

}  // namespace qarn
