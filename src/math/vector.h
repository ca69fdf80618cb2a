// 2-, 3- and 4-component single-precision vectors.
#pragma once

#include "math/mathfn.h"

// Vectors shorter than this normalise to a fixed unit vector.
const float NORMALIZE_MIN_LENGTH = 0.0001f;

struct VEC2 {
  float x, y;

  VEC2() : x(0), y(0) {}
  VEC2(float x_, float y_) : x(x_), y(y_) {}

  bool operator==(const VEC2& v) const { return x == v.x && y == v.y; }
  bool operator!=(const VEC2& v) const { return !(*this == v); }
  VEC2 operator-() const { return VEC2(-x, -y); }
  VEC2 operator+(const VEC2& v) const { return VEC2(x + v.x, y + v.y); }
  VEC2 operator-(const VEC2& v) const { return VEC2(x - v.x, y - v.y); }
  VEC2 operator*(float s) const { return VEC2(x * s, y * s); }
  VEC2 operator/(float s) const { return VEC2(x / s, y / s); }
  VEC2 operator*(const VEC2& v) const { return VEC2(x * v.x, y * v.y); }
  VEC2 operator/(const VEC2& v) const { return VEC2(x / v.x, y / v.y); }
  VEC2& operator+=(const VEC2& v) { x += v.x; y += v.y; return *this; }
  VEC2& operator-=(const VEC2& v) { x -= v.x; y -= v.y; return *this; }
  VEC2& operator*=(float s) { x *= s; y *= s; return *this; }
  VEC2& operator/=(float s) { x /= s; y /= s; return *this; }

  float Dot(const VEC2& v) const { return x * v.x + y * v.y; }
  float Cross(const VEC2& v) const { return x * v.y - y * v.x; }
  float LengthSq() const { return x * x + y * y; }
  float Length() const { return Sqrt(LengthSq()); }
  float Distance(const VEC2& v) const { return (*this - v).Length(); }
  VEC2 Normalized() const;
  void Normalize() { *this = Normalized(); }
  VEC2 Lerp(const VEC2& b, float t) const { return *this + (b - *this) * t; }
};

struct VEC3 {
  float x, y, z;

  VEC3() : x(0), y(0), z(0) {}
  VEC3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
  explicit VEC3(const VEC2& v) : x(v.x), y(v.y), z(0) {}

  VEC2 ToVec2() const { return VEC2(x, y); }

  bool operator==(const VEC3& v) const { return x == v.x && y == v.y && z == v.z; }
  bool operator!=(const VEC3& v) const { return !(*this == v); }
  VEC3 operator-() const { return VEC3(-x, -y, -z); }
  VEC3 operator+(const VEC3& v) const { return VEC3(x + v.x, y + v.y, z + v.z); }
  VEC3 operator-(const VEC3& v) const { return VEC3(x - v.x, y - v.y, z - v.z); }
  VEC3 operator*(float s) const { return VEC3(x * s, y * s, z * s); }
  VEC3 operator/(float s) const { return VEC3(x / s, y / s, z / s); }
  VEC3 operator*(const VEC3& v) const { return VEC3(x * v.x, y * v.y, z * v.z); }
  VEC3 operator/(const VEC3& v) const { return VEC3(x / v.x, y / v.y, z / v.z); }
  VEC3& operator+=(const VEC3& v) { x += v.x; y += v.y; z += v.z; return *this; }
  VEC3& operator-=(const VEC3& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
  VEC3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
  VEC3& operator/=(float s) { x /= s; y /= s; z /= s; return *this; }

  float Dot(const VEC3& v) const { return x * v.x + y * v.y + z * v.z; }
  VEC3 Cross(const VEC3& v) const { return VEC3(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x); }
  float LengthSq() const { return x * x + y * y + z * z; }
  float Length() const { return Sqrt(LengthSq()); }
  float Distance(const VEC3& v) const { return (*this - v).Length(); }
  VEC3 Normalized() const;
  void Normalize() { *this = Normalized(); }
  VEC3 Lerp(const VEC3& b, float t) const { return *this + (b - *this) * t; }
};

struct VEC4 {
  float x, y, z, w;

  VEC4() : x(0), y(0), z(0), w(0) {}
  VEC4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
  explicit VEC4(const VEC2& v) : x(v.x), y(v.y), z(0), w(0) {}

  bool operator==(const VEC4& v) const { return x == v.x && y == v.y && z == v.z && w == v.w; }
  bool operator!=(const VEC4& v) const { return !(*this == v); }
  VEC4 operator-() const { return VEC4(-x, -y, -z, -w); }
  VEC4 operator+(const VEC4& v) const { return VEC4(x + v.x, y + v.y, z + v.z, w + v.w); }
  VEC4 operator-(const VEC4& v) const { return VEC4(x - v.x, y - v.y, z - v.z, w - v.w); }
  VEC4 operator*(float s) const { return VEC4(x * s, y * s, z * s, w * s); }
  VEC4 operator/(float s) const { return VEC4(x / s, y / s, z / s, w / s); }
  VEC4 operator*(const VEC4& v) const { return VEC4(x * v.x, y * v.y, z * v.z, w * v.w); }
  VEC4 operator/(const VEC4& v) const { return VEC4(x / v.x, y / v.y, z / v.z, w / v.w); }
  VEC4& operator+=(const VEC4& v) { x += v.x; y += v.y; z += v.z; w += v.w; return *this; }
  VEC4& operator-=(const VEC4& v) { x -= v.x; y -= v.y; z -= v.z; w -= v.w; return *this; }
  VEC4& operator*=(float s) { x *= s; y *= s; z *= s; w *= s; return *this; }
  VEC4& operator/=(float s) { x /= s; y /= s; z /= s; w /= s; return *this; }

  float Dot(const VEC4& v) const { return x * v.x + y * v.y + z * v.z + w * v.w; }
  float LengthSq() const { return x * x + y * y + z * z + w * w; }
  float Length() const { return Sqrt(LengthSq()); }
  float Distance(const VEC4& v) const { return (*this - v).Length(); }
  VEC4 Normalized() const;
  void Normalize() { *this = Normalized(); }
  VEC4 Lerp(const VEC4& b, float t) const { return *this + (b - *this) * t; }
};
