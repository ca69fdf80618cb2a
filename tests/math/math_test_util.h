#pragma once

#include <gtest/gtest.h>

#include "math/mat44.h"

inline void ExpectNear(const VEC3& a, const VEC3& b, float eps = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, eps);
  EXPECT_NEAR(a.y, b.y, eps);
  EXPECT_NEAR(a.z, b.z, eps);
}

inline void ExpectNear(const QUAT& a, const QUAT& b, float eps = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, eps);
  EXPECT_NEAR(a.y, b.y, eps);
  EXPECT_NEAR(a.z, b.z, eps);
  EXPECT_NEAR(a.w, b.w, eps);
}

inline void ExpectNear(const MAT44& a, const MAT44& b, float eps = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], eps) << "element " << r << "," << c;
}
