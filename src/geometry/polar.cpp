#include "geometry/polar.h"

#include <cmath>
#include <numbers>

namespace qarn {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kHalfPi = kPi / 2;
constexpr long double kThreeHalvesPi = 3 * kPi / 2;
constexpr long double kTwoPi = 2 * kPi;
constexpr long double kHalfCircle = 180;
// Beyond this magnitude the x87 cannot reduce the argument and yields 0 for sine and cosine.
constexpr long double kTrigLimit = 9223372036854775808.0L;  // 2^63

bool degreesMode = false;

}  // namespace

void SetDegreesMode(bool on) {
  degreesMode = on;
}

bool DegreesMode() {
  return degreesMode;
}

void RectToPolar(long double x, long double y, long double& r, long double& a) {
  long double radius = 0;
  long double angle = 0;
  if (x != 0) {
    // arctan(-0) is -0, which is not below 0: (-1, 0) thus takes the x < 0 branch to pi.
    angle = std::atan(y / x);
    radius = std::sqrt(x * x + y * y);
    if (angle < 0) angle += kTwoPi;
    if (x < 0) angle = y > 0 ? angle - kPi : angle + kPi;
  } else if (y > 0) {
    radius = y;
    angle = kHalfPi;
  } else if (y < 0) {
    radius = -y;
    angle = kThreeHalvesPi;
  }
  if (degreesMode) angle = angle / kPi * kHalfCircle;
  r = radius;
  a = angle;
}

void PolarToRect(long double r, long double a, long double& x, long double& y) {
  if (degreesMode) a = a / kHalfCircle * kPi;
  const bool outOfReach = std::fabs(a) >= kTrigLimit;
  const long double sine = outOfReach ? 0 : std::sin(a);
  const long double cosine = outOfReach ? 0 : std::cos(a);
  y = r * sine;
  x = r * cosine;
}

}  // namespace qarn
