#include "widgets/float_edit.h"

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
  return FormatFloatText(value_, format_, precision_, digits_, LocaleDecimalSeparator());
}

// Unreadable text keeps the held value, so without bounds this check always passes: a slip of
// the keyboard reverts instead of trapping the focus.
bool TFloatEdit::CheckText() {
  value_ = ParseDecimalText(text(), value_);
  ReplaceText(ValueText());
  return InBounds(value_);
}

}  // namespace qarn
