#include "window/map_choice.h"

#include <QAction>
#include <QFileInfo>
#include <QVariantMap>

#include "document/errors.h"
#include "map/map_picture.h"
#include "map/map_placement.h"
#include "window/calibration_dialog.h"
#include "window/form_dialogs.h"
#include "window/map_host.h"

namespace qarn {

namespace {

const QString kDefaultKey = QStringLiteral("map/default");
const QString kDocumentsKey = QStringLiteral("map/documents");
const QString kCalibrationsKey = QStringLiteral("map/calibrations");
// The built-in map's entry among the calibrations kept in the settings.
const QString kBuiltInName = QStringLiteral(":built-in");

QString Absolute(const QString& path) {
  return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

QAction* NewAction(QWidget* window, const QString& text, const QString& tip) {
  auto* action = new QAction(text, window);
  action->setStatusTip(tip);
  action->setToolTip(tip);
  return action;
}

}  // namespace

MapChoice::MapChoice(MapHost& host, QWidget* window)
    : QObject(window),
      host_(host),
      window_(window),
      settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("qarn"),
                QStringLiteral("qarn")) {
  pictureAction_ = NewAction(window, tr("Map picture..."),
                             tr("Show your own picture as the map, placed by its world file"));
  builtInAction_ = NewAction(window, tr("Built-in map"), tr("Show the built-in map again"));
  calibrateAction_ = NewAction(window, tr("Calibrate map..."),
                               tr("Place the map picture in the world by two known points"));
  calibrateAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
  connect(pictureAction_, &QAction::triggered, this, &MapChoice::ChoosePicture);
  connect(builtInAction_, &QAction::triggered, this, [this] {
    UseBuiltIn();
    Remember();
  });
  connect(calibrateAction_, &QAction::triggered, this, &MapChoice::Calibrate);
}

QList<QAction*> MapChoice::actions() const {
  return {pictureAction_, builtInAction_, calibrateAction_};
}

void MapChoice::Start(const QString& commandLineMap) {
  if (!commandLineMap.isEmpty()) {
    Open(commandLineMap, tr("The built-in map is used."));
    return;
  }
  const QString remembered = settings_.value(kDefaultKey).toString();
  if (!remembered.isEmpty()) {
    Open(remembered, tr("The built-in map is used."));
  } else if (const std::optional<MapCalibration> kept = KeptCalibration({})) {
    host_.Recalibrate(*kept);  // the built-in map, as the user calibrated it
  }
}

bool MapChoice::Open(const QString& path, const QString& failureNote) {
  PlacedMap placed;
  try {
    placed = LoadPlacedMap(path);
  } catch (const std::exception& error) {
    const QString message = QString::fromUtf8(error.what());
    host_.Report(failureNote.isEmpty() ? message : message + '\n' + failureNote);
    return false;
  }
  picturePath_ = Absolute(path);
  if (!placed.calibration) placed.calibration = KeptCalibration(picturePath_);
  const bool placedAlready = placed.calibration.has_value();
  host_.ShowMap(std::move(placed.picture), placed.calibration.value_or(MapCalibration()));
  if (!placedAlready) {
    host_.Report(tr("The map picture \"%1\" has no world file (such as \"%2\"): until you "
                    "calibrate it with \"Calibrate map...\", its marks stand where they would "
                    "on the built-in map.")
                     .arg(path, QFileInfo(NewWorldFilePath(path)).fileName()));
  }
  return true;
}

void MapChoice::UseBuiltIn() {
  picturePath_.clear();
  host_.ShowMap(MapPicture::BuiltInMap(), KeptCalibration({}).value_or(MapCalibration()));
}

void MapChoice::DocumentOpened(const QString& path) {
  documentPath_ = Absolute(path);
  const QVariantMap documents = settings_.value(kDocumentsKey).toMap();
  const auto it = documents.constFind(documentPath_);
  if (it == documents.constEnd() || Absolute(it->toString()) == picturePath_) return;
  if (it->toString().isEmpty()) {
    UseBuiltIn();
  } else {
    Open(it->toString());
  }
}

void MapChoice::ChoosePicture() {
  const std::optional<QString> path = host_.Dialogs().OpenPictureName(window_, picturePath_);
  if (!path || !Open(*path)) return;
  Remember();
  if (!ExistingWorldFile(*path).isEmpty() || KeptCalibration(picturePath_)) return;
  Calibrate();
}

void MapChoice::Remember() {
  settings_.setValue(kDefaultKey, picturePath_);
  if (!documentPath_.isEmpty()) {
    QVariantMap documents = settings_.value(kDocumentsKey).toMap();
    documents.insert(documentPath_, picturePath_);
    settings_.setValue(kDocumentsKey, documents);
  }
  settings_.sync();
}

void MapChoice::Calibrate() {
  if (dialog_) {
    dialog_->activateWindow();
    return;
  }
  dialog_ =
      new CalibrationDialog(host_.MapPristine(), host_.Calibration(), host_.PointOne(), window_);
  dialog_->setAttribute(Qt::WA_DeleteOnClose);
  CalibrationDialog* dialog = dialog_;
  connect(dialog, &QDialog::accepted, this, [this, dialog] { Place(dialog->Result()); });
  connect(dialog, &QDialog::finished, this, [this] { dialog_ = nullptr; });
  dialog_->open();
}

void MapChoice::Place(const MapCalibration& calibration) {
  host_.Recalibrate(calibration);
  if (picturePath_.isEmpty()) {
    KeepCalibration(calibration);
    return;
  }
  try {
    WriteWorldFile(picturePath_, calibration);
  } catch (const QarnError& error) {
    KeepCalibration(calibration);
    host_.Report(tr("%1\nThe calibration is kept in this program's settings for \"%2\".")
                     .arg(QString::fromUtf8(error.what()), picturePath_));
  }
}

std::optional<MapCalibration> MapChoice::KeptCalibration(const QString& picturePath) {
  const QVariantMap kept = settings_.value(kCalibrationsKey).toMap();
  const QString name = picturePath.isEmpty() ? kBuiltInName : picturePath;
  if (!kept.contains(name)) return std::nullopt;
  try {
    return CalibrationOf(ParseWorldFile(kept.value(name).toString().toStdString()));
  } catch (const QarnError&) {
    return std::nullopt;  // damaged settings: as if none were kept
  }
}

void MapChoice::KeepCalibration(const MapCalibration& calibration) {
  QVariantMap kept = settings_.value(kCalibrationsKey).toMap();
  kept.insert(picturePath_.isEmpty() ? kBuiltInName : picturePath_,
              QString::fromStdString(WorldFileText(calibration)));
  settings_.setValue(kCalibrationsKey, kept);
  settings_.sync();
}

}  // namespace qarn
