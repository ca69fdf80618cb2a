// 4x4 single-precision matrices: row-major, row vectors multiplied on the
// left (p' = (x, y, z, 1) * M), translation in row 3, A * B applies A first.
#pragma once

#include "math/quat.h"
#include "math/vector.h"

struct MAT44 {
  float m[4][4];

  // Constructs the identity.
  MAT44();
  static MAT44 Identity() { return MAT44(); }
  static MAT44 Zero();
  static MAT44 Scale(const VEC3& s);
  static MAT44 Translation(const VEC3& t);
  // Rotates row-vector points by the angle (given as cosine and sine)
  // about the normalised axis, right-handed.
  static MAT44 AxisAngle(const VEC3& axis, float c, float s);
  // The rotation taking unit direction a to unit direction b.
  static MAT44 RotationBetween(const VEC3& a, const VEC3& b);
  // T(-p) * R * T(p): R about the point p.
  static MAT44 PivotRotation(const VEC3& p, const MAT44& r);
  // The quaternion need not be normalised.
  static MAT44 FromQuat(const QUAT& q);

  bool operator==(const MAT44& b) const;
  bool operator!=(const MAT44& b) const { return !(*this == b); }
  MAT44 operator*(const MAT44& b) const;

  VEC3 Transform(const VEC3& p) const {
    return VEC3(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]);
  }
  VEC3 GetTranslation() const { return VEC3(m[3][0], m[3][1], m[3][2]); }
  void SetTranslation(const VEC3& t) {
    m[3][0] = t.x;
    m[3][1] = t.y;
    m[3][2] = t.z;
  }
  VEC3 GetColumn(int j) const { return VEC3(m[0][j], m[1][j], m[2][j]); }

  // M = T(v) * M.
  void TranslateLocal(const VEC3& v);
  // M = M * S(v).
  void ApplyScale(const VEC3& v);
  // M = Rx(a) * M and so on; the angle is wrapped into [-pi, pi) first.
  void RotateX(float a);
  void RotateY(float a);
  void RotateZ(float a);
  // M = P(p, R) * M.
  void ApplyPivotRotation(const VEC3& p, const MAT44& r);

  // Determinant of the upper 3x3.
  float Determinant3() const;
  // Exact inverse for matrices whose last column is (0, 0, 0, 1); a matrix
  // whose upper 3x3 is singular comes back unchanged.
  MAT44 Inverse() const;
  // Upper 3x3 with normalised columns, no translation.
  MAT44 RotationPart() const;
  // Upper 3x3, assumed a pure rotation.
  QUAT ToQuat() const;
};
