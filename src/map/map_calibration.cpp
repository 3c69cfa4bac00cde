#include "map/map_calibration.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "document/errors.h"

namespace qarn {
namespace {

constexpr int kWorldFileNumbers = 6;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\f\v");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\f\v") - first + 1);
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(Trimmed(text.substr(0, end)));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

[[noreturn]] void BadLine(size_t line, std::string_view text, const std::string& why) {
  throw QarnError("line " + std::to_string(line) + ": '" + std::string(text) + "' " + why);
}

double Number(std::string_view text, size_t line) {
  if (text.find(',') != std::string_view::npos) {
    BadLine(line, text, "has a decimal comma; a world file writes numbers with a decimal point.");
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    BadLine(line, text, "is not a number.");
  }
  if (!std::isfinite(value)) BadLine(line, text, "is not a finite number.");
  return value;
}

// A double as a float, refused when it would not be a finite float.
float ToFloat(double value, const char* what) {
  if (!(std::fabs(value) <= std::numeric_limits<float>::max())) {
    throw QarnError(std::string("The calibration's ") + what + " is out of range.");
  }
  return static_cast<float>(value);
}

constexpr int kAllDigits = 17;  // enough for any double

// The value rounded to `digits` significant digits, written as briefly as it reads back ("2000",
// not "2e+03").
std::string Digits(double value, int digits) {
  std::array<char, 40> text{};
  char* end = std::to_chars(text.data(), text.data() + text.size(), value,
                            std::chars_format::general, digits)
                  .ptr;
  double rounded = 0;
  std::from_chars(text.data(), end, rounded);
  end = std::to_chars(text.data(), text.data() + text.size(), rounded).ptr;
  return std::string(text.data(), end);
}

// The world file of a calibration: float times float is exact in a double.
WorldFile FileOf(const MapCalibration& c) {
  WorldFile file;
  file.unitsPerColumn = c.unitsPerPixelX;
  file.unitsPerRow = c.unitsPerPixelZ;
  file.topLeftX = -double(c.originColumn) * c.unitsPerPixelX;
  file.topLeftZ = -double(c.originRow) * c.unitsPerPixelZ;
  return file;
}

std::string Text(const std::array<std::string, kWorldFileNumbers>& numbers) {
  std::string text;
  for (const std::string& number : numbers) text += number + '\n';
  return text;
}

}  // namespace

WorldFile ParseWorldFile(std::string_view text) {
  const std::vector<std::string_view> lines = Lines(text);
  if (lines.size() != kWorldFileNumbers) {
    throw QarnError("a world file holds six numbers, one a line; this one has " +
                    std::to_string(lines.size()) + " lines.");
  }
  std::array<double, kWorldFileNumbers> n{};
  for (size_t i = 0; i < lines.size(); ++i) n[i] = Number(lines[i], i + 1);
  return {n[0], n[1], n[2], n[3], n[4], n[5]};
}

MapCalibration CalibrationOf(const WorldFile& file) {
  if (file.rotationRow != 0 || file.rotationColumn != 0) {
    throw QarnError(
        "the picture is rotated (lines 2 and 3 are not 0); only pictures whose columns and "
        "rows run along the world's x and z can be used.");
  }
  if (file.unitsPerColumn == 0 || file.unitsPerRow == 0) {
    throw QarnError("the world units per column (line 1) and per row (line 4) must not be 0.");
  }
  MapCalibration c;
  c.unitsPerPixelX = ToFloat(file.unitsPerColumn, "units per column");
  c.unitsPerPixelZ = ToFloat(file.unitsPerRow, "units per row");
  if (c.unitsPerPixelX == 0 || c.unitsPerPixelZ == 0) {
    throw QarnError("the world units per column and per row are too small.");
  }
  c.originColumn = ToFloat(-file.topLeftX / file.unitsPerColumn, "origin column");
  c.originRow = ToFloat(-file.topLeftZ / file.unitsPerRow, "origin row");
  return c;
}

std::string WorldFileText(const MapCalibration& calibration) {
  const WorldFile f = FileOf(calibration);
  const std::array<double, kWorldFileNumbers> n{f.unitsPerColumn, 0,          0,
                                                f.unitsPerRow,    f.topLeftX, f.topLeftZ};
  std::array<std::string, kWorldFileNumbers> exact;
  for (size_t i = 0; i < n.size(); ++i) exact[i] = Digits(n[i], kAllDigits);
  // Each number in the fewest digits that still read back to the same calibration, the others
  // exact: what a person typed ("2.82") rather than the float's binary expansion.
  std::array<std::string, kWorldFileNumbers> brief = exact;
  for (size_t i = 0; i < n.size(); ++i) {
    for (int digits = 1; digits < kAllDigits; ++digits) {
      std::array<std::string, kWorldFileNumbers> trial = exact;
      trial[i] = Digits(n[i], digits);
      if (CalibrationOf(ParseWorldFile(Text(trial))) == calibration) {
        brief[i] = trial[i];
        break;
      }
    }
  }
  const std::string text = Text(brief);
  return CalibrationOf(ParseWorldFile(text)) == calibration ? text : Text(exact);
}

MapCalibration CalibrationFromTwoPoints(const KnownPoint& first, const KnownPoint& second) {
  if (first.column == second.column || first.row == second.row) {
    throw QarnError("the two points share a map " +
                    std::string(first.column == second.column ? "column" : "row") +
                    "; pick two points apart in both directions.");
  }
  if (first.x == second.x || first.z == second.z) {
    throw QarnError("the two points have the same world " +
                    std::string(first.x == second.x ? "x" : "z") +
                    "; give two points apart in both x and z.");
  }
  WorldFile file;
  file.unitsPerColumn = (second.x - first.x) / (second.column - first.column);
  file.unitsPerRow = (second.z - first.z) / (second.row - first.row);
  file.topLeftX = first.x - first.column * file.unitsPerColumn;
  file.topLeftZ = first.z - first.row * file.unitsPerRow;
  return CalibrationOf(file);
}

}  // namespace qarn
