#pragma once

#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>
#include <optional>

#include "map/map_calibration.h"

class QAction;
class QWidget;

namespace qarn {

class CalibrationDialog;
class MapHost;

// Which picture the map shows and where it lies in the world: the built-in map, or a picture of
// the user's placed by its world file. Its actions: "Map picture..." picks a picture, "Built-in
// map" goes back, "Calibrate map..." places the picture shown by two known points and writes
// its world file (or, where its folder cannot be written, keeps the calibration in the
// settings). The choice is remembered for the open document (by its absolute path) and as the
// default for new ones.
class MapChoice : public QObject {
  Q_OBJECT

 public:
  MapChoice(MapHost& host, QWidget* window);

  QList<QAction*> actions() const;
  // The picture shown; empty for the built-in map.
  const QString& PicturePath() const { return picturePath_; }

  // At start: `commandLineMap` when given (not remembered), else the remembered default.
  void Start(const QString& commandLineMap);
  // Shows the picture in `path`; false (after a message naming the file, `failureNote` on a line
  // of its own after it) when it cannot be used, the map shown staying as it was. A picture
  // nothing places asks to be calibrated.
  bool Open(const QString& path, const QString& failureNote = {});
  void UseBuiltIn();
  // A document was opened from or saved to `path`: its remembered map, if any, is shown.
  void DocumentOpened(const QString& path);
  // Opens the calibration dialog (not waiting for it); the calibration follows when it is
  // accepted.
  void Calibrate();
  CalibrationDialog* OpenDialog() const { return dialog_; }

 private:
  void ChoosePicture();
  void Remember();
  std::optional<MapCalibration> KeptCalibration(const QString& picturePath);
  void KeepCalibration(const MapCalibration& calibration);
  void Place(const MapCalibration& calibration);

  MapHost& host_;
  QWidget* window_;
  QAction* pictureAction_;
  QAction* builtInAction_;
  QAction* calibrateAction_;
  QString picturePath_;
  QString documentPath_;
  CalibrationDialog* dialog_ = nullptr;
  QSettings settings_;
};

}  // namespace qarn
