#pragma once

#include <cstdint>

#include "widgets/valid_edit.h"

namespace qarn {

// An edit field holding a signed 32-bit integer beside its text. Setting the value rewrites the
// text; reading it checks the text first and yields 0 while the text is invalid.
class TIntegerEdit : public TValidEdit {
  Q_OBJECT

 public:
  explicit TIntegerEdit(QWidget* parent = nullptr);

  // The held value after a validation cycle, or 0 when the text fails it.
  int32_t Value();
  // Takes the value only when it lies within the bounds; otherwise nothing changes.
  void SetValue(int32_t value);
  int32_t MinValue() const { return minValue_; }
  void SetMinValue(int32_t minValue);
  int32_t MaxValue() const { return maxValue_; }
  void SetMaxValue(int32_t maxValue);
  bool UseBounds() const { return useBounds_; }
  void SetUseBounds(bool use) { useBounds_ = use; }
  bool InBounds(int32_t value) const;
  // Shows the held value in decimal.
  void UpdateText();

 protected:
  bool CheckText() override;
  QString ValueText() const;
  void ReadValueOnEntry() override { Value(); }

 private:
  int32_t minValue_ = 0;
  int32_t maxValue_ = 0;
  int32_t value_ = 0;
  bool useBounds_ = false;
};

}  // namespace qarn
