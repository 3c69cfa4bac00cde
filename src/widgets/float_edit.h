#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

#include "widgets/valid_edit.h"

namespace qarn {

// An edit field holding an extended-precision float beside its text. The text accepts both ','
// and '.' as the decimal separator and is rewritten in the locale's form on every check; text
// that does not read as a number is replaced by the held value's text.
class TFloatEdit : public TValidEdit {
  Q_OBJECT

 public:
  enum TFloatView : uint8_t { fvGeneral, fvExponent, fvFixed };

  explicit TFloatEdit(QWidget* parent = nullptr);

  // The held value after a validation cycle, or 0 when the entry fails it.
  long double Value();
  // Takes the value only when it lies within the bounds; otherwise nothing changes.
  void SetValue(long double value);
  long double MinValue() const { return minValue_; }
  void SetMinValue(long double minValue);
  long double MaxValue() const { return maxValue_; }
  void SetMaxValue(long double maxValue);
  bool UseBounds() const { return useBounds_; }
  void SetUseBounds(bool use) { useBounds_ = use; }
  bool InBounds(long double value) const;
  int Digits() const { return digits_; }
  void SetDigits(int digits);
  int Precision() const { return precision_; }
  void SetPrecision(int precision);
  TFloatView Format() const { return format_; }
  void SetFormat(TFloatView format);
  // Shows the held value per Format, Precision and Digits with the locale's separator.
  void UpdateText();

 protected:
  bool CheckText() override;
  QString ValueText() const;
  void ReadValueOnEntry() override { Value(); }

 private:
  // A text with what it was made from.
  struct tValueText {
    long double value;
    TFloatView format;
    int precision;
    int digits;
    QChar separator;
    QString text;
  };

  long double minValue_ = 0;
  long double maxValue_ = 0;
  long double value_ = 0;
  bool useBounds_ = false;
  int digits_ = 2;
  int precision_ = 10;
  TFloatView format_ = fvGeneral;
  // The last text made: a refresh sets a dozen fields, most to the value they hold already, and
  // writing a long double exactly takes microseconds.
  mutable std::optional<tValueText> lastText_;
};

}  // namespace qarn
