#include "exchange/record_text.h"

#include <array>
#include <charconv>

namespace qarn {

QString HexWord(uint32_t word) {
  return QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0')).toUpper();
}

QString FloatText(float value) {
  // std::to_chars ignores the locale and keeps the sign of negative zero, unlike QString's
  // formatting.
  std::array<char, 32> text{};
  const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return QString::fromLatin1(text.data(), end - text.data());
}

QString NameText(const tDesc& record) {
  return QString::fromLatin1(QByteArray::fromStdString(record.DisplayName()));
}

QString QuotedName(const tDesc& record) {
  QString quoted = QStringLiteral("\"");
  for (const char byte : record.DisplayName()) {
    const auto code = static_cast<unsigned char>(byte);
    if (code == '"' || code == '\\') {
      quoted += QLatin1Char('\\');
      quoted += QLatin1Char(byte);
    } else if (code < 0x20 || (code >= 0x7F && code < 0xA0)) {
      quoted += QStringLiteral("\\x") + QString::number(code, 16).rightJustified(2, u'0').toUpper();
    } else {
      quoted += QChar(code);
    }
  }
  return quoted + QLatin1Char('"');
}

}  // namespace qarn
