// Triangle helpers and the one-sided ray-triangle test.
#pragma once

#include "math/vector.h"

// normalise((b - a) x (c - b)).
VEC3 TriangleNormal(const VEC3& a, const VEC3& b, const VEC3& c);

// Twice the signed area of the 2D triangle (positive counter-clockwise).
float TriangleArea2(float x1, float y1, float x2, float y2, float x3, float y3);

struct RAY_HIT {
  float t;  // distance along the direction, in units of its length
  float u;  // barycentric weight of corner 1
  float v;  // barycentric weight of corner 2
};

// Moller-Trumbore with threshold 0.0002; back faces and rays parallel to
// the plane miss. Returns true and fills hit on a hit.
bool RayTriangle(const VEC3& origin, const VEC3& dir, const VEC3& t0, const VEC3& t1, const VEC3& t2,
                 RAY_HIT* hit);
