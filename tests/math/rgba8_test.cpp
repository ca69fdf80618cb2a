#include "math/rgba8.h"

#include "math_test_util.h"

namespace {

void ExpectColor(const RGBA8& c, int r, int g, int b, int a) {
  EXPECT_EQ(c.r, r);
  EXPECT_EQ(c.g, g);
  EXPECT_EQ(c.b, b);
  EXPECT_EQ(c.a, a);
}

TEST(Rgba8, ConstructionClamps) {
  ExpectColor(RGBA8(-5, 300, 10, 255), 0, 255, 10, 255);
  ExpectColor(RGBA8(256, 255, 0), 255, 255, 0, 255);
}

TEST(Rgba8, ModulateShiftsBySeven) {
  ExpectColor(RGBA8(255, 128, 64, 255).Modulate(RGBA8(128, 128, 128, 128)), 255, 128, 64, 255);
  ExpectColor(RGBA8(255, 255, 10, 0).Modulate(RGBA8(255, 64, 10, 255)), 255, 127, 0, 0);
}

TEST(Rgba8, AddSubtractScaleAndLerpClamp) {
  ExpectColor(RGBA8(200, 10, 0, 255) + RGBA8(100, 10, 0, 0), 255, 20, 0, 255);
  ExpectColor(RGBA8(200, 10, 0, 255) - RGBA8(100, 20, 0, 0), 100, 0, 0, 255);
  ExpectColor(RGBA8(100, 200, 3, 255) * 1.5f, 150, 255, 4, 255);
  ExpectColor(RGBA8(100, 200, 3, 255) * -1.0f, 0, 0, 0, 0);
  ExpectColor(RGBA8(0, 255, 100, 255).Lerp(RGBA8(255, 0, 100, 0), 0.5f), 127, 128, 100, 128);
  ExpectColor(RGBA8(0, 0, 0, 0).Lerp(RGBA8(255, 255, 255, 255), 2.0f), 255, 255, 255, 255);
}

TEST(Rgba8, FloatConversions) {
  ExpectColor(RGBA8::FromVec4(VEC4(1, 0.5f, -1, 2)), 255, 127, 0, 255);
  ExpectColor(RGBA8::FromVec3(VEC3(0.2f, 0, 1)), 51, 0, 255, 255);
  ExpectColor(RGBA8::FromVec4(VEC4(NAN, 0, 0, 0)), 0, 0, 0, 0);
  EXPECT_EQ(RGBA8(255, 0, 51, 255).ToVec4(), VEC4(1, 0, 51 / 255.0f, 1));
  EXPECT_EQ(RGBA8(255, 0, 51).ToVec3(), VEC3(1, 0, 51 / 255.0f));
}

}  // namespace
