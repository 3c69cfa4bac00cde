#pragma once

#include <cstdint>

#include "widgets/valid_edit.h"

namespace qarn {

// A free-text edit field whose entry must stay within a length range and use only the allowed
// character classes. An empty entry is checked like any other.
class TCharEdit : public TValidEdit {
  Q_OBJECT

 public:
  enum TCharSet : uint8_t { csSpace, csTab, csUpperChar, csLowerChar, csNumber, csOther };
  // Member n of the set is bit n.
  using TCharSets = uint8_t;
  static constexpr TCharSets kAllCharSets = 0x3F;

  explicit TCharEdit(QWidget* parent = nullptr);

  TCharSets CharSets() const { return charSets_; }
  void SetCharSets(TCharSets sets) { charSets_ = sets; }
  int MinLength() const { return minLength_; }
  // Kept within 0 and MaxLength.
  void SetMinLength(int length);
  int MaxLength() const { return maxLength_; }
  // Kept within MinLength and 255.
  void SetMaxLength(int length);

 protected:
  bool CheckText() override;

 private:
  TCharSets charSets_ = kAllCharSets;
  int minLength_ = 0;
  int maxLength_ = 255;
};

}  // namespace qarn
