#include "tool/calibrate_command.h"

#include <QImageReader>
#include <cmath>

#include "map/map_calibration.h"
#include "map/map_placement.h"
#include "tool/tool_errors.h"

namespace qarn {

namespace {

constexpr int kNumbers = 8;
const char* const kNames[kNumbers] = {"COL1", "ROW1", "X1", "Z1", "COL2", "ROW2", "X2", "Z2"};

double Number(const QString& text, int at) {
  bool ok = false;
  const double value = text.toDouble(&ok);  // the C locale: a decimal point
  if (!ok || !std::isfinite(value)) {
    throw UsageError(std::string(kNames[at]) + " expects a number, not '" + text.toStdString() +
                     "'");
  }
  return value;
}

// The picture must be one Qt reads: a world file beside anything else would place nothing.
void CheckPicture(const QString& path) {
  QImageReader reader(path);
  if (!reader.canRead()) {
    throw ToolError("cannot read the map picture \"" + path.toStdString() +
                    "\": " + reader.errorString().toStdString() + '.');
  }
}

int RunCalibrate(const CommandArgs& args, ToolOutput& io) {
  double n[kNumbers];
  for (int i = 0; i < kNumbers; ++i) n[i] = Number(args.positional.at(i + 1), i);
  const QString picture = args.positional.at(0);
  CheckPicture(picture);
  const MapCalibration calibration =
      CalibrationFromTwoPoints({n[0], n[1], n[2], n[3]}, {n[4], n[5], n[6], n[7]});
  io.out += WriteWorldFile(picture, calibration) + '\n';
  return kExitOk;
}

}  // namespace

SubCommand CalibrateCommand() {
  SubCommand command;
  command.name = QStringLiteral("calibrate");
  command.synopsis = QStringLiteral("calibrate IMAGE COL1 ROW1 X1 Z1 COL2 ROW2 X2 Z2");
  command.summary = QStringLiteral("place a map picture in the world by two known points");
  command.description = QStringLiteral(
      "Writes the world file of the map picture IMAGE (for map.png: map.pgw, or the world\n"
      "file it has) so that its pixel COL1, ROW1 shows world X1, Z1 and its pixel COL2,\n"
      "ROW2 shows world X2, Z2. Columns count from 0 at the left, rows from 0 at the top;\n"
      "the two pixels must differ in both. Numbers take a decimal point; negative ones\n"
      "may be written as they are. Prints the world file's name.");
  command.minPositional = command.maxPositional = 1 + kNumbers;
  command.run = RunCalibrate;
  return command;
}

}  // namespace qarn
