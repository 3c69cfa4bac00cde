#include "widgets/float_edit.h"

#include <cmath>

#include "widgets/float_text.h"

namespace qarn {

TFloatEdit::TFloatEdit(QWidget* parent) : TValidEdit(parent) {
  UpdateText();
}

long double TFloatEdit::Value() {
  return IsValid() ? value_ : 0;
}

void TFloatEdit::SetValue(long double value) {
  if (!InBounds(value)) return;
  value_ = value;
  UpdateText();
}

void TFloatEdit::SetMinValue(long double minValue) {
  minValue_ = minValue;
  if (!InBounds(value_)) SetValue(minValue);
}

void TFloatEdit::SetMaxValue(long double maxValue) {
  maxValue_ = maxValue;
  if (!InBounds(value_)) SetValue(maxValue);
}

bool TFloatEdit::InBounds(long double value) const {
  return !useBounds_ || (minValue_ <= value && value <= maxValue_);
}

void TFloatEdit::SetDigits(int digits) {
  digits_ = digits;
  UpdateText();
}

void TFloatEdit::SetPrecision(int precision) {
  precision_ = precision;
  UpdateText();
}

void TFloatEdit::SetFormat(TFloatView format) {
  format_ = format;
  UpdateText();
}

void TFloatEdit::UpdateText() {
  ShowText(ValueText());
}

QString TFloatEdit::ValueText() const {
  const QChar separator = LocaleDecimalSeparator();
  const auto madeFrom = [&](const tValueText& made) {
    return made.value == value_ && std::signbit(made.value) == std::signbit(value_) &&
           made.format == format_ && made.precision == precision_ && made.digits == digits_ &&
           made.separator == separator;
  };
  if (lastText_ && madeFrom(*lastText_)) return lastText_->text;
  QString text = FormatFloatText(value_, format_, precision_, digits_, separator);
  lastText_ = tValueText{value_, format_, precision_, digits_, separator, text};
  return text;
}

// Unreadable text keeps the held value, so without bounds this check always passes: a slip of
// the keyboard reverts instead of trapping the focus.
bool TFloatEdit::CheckText() {
  value_ = ParseDecimalText(text(), value_);
  ReplaceText(ValueText());
  return InBounds(value_);
}

}  // namespace qarn
