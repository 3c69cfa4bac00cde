#pragma once

#include <QString>

namespace qarn {

// A number as the lists and labels show it: fixed-point with exactly two decimals and the
// locale's decimal separator ("1,50" under a decimal comma); values of more than 18 integer digits
// in exponent form.
QString FixedTwoDecimals(long double value);

}  // namespace qarn
