// The object list, the point list and the refresh that keeps the fields, the check boxes and the
// map marks in step with the selected object.
#include <QApplication>
#include <QCheckBox>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include "commands/refresh_values.h"
#include "commands/type_and_flags.h"
#include "document/errors.h"
#include "geometry/rounding.h"
#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/mark_preview.h"
#include "window/name_widths.h"
#include "window/number_text.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

// The texts come from the document when the cells are painted, so a list that keeps its length
// needs a repaint only, and only of the cells whose text changed (a row number included: it may
// have appeared or gone). Setting the row count again would tell the grid that every cell
// changed, and its row header would measure up to 200 row numbers anew: more than the rest of a
// command.
void ShowRows(tKvStringGrid* grid, int rows) {
  if (grid->RowCount() != rows) grid->SetRowCount(rows);
  grid->RepaintChangedTexts();
}

}  // namespace

void TQarnForm::RefillObjectList() {
  // A shorter list clamps the row without a refresh.
  const QScopedValueRollback quiet(namesClickSuppressed_, true);
  const tHeader& doc = model_->Document();
  ShowRows(Names, static_cast<int>(doc.objectCount) + 1);
  SelectRowSilently(model_->CurrentObjectNumber());
  const int nameWidth = nameWidths_->Widest(doc, Names->font(), kNameColumnWidth);
  if (nameWidth != Names->ColWidths(1)) Names->SetColWidths(1, nameWidth);
}

QString TQarnForm::NamesCellText(int col, int row) const {
  const tHeader& doc = model_->Document();
  if (row < 1 || row > static_cast<int>(doc.records.size())) return QString();
  if (col == 0) return QString::number(row);
  if (col == 1) return QString::fromLatin1(doc.Object(row).DisplayName());
  return QString();
}

// The whole name with the object's number and point count: a long name is cut off in the list.
QString TQarnForm::NamesCellHint(int, int row) const {
  const tHeader& doc = model_->Document();
  if (row < 1 || row > static_cast<int>(doc.records.size())) return QString();
  const tDesc& object = doc.Object(row);
  const QString points = object.pointCount == 1
                             ? QStringLiteral("1 point")
                             : QStringLiteral("%1 points").arg(object.pointCount);
  return QStringLiteral("%1\nObject %2, %3")
      .arg(QString::fromLatin1(object.DisplayName()), QString::number(row), points);
}

QString TQarnForm::EntsCellText(int col, int row) const {
  if (row < 1 || row > static_cast<int>(shownObject_.pointCount)) return QString();
  const tPoint& point = shownObject_.Point(row);
  switch (col) {
    case 0:
      return QString::number(row);
    case 1:
      return FixedTwoDecimals(point.x);
    case 2:
      return FixedTwoDecimals(point.y);
    case 3:
      return FixedTwoDecimals(point.z);
    case 4:
      return QString::fromStdString(FlagText(point.flags));
    default:
      return QString();
  }
}

void TQarnForm::SelectRowSilently(int row) {
  const QScopedValueRollback quiet(namesClickSuppressed_, true);
  if (row >= 1 && row < Names->RowCount()) Names->SetRow(row);
}

void TQarnForm::RefreshObject(int n) {
  const QScopedValueRollback depth(refreshDepth_, refreshDepth_ + 1);  // errors included
  const tDesc& object = model_->Document().Object(n);
  WithPlace([&] { return model_->PlaceInDocument(n); }, [&] { FillPointList(object); });
  const RefreshValues values = ComputeRefreshValues(object);
  xEdit->SetValue(values.base.x);
  yEdit->SetValue(values.base.y);
  zEdit->SetValue(values.base.z);
  const Vec3 pair = values.pair.value_or(Vec3{});
  if (values.rotation) Rotation->SetValue(*values.rotation);
  if (values.length) Lenge->SetValue(*values.length);
  dxEdit->SetValue(pair.x);
  dyEdit->SetValue(pair.y);
  dzEdit->SetValue(pair.z);
  const Vec3 row = values.row.value_or(Vec3{});
  XdxEdit->SetValue(row.x);
  XdyEdit->SetValue(row.y);
  XdzEdit->SetValue(row.z);
  if (values.row) {
    // The row's direction comes from the fields as they read back, at 10 significant digits.
    if (HasDirection(XdxEdit->Value(), XdzEdit->Value())) {
      const auto [length, degrees] = PolarLengthAndDegrees(XdxEdit->Value(), XdzEdit->Value());
      XLenge->SetValue(length);
      XRotation->SetValue(degrees);
    }
  } else if (values.pair) {
    XLenge->SetValue(0);
  }
  if (values.flags) ShowFlags(*values.flags);
  if (!keepFocus_) Names->setFocus();
  // The marks come last: a point that cannot be drawn is reported when every field already
  // shows the object, and the map shows all of its other marks.
  const auto shown = qScopeGuard([this] { ShowMapChanges(); });
  WithPlace([this] { return model_->PlaceInDocument(); },
            [&] { map_.DrawObjectMarks(object, transform_, n); });
  if (model_->Selected().objects.size() > 1) {
    const tHeader& doc = model_->Document();
    map_.ShowMarks(WithOtherSelected(
        map_.Marks(), model_->Selected(), [&doc](int m) -> const tDesc& { return doc.Object(m); },
        transform_));
  }
}

void TQarnForm::FillPointList(const tDesc& object) {
  CheckPointCount(object.pointCount);
  shownObject_ = object;
  ShowRows(Ents, static_cast<int>(object.pointCount) + 1);
  model_->SetCurrentPoint(Ents->Row());  // the list keeps its row as the point count changes
}

void TQarnForm::ShowFlags(uint32_t flags) {
  const std::array<bool, 32> boxes = BoxesFromFlags(flags);
  for (size_t i = 0; i < boxes.size(); ++i) checkBoxes_[i]->setChecked(boxes[i]);
  HexEdit->ShowText(QString::fromStdString(FlagText(flags)));
}

// Ctrl+click adds the object to the selection or takes it out, Shift+click (and Shift with the
// arrows) selects every object from the current one; a plain click selects the one object.
void TQarnForm::NamesClick() {
  if (namesClickSuppressed_) return;
  const Qt::KeyboardModifiers keys = QApplication::keyboardModifiers();
  Guard([&] {
    if (keys & Qt::ControlModifier) {
      model_->ToggleObject(Names->Row());
    } else if (keys & Qt::ShiftModifier) {
      model_->ExtendSelectionTo(Names->Row());
    } else {
      model_->SelectObject(Names->Row());
    }
    RevealPointOne();
  });
}

void TQarnForm::EntsClick() {
  if (entsClickSuppressed_) return;
  // Someone moving through the points with the arrow keys stays in the point list: the refresh
  // would hand the focus to the object list, where the next arrow key would pick another object.
  const QScopedValueRollback<bool> keep(keepFocus_, keepFocus_ || Ents->hasFocus());
  Guard([this] {
    model_->SelectObject(model_->CurrentObjectNumber());
    const int k = Ents->Row();
    if (k < 1 || k > kMaxPoints) {
      throw RangeCheckError("no point is selected in the point list.");
    }
    MarkPoint(k);
  });
}

void TQarnForm::MarkPoint(int k) {
  const tDesc& object = model_->CurrentObject();
  if (k < 1 || k > static_cast<int>(object.pointCount)) return;
  const tPoint& point = object.Point(k);
  const QPoint pixel = transform_.PixelOf(point.x, point.z);
  map_.DrawPointDisc(pixel.x(), pixel.y());
  ShowMapChanges();
}

}  // namespace qarn
