#include "math/mat44.h"

#include "math_test_util.h"

namespace {

const float kHalfPi = 1.5707964f;

MAT44 Sample() {
  MAT44 m;
  m.RotateX(0.3f);
  m.RotateY(-1.1f);
  m.RotateZ(2.5f);
  m.ApplyScale(VEC3(2, 0.5f, 3));
  m.SetTranslation(VEC3(1, -2, 3));
  return m;
}

TEST(Mat44, AxisRotationsFollowTheRowVectorConvention) {
  MAT44 z;
  z.RotateZ(kHalfPi);
  ExpectNear(z.Transform(VEC3(1, 0, 0)), VEC3(0, -1, 0));
  MAT44 y;
  y.RotateY(kHalfPi);
  ExpectNear(y.Transform(VEC3(1, 0, 0)), VEC3(0, 0, 1));
  MAT44 x;
  x.RotateX(kHalfPi);
  ExpectNear(x.Transform(VEC3(0, 1, 0)), VEC3(0, 0, -1));
}

TEST(Mat44, AnglesAreWrappedIntoMinusPiToPi) {
  // 3 pi is one turn away from the half turn (in float arithmetic it lands
  // just below pi, the same rotation as -pi).
  EXPECT_EQ(WrapAngle(3 * PI_F), 3 * PI_F - TWO_PI_F);
  MAT44 half;
  half.RotateZ(3 * PI_F);
  ExpectNear(half.Transform(VEC3(1, 0, 0)), VEC3(-1, 0, 0));
  EXPECT_EQ(WrapAngle(PI_F), PI_F - TWO_PI_F);
  EXPECT_EQ(WrapAngle(-PI_F), -PI_F);
  EXPECT_EQ(WrapAngle(0.5f), 0.5f);
  EXPECT_EQ(WrapAngle(-7.0f), -7.0f + TWO_PI_F);
  MAT44 a, b;
  a.RotateZ(3 * PI_F);
  b.RotateZ(3 * PI_F - TWO_PI_F);
  EXPECT_EQ(a, b);
  // Angles no loop of whole turns could reduce still end in range.
  for (float huge : {1.0e7f, -3.0e20f, 3.4e38f}) {
    float w = WrapAngle(huge);
    EXPECT_GE(w, -PI_F);
    EXPECT_LT(w, PI_F);
  }
  EXPECT_TRUE(isinf(WrapAngle(INFINITY)));
}

TEST(Mat44, RotationActsBeforeWhatTheMatrixAlreadyHeld) {
  // M = Rz * T: the point is rotated first, then translated.
  MAT44 m = MAT44::Translation(VEC3(10, 0, 0));
  m.RotateZ(kHalfPi);
  ExpectNear(m.Transform(VEC3(1, 0, 0)), VEC3(10, -1, 0));
}

TEST(Mat44, ProductAppliesTheLeftMatrixFirst) {
  MAT44 s = MAT44::Scale(VEC3(2, 2, 2));
  MAT44 t = MAT44::Translation(VEC3(1, 0, 0));
  EXPECT_EQ((s * t).Transform(VEC3(1, 1, 1)), VEC3(3, 2, 2));
  EXPECT_EQ((t * s).Transform(VEC3(1, 1, 1)), VEC3(4, 2, 2));
  MAT44 m = Sample();
  EXPECT_EQ(m * MAT44::Identity(), m);
  EXPECT_EQ(MAT44::Identity() * m, m);
}

TEST(Mat44, TranslateLocalAndScale) {
  MAT44 m;
  m.RotateZ(kHalfPi);
  MAT44 expected = MAT44::Translation(VEC3(1, 2, 3)) * m;
  m.TranslateLocal(VEC3(1, 2, 3));
  ExpectNear(m, expected, 0);
  MAT44 n = Sample();
  MAT44 scaled = n * MAT44::Scale(VEC3(2, 3, 4));
  n.ApplyScale(VEC3(2, 3, 4));
  EXPECT_EQ(n, scaled);
  EXPECT_EQ(Sample().GetTranslation(), VEC3(1, -2, 3));
  EXPECT_EQ(MAT44::Scale(VEC3(2, 3, 4)).GetColumn(1), VEC3(0, 3, 0));
}

TEST(Mat44, PivotRotationTurnsAboutThePoint) {
  MAT44 r;
  r.RotateZ(kHalfPi);
  VEC3 p(5, 5, 0);
  MAT44 pr = MAT44::PivotRotation(p, r);
  ExpectNear(pr.Transform(p), p);
  ExpectNear(pr.Transform(VEC3(6, 5, 0)), VEC3(5, 4, 0));
  MAT44 m = MAT44::Translation(VEC3(0, 0, 7));
  m.ApplyPivotRotation(p, r);
  ExpectNear(m.Transform(VEC3(6, 5, 0)), VEC3(5, 4, 7));
}

TEST(Mat44, AxisAngleTurnsRightHandedAboutTheNormalisedAxis) {
  MAT44 m = MAT44::AxisAngle(VEC3(0, 0, 5), Cos(kHalfPi), Sin(kHalfPi));
  ExpectNear(m.Transform(VEC3(1, 0, 0)), VEC3(0, 1, 0));
  EXPECT_EQ(m.m[3][3], 1.0f);
  EXPECT_EQ(m.m[3][0], 0.0f);
  // Agrees with the quaternion of the same axis and angle.
  VEC3 axis(1, 2, -0.5f);
  MAT44 q = MAT44::FromQuat(QUAT::FromAxisAngle(axis, 0.7f));
  ExpectNear(MAT44::AxisAngle(axis, Cos(0.7f), Sin(0.7f)), q);
}

TEST(Mat44, RotationBetweenDirections) {
  EXPECT_EQ(MAT44::RotationBetween(VEC3(0, 1, 0), VEC3(0, 1, 0)), MAT44());
  MAT44 m = MAT44::RotationBetween(VEC3(1, 0, 0), VEC3(0, 1, 0));
  ExpectNear(m.Transform(VEC3(1, 0, 0)), VEC3(0, 1, 0));
  VEC3 a = VEC3(1, 2, 3).Normalized(), b = VEC3(-2, 0.5f, 1).Normalized();
  ExpectNear(MAT44::RotationBetween(a, b).Transform(a), b);
  // Nearly equal unit directions whose dot product rounds above 1 still
  // give a rotation, not NaN.
  VEC3 c = VEC3(0.6f, 0.8f, 0), d = VEC3(0.6f, 0.80000001f, 1e-8f);
  MAT44 r = MAT44::RotationBetween(c, d);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_FALSE(isnan(r.m[i][j]));
}

TEST(Mat44, InverseUndoesTheMatrix) {
  MAT44 m = Sample();
  ExpectNear(m * m.Inverse(), MAT44(), 1e-5f);
  ExpectNear(m.Inverse() * m, MAT44(), 1e-5f);
  ExpectNear(m.Inverse().Transform(m.Transform(VEC3(3, -4, 5))), VEC3(3, -4, 5), 1e-4f);
  EXPECT_EQ(MAT44::Translation(VEC3(1, 2, 3)).Inverse(), MAT44::Translation(VEC3(-1, -2, -3)));
}

TEST(Mat44, SingularMatrixInvertsToItself) {
  MAT44 flat = MAT44::Scale(VEC3(1, 0, 1));
  flat.SetTranslation(VEC3(4, 5, 6));
  EXPECT_EQ(flat.Inverse(), flat);
  EXPECT_EQ(MAT44::Zero().Inverse(), MAT44::Zero());
}

TEST(Mat44, RotationPartNormalisesColumnsAndDropsTranslation) {
  MAT44 m = Sample();
  MAT44 r = m.RotationPart();
  EXPECT_EQ(r.GetTranslation(), VEC3(0, 0, 0));
  for (int j = 0; j < 3; ++j) EXPECT_NEAR(r.GetColumn(j).Length(), 1.0f, 1e-6f);
  EXPECT_EQ(r.m[3][3], 1.0f);
  EXPECT_EQ(r.m[0][3], 0.0f);
  // A zero column takes the fixed unit vector.
  MAT44 z = MAT44::Scale(VEC3(0, 1, 1)).RotationPart();
  EXPECT_EQ(z.GetColumn(0), VEC3(0, 0, 1));
}

TEST(Mat44, QuaternionRoundTripForEveryBranch) {
  // Angles chosen so the trace is positive, or the largest diagonal element
  // is the first, second or third.
  const QUAT cases[] = {
      QUAT::FromAxisAngle(VEC3(1, 2, 3), 0.5f),  QUAT::FromAxisAngle(VEC3(1, 0.1f, 0.1f), 3.0f),
      QUAT::FromAxisAngle(VEC3(0.1f, 1, 0.1f), 3.0f), QUAT::FromAxisAngle(VEC3(0.1f, 0.1f, 1), 3.0f),
      QUAT(0, 0, 0, 1), QUAT(1, 0, 0, 0), QUAT(0, 1, 0, 0), QUAT(0, 0, 1, 0),
  };
  for (const QUAT& q : cases) {
    QUAT back = MAT44::FromQuat(q).ToQuat();
    if (back.Dot(q) < 0) back = -back;
    ExpectNear(back, q, 1e-5f);
  }
}

TEST(Mat44, FromQuatIsNotNormalised) {
  MAT44 m = MAT44::FromQuat(QUAT(0, 0, 0, 2));
  EXPECT_EQ(m, MAT44());  // w alone does not enter the diagonal
  MAT44 n = MAT44::FromQuat(QUAT(1, 0, 0, 1));
  EXPECT_EQ(n.m[1][1], -1.0f);  // 1 - 2(x^2 + z^2)
}

}  // namespace
