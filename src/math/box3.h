// Axis-aligned bounds.
#pragma once

#include "math/vector.h"

const float FLOAT_MAX_F = 3.4028235e38f;

struct BOX3 {
  VEC3 min, max;

  BOX3() { ResetEmpty(); }
  // Inverted bounds that the first expanded point replaces.
  void ResetEmpty() {
    min = VEC3(FLOAT_MAX_F, FLOAT_MAX_F, FLOAT_MAX_F);
    max = VEC3(-FLOAT_MAX_F, -FLOAT_MAX_F, -FLOAT_MAX_F);
  }
  void ResetZero() { min = max = VEC3(0, 0, 0); }
  void Expand(const VEC3& p) {
    if (p.x < min.x) min.x = p.x;
    if (p.y < min.y) min.y = p.y;
    if (p.z < min.z) min.z = p.z;
    if (p.x > max.x) max.x = p.x;
    if (p.y > max.y) max.y = p.y;
    if (p.z > max.z) max.z = p.z;
  }
};
