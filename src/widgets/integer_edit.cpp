#include "widgets/integer_edit.h"

#include "widgets/float_text.h"

namespace qarn {

TIntegerEdit::TIntegerEdit(QWidget* parent) : TValidEdit(parent) {
  UpdateText();
}

int32_t TIntegerEdit::Value() {
  return IsValid() ? value_ : 0;
}

void TIntegerEdit::SetValue(int32_t value) {
  if (!InBounds(value)) return;
  value_ = value;
  UpdateText();
}

void TIntegerEdit::SetMinValue(int32_t minValue) {
  minValue_ = minValue;
  if (!InBounds(value_)) SetValue(minValue);
}

void TIntegerEdit::SetMaxValue(int32_t maxValue) {
  maxValue_ = maxValue;
  if (!InBounds(value_)) SetValue(maxValue);
}

bool TIntegerEdit::InBounds(int32_t value) const {
  return !useBounds_ || (minValue_ <= value && value <= maxValue_);
}

void TIntegerEdit::UpdateText() {
  ShowText(ValueText());
}

QString TIntegerEdit::ValueText() const {
  return QString::number(value_);
}

// A readable number is taken and shown in its plain form even when it lies outside the bounds;
// the bounds only decide whether the entry passes.
bool TIntegerEdit::CheckText() {
  const std::optional<int32_t> parsed = ParseIntegerText(text());
  if (!parsed) return false;
  value_ = *parsed;
  ReplaceText(ValueText());
  return InBounds(value_);
}

}  // namespace qarn
