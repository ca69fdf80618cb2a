// Rotation quaternions (x, y, z vector part, w scalar part).
#pragma once

#include "math/vector.h"

struct QUAT {
  float x, y, z, w;

  QUAT() : x(0), y(0), z(0), w(1) {}
  QUAT(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
  static QUAT Identity() { return QUAT(0, 0, 0, 1); }

  bool operator==(const QUAT& q) const { return x == q.x && y == q.y && z == q.z && w == q.w; }
  bool operator!=(const QUAT& q) const { return !(*this == q); }
  QUAT operator-() const { return QUAT(-x, -y, -z, -w); }
  QUAT operator+(const QUAT& q) const { return QUAT(x + q.x, y + q.y, z + q.z, w + q.w); }
  QUAT operator-(const QUAT& q) const { return QUAT(x - q.x, y - q.y, z - q.z, w - q.w); }
  QUAT operator*(float s) const { return QUAT(x * s, y * s, z * s, w * s); }
  // Hamilton product.
  QUAT operator*(const QUAT& q) const;

  float Dot(const QUAT& q) const { return x * q.x + y * q.y + z * q.z + w * q.w; }
  float Length() const { return Sqrt(x * x + y * y + z * z + w * w); }
  // Divides by the length with no guard.
  QUAT Normalized() const;

  // Rotation by angle a (radians) about axis; a near-zero axis means Z.
  static QUAT FromAxisAngle(const VEC3& axis, float a);
  // Shortest rotation taking direction u to direction v.
  static QUAT ShortestArc(const VEC3& u, const VEC3& v);
  static QUAT Slerp(const QUAT& q1, const QUAT& q2, float t);
};
