#include "math/geometry.h"

#include "math/box3.h"
#include "math_test_util.h"

namespace {

const VEC3 kT0(0, 0, 0), kT1(1, 0, 0), kT2(0, 1, 0);

// Counter-clockwise seen from +z: the front faces a ray travelling along -z.
TEST(RayTriangle, HitReportsDistanceAndWeights) {
  RAY_HIT hit = {};
  ASSERT_TRUE(RayTriangle(VEC3(0.25f, 0.5f, 2), VEC3(0, 0, -1), kT0, kT1, kT2, &hit));
  EXPECT_NEAR(hit.t, 2.0f, 1e-6f);
  EXPECT_NEAR(hit.u, 0.25f, 1e-6f);
  EXPECT_NEAR(hit.v, 0.5f, 1e-6f);
  // t is measured in units of the direction's length.
  ASSERT_TRUE(RayTriangle(VEC3(0.25f, 0.5f, 2), VEC3(0, 0, -4), kT0, kT1, kT2, &hit));
  EXPECT_NEAR(hit.t, 0.5f, 1e-6f);
}

TEST(RayTriangle, BackFacesParallelRaysAndMissesReportNoHit) {
  RAY_HIT hit = {};
  EXPECT_FALSE(RayTriangle(VEC3(0.2f, 0.2f, -1), VEC3(0, 0, 1), kT0, kT1, kT2, &hit));  // back face
  EXPECT_FALSE(RayTriangle(VEC3(0.2f, 0.2f, 1), VEC3(1, 0, 0), kT0, kT1, kT2, &hit));   // parallel
  EXPECT_FALSE(RayTriangle(VEC3(0.2f, 0.2f, 0), VEC3(1, 1, 0), kT0, kT1, kT2, &hit));   // in the plane
  EXPECT_FALSE(RayTriangle(VEC3(0.8f, 0.8f, 1), VEC3(0, 0, -1), kT0, kT1, kT2, &hit));  // past the long edge
  EXPECT_FALSE(RayTriangle(VEC3(-0.1f, 0.5f, 1), VEC3(0, 0, -1), kT0, kT1, kT2, &hit)); // u < 0
  EXPECT_FALSE(RayTriangle(VEC3(0.5f, -0.1f, 1), VEC3(0, 0, -1), kT0, kT1, kT2, &hit)); // v < 0
  EXPECT_FALSE(RayTriangle(VEC3(0.2f, 0.2f, -1), VEC3(0, 0, -1), kT0, kT1, kT2, &hit)); // behind the origin
}

TEST(RayTriangle, DeterminantThreshold) {
  RAY_HIT hit;
  EXPECT_FALSE(RayTriangle(VEC3(0.2f, 0.2f, 1), VEC3(0, 0, -0.0001f), kT0, kT1, kT2, &hit));
  EXPECT_TRUE(RayTriangle(VEC3(0.2f, 0.2f, 1), VEC3(0, 0, -0.0003f), kT0, kT1, kT2, &hit));
}

TEST(Geometry, TriangleNormalAndArea) {
  ExpectNear(TriangleNormal(kT0, kT1, kT2), VEC3(0, 0, 1));
  EXPECT_EQ(TriangleNormal(kT0, kT0, kT0), VEC3(0, 0, 1));  // degenerate: the fixed unit vector
  EXPECT_EQ(TriangleArea2(0, 0, 1, 0, 0, 1), 1.0f);
  EXPECT_EQ(TriangleArea2(0, 0, 0, 1, 1, 0), -1.0f);
  EXPECT_EQ(TriangleArea2(0, 0, 4, 0, 0, 3), 12.0f);
}

TEST(Box3, ResetAndExpand) {
  BOX3 b;
  EXPECT_EQ(b.min, VEC3(3.4028235e38f, 3.4028235e38f, 3.4028235e38f));
  EXPECT_EQ(b.max, VEC3(-3.4028235e38f, -3.4028235e38f, -3.4028235e38f));
  b.Expand(VEC3(1, -2, 3));
  EXPECT_EQ(b.min, VEC3(1, -2, 3));
  EXPECT_EQ(b.max, VEC3(1, -2, 3));
  b.Expand(VEC3(-1, 5, 3));
  EXPECT_EQ(b.min, VEC3(-1, -2, 3));
  EXPECT_EQ(b.max, VEC3(1, 5, 3));
  b.ResetZero();
  b.Expand(VEC3(2, 2, 2));
  EXPECT_EQ(b.min, VEC3(0, 0, 0));
  EXPECT_EQ(b.max, VEC3(2, 2, 2));
}

}  // namespace
