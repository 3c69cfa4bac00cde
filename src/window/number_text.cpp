#include "window/number_text.h"

#include <QLocale>
#include <cmath>
#include <cstdio>

namespace qarn {

QString FixedTwoDecimals(long double value) {
  char text[64];
  if (std::isfinite(value) && std::fabs(value) < 1e18L) {
    std::snprintf(text, sizeof text, "%.2Lf", value);
  } else {
    std::snprintf(text, sizeof text, "%.17LE", value);
  }
  QString result = QString::fromLatin1(text);
  result.replace(QLatin1Char('.'), QLocale().decimalPoint());
  return result;
}

}  // namespace qarn
