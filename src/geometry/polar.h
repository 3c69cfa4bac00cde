#pragma once

namespace qarn {

// The process-wide angle unit of the two conversions: radians while off (the start state),
// degrees while on. Only the refresh of an object with two or more points turns it on.
void SetDegreesMode(bool on);
bool DegreesMode();

// Polar form of (x, y): the angle runs from the +x axis towards +y, in [0, 2pi) or [0, 360).
void RectToPolar(long double x, long double y, long double& r, long double& a);

// Rectangular form of radius r at angle a. An angle of magnitude 2^63 or more (after the
// degree conversion) has sine and cosine 0, as on the x87, so it gives (0, 0).
void PolarToRect(long double r, long double a, long double& x, long double& y);

}  // namespace qarn
