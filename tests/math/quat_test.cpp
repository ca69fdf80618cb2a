#include "math/quat.h"

#include "math_test_util.h"

TEST(Quat, ProductComposesRotations) {
  QUAT a = QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.4f);
  QUAT b = QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.6f);
  ExpectNear(a * b, QUAT::FromAxisAngle(VEC3(0, 0, 1), 1.0f));
  EXPECT_EQ(QUAT(1, 2, 3, 4) * QUAT::Identity(), QUAT(1, 2, 3, 4));
  EXPECT_EQ(QUAT::Identity() * QUAT(1, 2, 3, 4), QUAT(1, 2, 3, 4));
  // i * j = k
  EXPECT_EQ(QUAT(1, 0, 0, 0) * QUAT(0, 1, 0, 0), QUAT(0, 0, 1, 0));
}

TEST(Quat, AxisAngle) {
  ExpectNear(QUAT::FromAxisAngle(VEC3(0, 2, 0), PI_F), QUAT(0, 1, 0, 0));
  // A near-zero axis is taken as Z.
  QUAT q = QUAT::FromAxisAngle(VEC3(0.0001f, 0.00005f, 0), 1.0f);
  EXPECT_EQ(q.x, 0.0f);
  EXPECT_EQ(q.y, 0.0f);
  EXPECT_EQ(q.z, Sin(0.5f));
  EXPECT_EQ(q.w, Cos(0.5f));
}

TEST(Quat, ShortestArc) {
  EXPECT_EQ(QUAT::ShortestArc(VEC3(1, 0, 0), VEC3(-1, 0, 0)), QUAT(0, 1, 0, 0));
  EXPECT_EQ(QUAT::ShortestArc(VEC3(0, 3, 0), VEC3(0, 1, 0)), QUAT::Identity());
  QUAT q = QUAT::ShortestArc(VEC3(2, 0, 0), VEC3(0, 0, 5));
  ExpectNear(q, QUAT::FromAxisAngle(VEC3(0, -1, 0), PI_F / 2));
  EXPECT_NEAR(q.Length(), 1.0f, 1e-6f);
}

TEST(Quat, SlerpTakesTheShortPath) {
  QUAT a = QUAT::FromAxisAngle(VEC3(1, 1, 0), 0.3f);
  QUAT b = QUAT::FromAxisAngle(VEC3(0, 1, 1), 1.3f);
  ExpectNear(QUAT::Slerp(a, b, 0), a);
  ExpectNear(QUAT::Slerp(a, b, 1), b);
  // q and -q are the same rotation: every point between them is ±q.
  for (float t : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
    QUAT s = QUAT::Slerp(a, -a, t);
    if (s.Dot(a) < 0) s = -s;
    ExpectNear(s, a);
  }
  // Halfway between two rotations about one axis.
  QUAT z0 = QUAT::Identity(), z1 = QUAT::FromAxisAngle(VEC3(0, 0, 1), 1.0f);
  ExpectNear(QUAT::Slerp(z0, z1, 0.5f), QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.5f));
  // Against the far representation of the target the result is the same.
  ExpectNear(QUAT::Slerp(z0, -z1, 0.5f), QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.5f));
}

TEST(Quat, ComponentwiseOperations) {
  QUAT a(1, 2, 3, 4), b(0.5f, -1, 2, 0);
  EXPECT_EQ(a + b, QUAT(1.5f, 1, 5, 4));
  EXPECT_EQ(a - b, QUAT(0.5f, 3, 1, 4));
  EXPECT_EQ(a * 2.0f, QUAT(2, 4, 6, 8));
  EXPECT_EQ(a.Dot(b), 0.5f - 2 + 6);
  EXPECT_EQ(QUAT(0, 0, 3, 4).Length(), 5.0f);
  EXPECT_EQ(QUAT(0, 0, 3, 4).Normalized(), QUAT(0, 0, 0.6f, 0.8f));
}
