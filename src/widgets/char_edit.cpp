#include "widgets/char_edit.h"

#include <QByteArray>

namespace qarn {

namespace {

constexpr int kLongestEntry = 255;

// Every byte from 128 up, accented letters included, is csOther.
TCharEdit::TCharSet ClassOf(unsigned char byte) {
  if (byte == '\t') return TCharEdit::csTab;
  if (byte == ' ') return TCharEdit::csSpace;
  if (byte >= '0' && byte <= '9') return TCharEdit::csNumber;
  if (byte >= 'A' && byte <= 'Z') return TCharEdit::csUpperChar;
  if (byte >= 'a' && byte <= 'z') return TCharEdit::csLowerChar;
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

// Lengths count the bytes of the UTF-8 form, so a letter outside ASCII counts as more than one
// byte, each of them in csOther.
bool TCharEdit::CheckText() {
  const QByteArray bytes = text().toUtf8();
  if (bytes.size() < minLength_ || bytes.size() > maxLength_) return false;
  for (const char byte : bytes) {
    if (!(charSets_ & (1u << ClassOf(static_cast<unsigned char>(byte))))) return false;
  }
  return true;
}

}  // namespace qarn
