#include "math/rgba8.h"

namespace {

uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Truncates toward zero and clamps; NaN gives 0. Out-of-range floats are
// clamped before the conversion, which would otherwise be undefined.
uint8_t ClampTrunc(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 255.0f) return 255;
  return static_cast<uint8_t>(static_cast<int>(v));
}

int TruncTimes(float t, int d) {
  float v = t * static_cast<float>(d);
  if (!(v == v)) return 0;
  if (v >= 512.0f) return 512;
  if (v <= -512.0f) return -512;
  return static_cast<int>(v);
}

}  // namespace

RGBA8::RGBA8(int r_, int g_, int b_, int a_) : r(Clamp(r_)), g(Clamp(g_)), b(Clamp(b_)), a(Clamp(a_)) {}

RGBA8 RGBA8::FromVec4(const VEC4& v) {
  RGBA8 c;
  c.r = ClampTrunc(v.x * 255.0f);
  c.g = ClampTrunc(v.y * 255.0f);
  c.b = ClampTrunc(v.z * 255.0f);
  c.a = ClampTrunc(v.w * 255.0f);
  return c;
}

RGBA8 RGBA8::operator+(const RGBA8& c) const { return RGBA8(r + c.r, g + c.g, b + c.b, a + c.a); }

RGBA8 RGBA8::operator-(const RGBA8& c) const { return RGBA8(r - c.r, g - c.g, b - c.b, a - c.a); }

RGBA8 RGBA8::Modulate(const RGBA8& c) const {
  return RGBA8((r * c.r) >> 7, (g * c.g) >> 7, (b * c.b) >> 7, (a * c.a) >> 7);
}

RGBA8 RGBA8::operator*(float s) const {
  RGBA8 c;
  c.r = ClampTrunc(r * s);
  c.g = ClampTrunc(g * s);
  c.b = ClampTrunc(b * s);
  c.a = ClampTrunc(a * s);
  return c;
}

RGBA8 RGBA8::Lerp(const RGBA8& c2, float t) const {
  return RGBA8(r + TruncTimes(t, c2.r - r), g + TruncTimes(t, c2.g - g), b + TruncTimes(t, c2.b - b),
               a + TruncTimes(t, c2.a - a));
}
