#include "window/calibration_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "document/errors.h"
#include "window/calibration_picture.h"

namespace qarn {

namespace {

// A number typed in the user's way or with a decimal point.
std::optional<double> TypedNumber(const QLineEdit* field) {
  bool ok = false;
  double value = QLocale().toDouble(field->text().trimmed(), &ok);
  if (!ok) value = QLocale::c().toDouble(field->text().trimmed(), &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

QSpinBox* PixelBox(int last, const QString& name) {
  auto* box = new QSpinBox;
  box->setRange(0, last);
  box->setAccessibleName(name);
  return box;
}

QLineEdit* WorldField(const QString& name) {
  auto* field = new QLineEdit;
  field->setAccessibleName(name);
  field->setPlaceholderText(name);
  return field;
}

}  // namespace

CalibrationDialog::CalibrationDialog(const QImage& picture, const MapCalibration& current,
                                     std::optional<QPointF> pointOne, QWidget* parent)
    : QDialog(parent), result_(current) {
  setObjectName(QStringLiteral("CalibrationDialog"));
  setWindowTitle(tr("Calibrate map"));
  message_ = new QLabel;
  message_->setWordWrap(true);
  message_->setObjectName(QStringLiteral("CalibrationMessage"));
  picture_ = new CalibrationPicture(picture, [this](QPoint pixel) { PickPixel(pixel); });
  auto* scroll = new QScrollArea;
  scroll->setWidget(picture_);
  scroll->setAccessibleName(tr("Map picture"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &CalibrationDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CalibrationDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(scroll, 1);
  for (int i = 0; i < 2; ++i) layout->addWidget(BuildPoint(i, picture, pointOne));
  layout->addWidget(buttons);
  resize(900, 700);
  ShowTurn();
}

QWidget* CalibrationDialog::BuildPoint(int number, const QImage& picture,
                                       std::optional<QPointF> pointOne) {
  const QString n = QString::number(number + 1);
  PointFields& f = points_[size_t(number)];
  f.column = PixelBox(picture.width() - 1, tr("Point %1 column").arg(n));
  f.row = PixelBox(picture.height() - 1, tr("Point %1 row").arg(n));
  f.x = WorldField(tr("Point %1 world x").arg(n));
  f.z = WorldField(tr("Point %1 world z").arg(n));
  for (QSpinBox* box : {f.column, f.row}) {
    connect(box, &QSpinBox::valueChanged, this, [this, number] {
      const PointFields& p = points_[size_t(number)];
      picture_->ShowPoint(number, QPoint(p.column->value(), p.row->value()));
    });
  }
  auto* take = new QPushButton(tr("Selected object's point 1"));
  take->setObjectName(QStringLiteral("TakePointOne%1").arg(n));
  take->setEnabled(pointOne.has_value());
  connect(take, &QPushButton::clicked, this, [f, pointOne] {
    f.x->setText(QLocale().toString(pointOne->x(), 'g', 9));
    f.z->setText(QLocale().toString(pointOne->y(), 'g', 9));
  });
  auto* row = new QWidget;
  auto* grid = new QGridLayout(row);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(tr("Point %1: column").arg(n)), 0, 0);
  grid->addWidget(f.column, 0, 1);
  grid->addWidget(new QLabel(tr("row")), 0, 2);
  grid->addWidget(f.row, 0, 3);
  grid->addWidget(new QLabel(tr("world x")), 0, 4);
  grid->addWidget(f.x, 0, 5);
  grid->addWidget(new QLabel(tr("world z")), 0, 6);
  grid->addWidget(f.z, 0, 7);
  grid->addWidget(take, 0, 8);
  return row;
}

void CalibrationDialog::PickPixel(QPoint pixel) {
  PointFields& f = points_[size_t(turn_)];
  f.column->setValue(pixel.x());
  f.row->setValue(pixel.y());
  picture_->ShowPoint(turn_, pixel);
  f.x->setFocus();  // the world position of that pixel comes next
  turn_ = 1 - turn_;
  ShowTurn();
}

void CalibrationDialog::ShowTurn() {
  message_->setText(tr("Click the map where you know the world position (point %1 next), "
                       "then type its world x and z.")
                        .arg(turn_ + 1));
}

std::optional<KnownPoint> CalibrationDialog::Known(int number) {
  const PointFields& f = points_[size_t(number)];
  const std::optional<double> x = TypedNumber(f.x);
  const std::optional<double> z = TypedNumber(f.z);
  if (!x || !z) {
    message_->setText(tr("Type the world x and z of point %1 as numbers.").arg(number + 1));
    (x ? f.z : f.x)->setFocus();
    return std::nullopt;
  }
  return KnownPoint{double(f.column->value()), double(f.row->value()), *x, *z};
}

void CalibrationDialog::accept() {
  const std::optional<KnownPoint> first = Known(0);
  const std::optional<KnownPoint> second = first ? Known(1) : std::nullopt;
  if (!second) return;
  try {
    result_ = CalibrationFromTwoPoints(*first, *second);
  } catch (const QarnError& error) {
    message_->setText(tr("The map cannot be calibrated: %1").arg(QString::fromUtf8(error.what())));
    return;
  }
  QDialog::accept();
}

}  // namespace qarn
