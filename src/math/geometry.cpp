#include "math/geometry.h"

VEC3 TriangleNormal(const VEC3& a, const VEC3& b, const VEC3& c) { return (b - a).Cross(c - b).Normalized(); }

float TriangleArea2(float x1, float y1, float x2, float y2, float x3, float y3) {
  return x1 * y2 + x2 * y3 + x3 * y1 - x1 * y3 - x2 * y1 - y2 * x3;
}

bool RayTriangle(const VEC3& origin, const VEC3& dir, const VEC3& t0, const VEC3& t1, const VEC3& t2,
                 RAY_HIT* hit) {
  VEC3 e1 = t1 - t0;
  VEC3 e2 = t2 - t0;
  VEC3 p = dir.Cross(e2);
  float det = e1.Dot(p);
  if (!(det >= 0.0002f)) return false;
  VEC3 tv = origin - t0;
  float u = tv.Dot(p);
  if (u < 0 || u > det) return false;
  VEC3 q = tv.Cross(e1);
  float v = dir.Dot(q);
  if (v < 0 || u + v > det) return false;
  float t = e2.Dot(q);
  if (t < 0) return false;
  if (hit != nullptr) {
    hit->t = t / det;
    hit->u = u / det;
    hit->v = v / det;
  }
  return true;
}
