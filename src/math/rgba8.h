// 8-bit-per-channel colours with clamped arithmetic.
#pragma once

#include <stdint.h>

#include "math/vector.h"

struct RGBA8 {
  uint8_t r, g, b, a;

  RGBA8() : r(0), g(0), b(0), a(255) {}
  // Each channel is clamped to 0..255.
  RGBA8(int r_, int g_, int b_, int a_ = 255);
  // Channels are value * 255 truncated, then clamped.
  static RGBA8 FromVec4(const VEC4& v);
  static RGBA8 FromVec3(const VEC3& v) { return FromVec4(VEC4(v.x, v.y, v.z, 1.0f)); }

  bool operator==(const RGBA8& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
  bool operator!=(const RGBA8& c) const { return !(*this == c); }
  RGBA8 operator+(const RGBA8& c) const;
  RGBA8 operator-(const RGBA8& c) const;
  // Per channel (x * y) >> 7: 128 acts as 1.0.
  RGBA8 Modulate(const RGBA8& c) const;
  // Per channel the product truncated toward zero.
  RGBA8 operator*(float s) const;
  // c1 + trunc(t * (c2 - c1)) per channel.
  RGBA8 Lerp(const RGBA8& c2, float t) const;

  VEC4 ToVec4() const { return VEC4(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f); }
  VEC3 ToVec3() const { return VEC3(r / 255.0f, g / 255.0f, b / 255.0f); }
};
