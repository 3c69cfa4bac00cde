#include "widgets/char_edit.h"

#include <QByteArray>

namespace qarn {

namespace {

constexpr int kLongestEntry = 255;

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

TCharEdit::TCharSet TCharEdit::ClassOf(unsigned char byte) {
  if (byte == '\t') return csTab;
  if (byte == ' ') return csSpace;
  if (byte >= '0' && byte <= '9') return csNumber;
  if (byte >= 'A' && byte <= 'Z') return csUpperChar;
  if (byte >= 'a' && byte <= 'z') return csLowerChar;
  return csOther;
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
