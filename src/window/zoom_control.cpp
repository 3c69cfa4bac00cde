#include "window/zoom_control.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

#include "map/view_transform.h"
#include "window/map_view.h"

namespace qarn {
namespace {

const QString kFit = QStringLiteral("Fit");

// A whole percentage as "150 %", a zoom typed with a decimal as it was taken ("150,5 %").
QString PercentText(double scale) {
  const double percent = std::round(scale * 1000) / 10;
  const bool whole = percent == std::round(percent);
  return QStringLiteral("%1 %").arg(QLocale().toString(percent, 'f', whole ? 0 : 1));
}

}  // namespace

ZoomControl::ZoomControl(MapView& view, QWidget* parent) : QComboBox(parent), view_(view) {
  setObjectName(QStringLiteral("ZoomBox"));
  setAccessibleName(QStringLiteral("Zoom"));
  setToolTip(
      QStringLiteral("Zoom of the map (Ctrl+wheel, Ctrl++, Ctrl+-, Ctrl+0: 100 %, Ctrl+9: fit)"));
  setEditable(true);
  lineEdit()->setAccessibleName(accessibleName());  // a screen reader announces the text field
  setInsertPolicy(QComboBox::NoInsert);
  for (int level : ViewTransform::kLevels) addItem(PercentText(level / 100.0));
  addItem(kFit);
  ShowScale(view_.Scale());
  connect(this, &QComboBox::textActivated, this, &ZoomControl::Choose);
  // A typed percentage that is not in the list is no entry the box activates.
  connect(lineEdit(), &QLineEdit::returnPressed, this, [this] { Choose(lineEdit()->text()); });
  connect(&view_, &MapView::ScaleChanged, this, &ZoomControl::ShowScale);
}

void ZoomControl::Choose(const QString& text) {
  if (text.trimmed().compare(kFit, Qt::CaseInsensitive) == 0) {
    view_.Fit();
  } else {
    static const QRegularExpression percent(
        QStringLiteral(R"(^\s*(\d{1,4}(?:[.,]\d?)?)\s*%?\s*$)"));
    const QRegularExpressionMatch match = percent.match(text);
    QString number = match.captured(1);
    const double value = number.replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    // One decimal at most, so the box can show the zoom as it was typed.
    if (!match.hasMatch() || value < 25 || value > 800) {
      QApplication::beep();  // not a zoom: the box shows the zoom that stays
    } else {
      view_.SetScale(value / 100.0);
    }
  }
  ShowScale(view_.Scale());
}

void ZoomControl::ShowScale(double scale) {
  const int index = findText(PercentText(scale));
  if (index >= 0) setCurrentIndex(index);
  setEditText(PercentText(scale));
}

}  // namespace qarn
