#include "math/quat.h"

QUAT QUAT::operator*(const QUAT& q) const {
  return QUAT(w * q.x + x * q.w + y * q.z - z * q.y,
              w * q.y + y * q.w + z * q.x - x * q.z,
              w * q.z + z * q.w + x * q.y - y * q.x,
              w * q.w - x * q.x - y * q.y - z * q.z);
}

QUAT QUAT::Normalized() const {
  float len = Length();
  return QUAT(x / len, y / len, z / len, w / len);
}

QUAT QUAT::FromAxisAngle(const VEC3& axis, float a) {
  VEC3 n(0, 0, 1);
  if (Abs(axis.x) + Abs(axis.y) + Abs(axis.z) >= 0.0002f) n = axis.Normalized();
  float s = Sin(a / 2);
  return QUAT(n.x * s, n.y * s, n.z * s, Cos(a / 2));
}

QUAT QUAT::ShortestArc(const VEC3& from, const VEC3& to) {
  VEC3 u = from.Normalized();
  VEC3 v = to.Normalized();
  float e = u.Dot(v) + 1.0f;
  if (e < 0.0002f) return QUAT(0, 1, 0, 0);
  if (e >= 1.9998f) return Identity();
  VEC3 c = u.Cross(v);
  return QUAT(c.x, c.y, c.z, e).Normalized();
}

QUAT QUAT::Slerp(const QUAT& q1, const QUAT& q2_in, float t) {
  QUAT q2 = q2_in;
  float d = q1.Dot(q2);
  if (d < 0) {
    d = -d;
    q2 = -q2;
  }
  float k1, k2;
  if (1.0f - d > 0.00001f) {
    float theta = Acos(d);
    float s = Sin(theta);
    k1 = Sin((1.0f - t) * theta) / s;
    k2 = Sin(t * theta) / s;
  } else {
    k1 = 1.0f - t;
    k2 = t;
  }
  return (q1 * k1 + q2 * k2).Normalized();
}
