#include "widgets/char_edit.h"

#include <QList>

namespace qarn {

namespace {

constexpr int kLongestEntry = 255;

// Every character from 128 up, accented letters and emoji included, is csOther.
TCharEdit::TCharSet ClassOf(char32_t c) {
  if (c == '\t') return TCharEdit::csTab;
  if (c == ' ') return TCharEdit::csSpace;
  if (c >= '0' && c <= '9') return TCharEdit::csNumber;
  if (c >= 'A' && c <= 'Z') return TCharEdit::csUpperChar;
  if (c >= 'a' && c <= 'z') return TCharEdit::csLowerChar;
  return TCharEdit::csOther;
}

}  // namespace

TCharEdit::TCharEdit(QWidget* parent) : TValidEdit(parent) {
  SetAllowEmpty(false);
}

void TCharEdit::SetMinLength(int length) {
  if (length < 0) length = 0;
  minLength_ = length > maxLength_ ? maxLength_ : length;
}

void TCharEdit::SetMaxLength(int length) {
  if (length > kLongestEntry) length = kLongestEntry;
  maxLength_ = length < minLength_ ? minLength_ : length;
}

// Lengths count characters (code points): an emoji is one character, like a letter.
bool TCharEdit::CheckText() {
  const QList<uint> characters = text().toUcs4();
  if (characters.size() < minLength_ || characters.size() > maxLength_) return false;
  for (const uint c : characters) {
    if (!(charSets_ & (1u << ClassOf(static_cast<char32_t>(c))))) return false;
  }
  return true;
}

}  // namespace qarn
