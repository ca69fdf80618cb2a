// Single-precision transcendental functions. Each is computed in double and
// rounded to float, which gives the same bits with every C library we build
// against; nothing else in the program calls the C library's float versions.
#pragma once

#include <math.h>

inline float Sin(float x) { return static_cast<float>(sin(static_cast<double>(x))); }
inline float Cos(float x) { return static_cast<float>(cos(static_cast<double>(x))); }
inline float Tan(float x) { return static_cast<float>(tan(static_cast<double>(x))); }
// The Windows C library's asin and acos lose accuracy near |x| = 1, enough
// to change the rounded float. Through atan2 they agree everywhere: for a
// float x, (1 - x) * (1 + x) is exact in double and the square root is
// correctly rounded.
inline double OneMinusSquare(float x) {
  double d = static_cast<double>(x);
  return (1.0 - d) * (1.0 + d);
}
inline float Asin(float x) { return static_cast<float>(atan2(static_cast<double>(x), sqrt(OneMinusSquare(x)))); }
inline float Acos(float x) { return static_cast<float>(atan2(sqrt(OneMinusSquare(x)), static_cast<double>(x))); }
inline float Atan2(float y, float x) {
  return static_cast<float>(atan2(static_cast<double>(y), static_cast<double>(x)));
}
// Square root is correctly rounded in single precision on every target.
inline float Sqrt(float x) { return sqrtf(x); }
inline float Abs(float x) { return fabsf(x); }

const float PI_F = 3.1415927f;
const float TWO_PI_F = 6.2831855f;

// Wraps an angle into [-pi, pi) by whole turns.
float WrapAngle(float a);
