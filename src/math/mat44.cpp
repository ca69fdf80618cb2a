#include "math/mat44.h"

MAT44::MAT44() {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) m[r][c] = r == c ? 1.0f : 0.0f;
}

MAT44 MAT44::Zero() {
  MAT44 z;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) z.m[r][c] = 0;
  return z;
}

MAT44 MAT44::Scale(const VEC3& s) {
  MAT44 r;
  r.m[0][0] = s.x;
  r.m[1][1] = s.y;
  r.m[2][2] = s.z;
  return r;
}

MAT44 MAT44::Translation(const VEC3& t) {
  MAT44 r;
  r.SetTranslation(t);
  return r;
}

MAT44 MAT44::AxisAngle(const VEC3& axis, float c, float s) {
  VEC3 n = axis.Normalized();
  float x = n.x, y = n.y, z = n.z;
  float t = 1.0f - c;
  MAT44 r = Zero();
  r.m[0][0] = x * x + (1.0f - x * x) * c;
  r.m[0][1] = x * y * t + s * z;
  r.m[0][2] = x * z * t - s * y;
  r.m[1][0] = x * y * t - s * z;
  r.m[1][1] = y * y + (1.0f - y * y) * c;
  r.m[1][2] = y * z * t + s * x;
  r.m[2][0] = x * z * t + s * y;
  r.m[2][1] = y * z * t - s * x;
  r.m[2][2] = z * z + (1.0f - z * z) * c;
  r.m[3][3] = 1.0f;
  return r;
}

MAT44 MAT44::RotationBetween(const VEC3& a, const VEC3& b) {
  if (a == b) return MAT44();
  float c = a.Dot(b);
  // Rounding can push the dot product of two unit vectors just past 1,
  // where acos has no value.
  if (c > 1.0f) c = 1.0f;
  if (c < -1.0f) c = -1.0f;
  return AxisAngle(a.Cross(b), c, Sin(Acos(c)));
}

MAT44 MAT44::PivotRotation(const VEC3& p, const MAT44& r) {
  return Translation(-p) * r * Translation(p);
}

MAT44 MAT44::FromQuat(const QUAT& q) {
  float x = q.x, y = q.y, z = q.z, w = q.w;
  MAT44 r;
  r.m[0][0] = 1.0f - 2.0f * (y * y + z * z);
  r.m[0][1] = 2.0f * (x * y + w * z);
  r.m[0][2] = 2.0f * (x * z - w * y);
  r.m[1][0] = 2.0f * (x * y - w * z);
  r.m[1][1] = 1.0f - 2.0f * (x * x + z * z);
  r.m[1][2] = 2.0f * (y * z + w * x);
  r.m[2][0] = 2.0f * (x * z + w * y);
  r.m[2][1] = 2.0f * (y * z - w * x);
  r.m[2][2] = 1.0f - 2.0f * (x * x + y * y);
  return r;
}

bool MAT44::operator==(const MAT44& b) const {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (m[r][c] != b.m[r][c]) return false;
  return true;
}

MAT44 MAT44::operator*(const MAT44& b) const {
  MAT44 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j] + m[i][3] * b.m[3][j];
  return r;
}

void MAT44::TranslateLocal(const VEC3& v) {
  for (int c = 0; c < 4; ++c) m[3][c] += v.x * m[0][c] + v.y * m[1][c] + v.z * m[2][c];
}

void MAT44::ApplyScale(const VEC3& v) {
  for (int r = 0; r < 4; ++r) {
    m[r][0] *= v.x;
    m[r][1] *= v.y;
    m[r][2] *= v.z;
  }
}

namespace {

// Replaces rows i and j with (c*ri - s*rj, s*ri + c*rj).
void RotateRows(float (&m)[4][4], int i, int j, float c, float s) {
  for (int k = 0; k < 4; ++k) {
    float ri = m[i][k], rj = m[j][k];
    m[i][k] = c * ri - s * rj;
    m[j][k] = s * ri + c * rj;
  }
}

}  // namespace

void MAT44::RotateX(float a) {
  a = WrapAngle(a);
  RotateRows(m, 1, 2, Cos(a), Sin(a));
}

void MAT44::RotateY(float a) {
  a = WrapAngle(a);
  float c = Cos(a), s = Sin(a);
  for (int k = 0; k < 4; ++k) {
    float r0 = m[0][k], r2 = m[2][k];
    m[0][k] = c * r0 + s * r2;
    m[2][k] = c * r2 - s * r0;
  }
}

void MAT44::RotateZ(float a) {
  a = WrapAngle(a);
  RotateRows(m, 0, 1, Cos(a), Sin(a));
}

void MAT44::ApplyPivotRotation(const VEC3& p, const MAT44& r) { *this = PivotRotation(p, r) * *this; }

namespace {

float Det3(float a, float b, float c, float d, float e, float f, float g, float h, float i) {
  return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

// The 3x3 minor of m without row r and column c.
float Minor(const float (&m)[4][4], int r, int c) {
  float v[9];
  int n = 0;
  for (int i = 0; i < 4; ++i) {
    if (i == r) continue;
    for (int j = 0; j < 4; ++j) {
      if (j == c) continue;
      v[n++] = m[i][j];
    }
  }
  return Det3(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
}

}  // namespace

float MAT44::Determinant3() const {
  return Det3(m[0][0], m[0][1], m[0][2], m[1][0], m[1][1], m[1][2], m[2][0], m[2][1], m[2][2]);
}

MAT44 MAT44::Inverse() const {
  float d = Determinant3();
  if (d == 0.0f) return *this;
  float k = 1.0f / d;
  MAT44 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float cofactor = Minor(m, j, i);
      if ((i + j) & 1) cofactor = -cofactor;
      r.m[i][j] = cofactor * k;
    }
  r.m[3][3] = 1.0f;
  return r;
}

MAT44 MAT44::RotationPart() const {
  MAT44 r;
  for (int j = 0; j < 3; ++j) {
    VEC3 col = GetColumn(j).Normalized();
    r.m[0][j] = col.x;
    r.m[1][j] = col.y;
    r.m[2][j] = col.z;
  }
  return r;
}

QUAT MAT44::ToQuat() const {
  float t = m[0][0] + m[1][1] + m[2][2];
  QUAT q;
  if (t >= 0) {
    float r = Sqrt(t + 1.0f);
    float k = 0.5f / r;
    q.w = r / 2;
    q.x = (m[1][2] - m[2][1]) * k;
    q.y = (m[2][0] - m[0][2]) * k;
    q.z = (m[0][1] - m[1][0]) * k;
    return q;
  }
  int i = 0;
  if (m[1][1] > m[0][0]) i = 1;
  if (m[2][2] > (m[0][0] > m[1][1] ? m[0][0] : m[1][1])) i = 2;
  if (i == 0) {
    float r = Sqrt(m[0][0] - m[1][1] - m[2][2] + 1.0f);
    float k = 0.5f / r;
    q.x = r / 2;
    q.y = (m[1][0] + m[0][1]) * k;
    q.z = (m[0][2] + m[2][0]) * k;
    q.w = (m[1][2] - m[2][1]) * k;
  } else if (i == 1) {
    float r = Sqrt(m[1][1] - m[2][2] - m[0][0] + 1.0f);
    float k = 0.5f / r;
    q.y = r / 2;
    q.z = (m[2][1] + m[1][2]) * k;
    q.x = (m[1][0] + m[0][1]) * k;
    q.w = (m[2][0] - m[0][2]) * k;
  } else {
    float r = Sqrt(m[2][2] - m[0][0] - m[1][1] + 1.0f);
    float k = 0.5f / r;
    q.z = r / 2;
    q.x = (m[0][2] + m[2][0]) * k;
    q.y = (m[2][1] + m[1][2]) * k;
    q.w = (m[0][1] - m[1][0]) * k;
  }
  return q;
}
