#include "math/vector.h"

VEC2 VEC2::Normalized() const {
  float len = Length();
  if (!(len >= NORMALIZE_MIN_LENGTH)) return VEC2(0, 1);
  float k = 1.0f / len;
  return VEC2(x * k, y * k);
}

VEC3 VEC3::Normalized() const {
  float len = Length();
  if (!(len >= NORMALIZE_MIN_LENGTH)) return VEC3(0, 0, 1);
  float k = 1.0f / len;
  return VEC3(x * k, y * k, z * k);
}

VEC4 VEC4::Normalized() const {
  float len = Length();
  if (!(len >= NORMALIZE_MIN_LENGTH)) return VEC4(0, 0, 0, 1);
  float k = 1.0f / len;
  return VEC4(x * k, y * k, z * k, w * k);
}
