// Both build trees must compute bit-identical results: the thresholds the
// program tests (0.0001, 0.0002, squared distances) would otherwise decide
// differently on Windows than in the native tests. The digest below is of a
// sweep through the transcendental wrappers and the operations built on
// them; the same constant must come out of every tree.
#include <string.h>

#include "math/geometry.h"
#include "math/mat44.h"
#include "math_test_util.h"

namespace {

struct DIGEST {
  uint64_t h = 1469598103934665603ull;
  void Add(float f) {
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    for (int i = 0; i < 4; ++i) {
      h ^= (bits >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  }
  void Add(const VEC3& v) { Add(v.x), Add(v.y), Add(v.z); }
  void Add(const QUAT& q) { Add(q.x), Add(q.y), Add(q.z), Add(q.w); }
  void Add(const MAT44& m) {
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) Add(m.m[r][c]);
  }
};

TEST(SameBits, TranscendentalWrappers) {
  DIGEST sin_d, cos_d, tan_d, atan2_d, acos_d, asin_d, sqrt_d;
  for (int i = -20000; i <= 20000; ++i) {
    float a = static_cast<float>(i) * 0.000731f;
    sin_d.Add(Sin(a));
    cos_d.Add(Cos(a));
    tan_d.Add(Tan(a));
    atan2_d.Add(Atan2(a, 1.5f));
    if (i >= -1368 && i <= 1368) {
      acos_d.Add(Acos(a));
      asin_d.Add(Asin(a));
    }
    sqrt_d.Add(Sqrt(Abs(a)));
  }
  EXPECT_EQ(sin_d.h, 0xf54b43597b6c21f3ull) << "Sin " << std::hex << sin_d.h;
  EXPECT_EQ(cos_d.h, 0x09800636e6aa3e52ull) << "Cos " << std::hex << cos_d.h;
  EXPECT_EQ(tan_d.h, 0x126e90d866bc5bdbull) << "Tan " << std::hex << tan_d.h;
  EXPECT_EQ(atan2_d.h, 0xffbeaf4eb32c8cdbull) << "Atan2 " << std::hex << atan2_d.h;
  EXPECT_EQ(acos_d.h, 0x11bcc4f5c99fdc72ull) << "Acos " << std::hex << acos_d.h;
  EXPECT_EQ(asin_d.h, 0xd0a995b54170040full) << "Asin " << std::hex << asin_d.h;
  EXPECT_EQ(sqrt_d.h, 0xd87e2cff8166992full) << "Sqrt " << std::hex << sqrt_d.h;
}

TEST(SameBits, RotationsQuaternionsAndInverses) {
  DIGEST d;
  for (int i = 0; i < 2000; ++i) {
    float a = static_cast<float>(i) * 0.0137f - 13.0f;
    MAT44 m;
    m.RotateX(a);
    m.RotateY(a * 0.7f);
    m.RotateZ(-a * 1.3f);
    m.ApplyScale(VEC3(1.5f, 0.25f, 2.0f));
    m.TranslateLocal(VEC3(a, 1, -a));
    d.Add(m);
    d.Add(m.Inverse());
    d.Add(m.RotationPart().ToQuat());
    VEC3 u = VEC3(Sin(a), Cos(a * 3), 0.5f).Normalized();
    VEC3 v = VEC3(Cos(a), 0.2f, Sin(a * 2)).Normalized();
    QUAT q1 = QUAT::FromAxisAngle(u, a), q2 = QUAT::ShortestArc(u, v);
    d.Add(QUAT::Slerp(q1, q2, 0.3f));
    d.Add(MAT44::FromQuat(q1 * q2));
    d.Add(MAT44::RotationBetween(u, v));
    RAY_HIT hit = {};
    if (RayTriangle(VEC3(0.1f, 0.2f, 3), VEC3(u.x * 0.1f, u.y * 0.1f, -1), VEC3(0, 0, a), VEC3(1, 0, 0),
                    VEC3(0, 1, 0), &hit)) {
      d.Add(VEC3(hit.t, hit.u, hit.v));
    }
  }
  EXPECT_EQ(d.h, 0x72afb002afcfe1a1ull) << std::hex << d.h;
}

}  // namespace
