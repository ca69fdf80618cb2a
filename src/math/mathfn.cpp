#include "math/mathfn.h"

float WrapAngle(float a) {
  // Far outside a few turns, stepping by one turn would no longer change a
  // float (or never end for infinity): reduce by the remainder first.
  if (!(Abs(a) < 1.0e6f)) {
    if (!isfinite(a)) return a;
    a = fmodf(a, TWO_PI_F);
  }
  while (a < -PI_F) a += TWO_PI_F;
  while (a >= PI_F) a -= TWO_PI_F;
  return a;
}
