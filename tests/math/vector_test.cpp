#include "math/vector.h"

#include "math_test_util.h"

TEST(Vector, NormalisingShortVectorsGivesTheFixedUnitVector) {
  EXPECT_EQ(VEC3(0, 0, 0).Normalized(), VEC3(0, 0, 1));
  EXPECT_EQ(VEC3(0.00005f, 0, 0.00005f).Normalized(), VEC3(0, 0, 1));
  EXPECT_EQ(VEC2(0, 0).Normalized(), VEC2(0, 1));
  EXPECT_EQ(VEC4(0, 0.00009f, 0, 0).Normalized(), VEC4(0, 0, 0, 1));
  // At the threshold the vector is normalised normally.
  VEC3 at(0.0001f, 0, 0);
  EXPECT_EQ(at.Normalized(), VEC3(0.0001f * (1.0f / at.Length()), 0, 0));
  ExpectNear(VEC3(3, 0, 4).Normalized(), VEC3(0.6f, 0, 0.8f));
  EXPECT_EQ(VEC2(0, -5).Normalized(), VEC2(0, -1));
}

TEST(Vector, Arithmetic) {
  VEC3 a(1, 2, 3), b(4, -5, 6);
  EXPECT_EQ(a + b, VEC3(5, -3, 9));
  EXPECT_EQ(a - b, VEC3(-3, 7, -3));
  EXPECT_EQ(-a, VEC3(-1, -2, -3));
  EXPECT_EQ(a * 2, VEC3(2, 4, 6));
  EXPECT_EQ(b / 2, VEC3(2, -2.5f, 3));
  EXPECT_EQ(a * b, VEC3(4, -10, 18));
  EXPECT_EQ(a.Dot(b), 12.0f);
  EXPECT_EQ(a.Cross(b), VEC3(2 * 6 - 3 * -5, 3 * 4 - 1 * 6, 1 * -5 - 2 * 4));
  EXPECT_EQ(VEC3(1, 0, 0).Cross(VEC3(0, 1, 0)), VEC3(0, 0, 1));
  EXPECT_EQ(a.LengthSq(), 14.0f);
  EXPECT_EQ(VEC3(0, 3, 4).Distance(VEC3(0, 0, 0)), 5.0f);
  EXPECT_EQ(a.Lerp(b, 0.5f), VEC3(2.5f, -1.5f, 4.5f));
  VEC3 c = a;
  c += b;
  c -= a;
  c *= 2;
  c /= 4;
  EXPECT_EQ(c, VEC3(2, -2.5f, 3));
  EXPECT_EQ(VEC2(1, 2).Cross(VEC2(3, 4)), -2.0f);
  EXPECT_EQ(VEC3(VEC2(1, 2)), VEC3(1, 2, 0));
  EXPECT_EQ(VEC4(VEC2(1, 2)), VEC4(1, 2, 0, 0));
  EXPECT_EQ(VEC3(1, 2, 3).ToVec2(), VEC2(1, 2));
  EXPECT_TRUE(VEC4(1, 2, 3, 4) != VEC4(1, 2, 3, 5));
}
