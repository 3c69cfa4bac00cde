#include "widgets/float_text.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace qarn {

namespace {

// A finite value as 0.d1d2... x 10^exp. Zero has no digits; digits never end in '0'.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exp = 0;
};

void StripTrailingZeros(std::string& digits) {
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

// Enough significant digits to print |x| = M * 2^k (M below 2^64) exactly: an integer has at
// most log10(2) digits per bit, and M * 5^-k has at most 20 + 0.7 * -k digits.
int ExactDigitCount(long double magnitude) {
  int binaryExp = 0;
  std::frexp(magnitude, &binaryExp);
  const int k = binaryExp - 64;
  if (k >= 0) return static_cast<int>(binaryExp * 0.30103) + 3;
  return 21 + static_cast<int>(std::ceil(-k * 0.69897));
}

// The exact decimal expansion of a finite value. Rounding is done on these digits, so the
// result never depends on an intermediate double.
Decimal ExactDecimal(long double x) {
  Decimal d;
  d.negative = std::signbit(x);
  const long double magnitude = std::fabs(x);
  if (magnitude == 0) return d;
  const int count = ExactDigitCount(magnitude);
  std::string text(static_cast<size_t>(count) + 32, '\0');
  std::snprintf(text.data(), text.size(), "%.*Le", count - 1, magnitude);
  const size_t e = text.find('e');
  d.digits = text.substr(0, 1) + text.substr(2, e - 2);
  d.exp = std::stoi(text.substr(e + 1)) + 1;
  StripTrailingZeros(d.digits);
  return d;
}

// Keeps `count` significant digits; the dropped part rounds half away from zero.
Decimal RoundToDigits(Decimal d, int count) {
  if (static_cast<int>(d.digits.size()) <= count) return d;
  if (count < 0) return Decimal{d.negative, {}, 0};
  const bool up = d.digits[static_cast<size_t>(count)] >= '5';
  d.digits.resize(static_cast<size_t>(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9')
      d.digits[static_cast<size_t>(i--)] = '0';
    if (i < 0) {
      d.digits.insert(0, 1, '1');
      ++d.exp;
    } else {
      ++d.digits[static_cast<size_t>(i)];
    }
  }
  StripTrailingZeros(d.digits);
  if (d.digits.empty()) d.exp = 0;
  return d;
}

QChar DigitAt(const Decimal& d, int index) {
  if (index < 0 || index >= static_cast<int>(d.digits.size())) return QLatin1Char('0');
  return QLatin1Char(d.digits[static_cast<size_t>(index)]);
}

// The digits in front of the separator: a single '0' below 1.
QString IntegerPart(const Decimal& d) {
  if (d.exp <= 0) return QStringLiteral("0");
  QString text;
  for (int i = 0; i < d.exp; ++i) text += DigitAt(d, i);
  return text;
}

QString SignOf(const Decimal& d) {
  return d.negative && !d.digits.empty() ? QStringLiteral("-") : QString();
}

QString PlainNotation(const Decimal& d, QChar separator) {
  const int size = static_cast<int>(d.digits.size());
  if (d.exp <= 0) {
    return QStringLiteral("0") + separator + QString(-d.exp, QLatin1Char('0')) +
           QString::fromLatin1(d.digits.data(), size);
  }
  QString text = IntegerPart(d);
  if (size > d.exp) text += separator + QString::fromLatin1(d.digits.data() + d.exp, size - d.exp);
  return text;
}

QString ShortScientific(const Decimal& d, QChar separator) {
  QString text(DigitAt(d, 0));
  if (d.digits.size() > 1) text += separator + QString::fromLatin1(d.digits.data() + 1);
  return text + QLatin1Char('E') + QString::number(d.exp - 1);
}

QString GeneralText(const Decimal& exact, int precision, QChar separator) {
  const Decimal d = RoundToDigits(exact, precision);
  if (d.digits.empty()) return QStringLiteral("0");
  const bool plain = d.exp >= -3 && d.exp <= precision;
  return SignOf(d) + (plain ? PlainNotation(d, separator) : ShortScientific(d, separator));
}

QString ExponentText(const Decimal& exact, int precision, int digits, QChar separator) {
  const Decimal d = RoundToDigits(exact, precision);
  QString text = SignOf(d) + DigitAt(d, 0) + separator;
  for (int i = 1; i < precision; ++i) text += DigitAt(d, i);
  const int exponent = d.digits.empty() ? 0 : d.exp - 1;
  const int width = digits >= 0 && digits <= 3 ? digits : 1;
  text += QLatin1Char('E');
  text += QLatin1Char(exponent < 0 ? '-' : '+');
  return text + QString::number(std::abs(exponent)).rightJustified(width, QLatin1Char('0'));
}

QString FixedText(const Decimal& exact, int precision, int digits, QChar separator) {
  const int decimals = std::clamp(digits, 0, 18);
  const Decimal d = RoundToDigits(exact, exact.exp + decimals);
  if (!d.digits.empty() && d.exp > precision) return GeneralText(exact, precision, separator);
  QString text = SignOf(d) + IntegerPart(d);
  if (decimals == 0) return text;
  text += separator;
  for (int i = 0; i < decimals; ++i) text += DigitAt(d, d.exp + i);
  return text;
}

QString NonFiniteText(long double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

bool IsAsciiDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int DigitValue(QChar c, bool hex) {
  if (IsAsciiDigit(c)) return c.unicode() - '0';
  if (!hex) return -1;
  const char16_t lower = c.unicode() | 0x20;
  return lower >= u'a' && lower <= u'f' ? lower - u'a' + 10 : -1;
}

// Skips an optional hexadecimal prefix at `pos`; tells whether one was there.
bool SkipHexPrefix(const QString& text, qsizetype& pos) {
  if (pos >= text.size()) return false;
  const QChar c = text.at(pos);
  if (c == QLatin1Char('$') || c == QLatin1Char('x') || c == QLatin1Char('X')) {
    ++pos;
    return true;
  }
  const bool zeroX = c == QLatin1Char('0') && pos + 1 < text.size() &&
                     (text.at(pos + 1) == QLatin1Char('x') || text.at(pos + 1) == QLatin1Char('X'));
  if (zeroX) pos += 2;
  return zeroX;
}

}  // namespace

long double ParseDecimalText(const QString& text, long double fallback) {
  bool positive = true;
  bool fraction = false;
  bool bad = false;
  long double sum = 0;
  long double scale = 0.1L;
  for (const QChar c : text) {
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
      positive = c == QLatin1Char('+');
    } else if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
      fraction = true;
    } else if (IsAsciiDigit(c)) {
      const int digit = c.unicode() - '0';
      if (fraction) {
        sum += digit * scale;
        scale /= 10;
      } else {
        sum = sum * 10 + digit;
      }
    } else {
      bad = true;
    }
  }
  // A digit string beyond the extended range would read as infinity; keep the old value instead.
  if (bad || !std::isfinite(sum)) return fallback;
  return positive ? sum : -sum;
}

std::optional<int32_t> ParseIntegerText(const QString& text) {
  qsizetype pos = 0;
  while (pos < text.size() && text.at(pos) == QLatin1Char(' ')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text.at(pos) == QLatin1Char('+') || text.at(pos) == QLatin1Char('-'))) {
    negative = text.at(pos++) == QLatin1Char('-');
  }
  const bool hex = SkipHexPrefix(text, pos);
  if (pos >= text.size()) return std::nullopt;
  const uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
  uint64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text.at(pos), hex);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

QString FormatFloatText(long double value, int format, int precision, int digits,
                        QChar decimalSeparator) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const int usedPrecision = std::clamp(precision, 2, 18);
  const Decimal exact = ExactDecimal(value);
  if (format == kFloatTextGeneral) return GeneralText(exact, usedPrecision, decimalSeparator);
  if (format == kFloatTextExponent) {
    return ExponentText(exact, usedPrecision, digits, decimalSeparator);
  }
  return FixedText(exact, usedPrecision, digits, decimalSeparator);
}

QChar LocaleDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.isEmpty() ? QLatin1Char('.') : point.at(0);
}

}  // namespace qarn
