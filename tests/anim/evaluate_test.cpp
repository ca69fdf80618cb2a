#include "anim/evaluate.h"

#include <gtest/gtest.h>

#include "../math/math_test_util.h"

namespace {

DL_CHANNEL* Keys(std::initializer_list<std::pair<float, DL_VALUE>> keys, DL_VALUE fallback = DL_VALUE()) {
  DL_CHANNEL* c = new DL_CHANNEL(fallback);
  for (const auto& k : keys) c->SetKey(k.first, k.second);
  return c;
}

TEST(Evaluate, FloatChannelHoldsOutsideTheKeys) {
  std::unique_ptr<DL_CHANNEL> c(Keys({{0, DL_VALUE::Float(0)}, {10, DL_VALUE::Float(10)}}));
  EXPECT_EQ(c->Evaluate(5).AsFloat(), 5.0f);
  EXPECT_EQ(c->Evaluate(-3).AsFloat(), 0.0f);
  EXPECT_EQ(c->Evaluate(12).AsFloat(), 10.0f);
  EXPECT_EQ(c->Evaluate(10).AsFloat(), 10.0f);
  EXPECT_EQ(c->Evaluate(0).AsFloat(), 0.0f);
  EXPECT_EQ(c->Evaluate(2.5f), DL_VALUE::Float(2.5f));
}

TEST(Evaluate, NoKeysGiveTheDefaultAndOneKeyGivesItsValue) {
  DL_CHANNEL empty(DL_VALUE::Vec3(VEC3(1, 1, 1)));
  EXPECT_EQ(empty.Evaluate(7), DL_VALUE::Vec3(VEC3(1, 1, 1)));
  std::unique_ptr<DL_CHANNEL> one(Keys({{4, DL_VALUE::Float(3)}}));
  EXPECT_EQ(one->Evaluate(-100).AsFloat(), 3.0f);
  EXPECT_EQ(one->Evaluate(100).AsFloat(), 3.0f);
}

TEST(Evaluate, SegmentSearchAtAndAroundKeys) {
  std::unique_ptr<DL_CHANNEL> c(Keys({{0, DL_VALUE::Float(0)}, {10, DL_VALUE::Float(1)}, {20, DL_VALUE::Float(2)}}));
  struct CASE {
    float f;
    int b, d;
    float t;
  };
  const CASE cases[] = {{-5, 0, 0, 0}, {0, 0, 0, 0},    {5, 0, 1, 0.5f}, {10, 1, 1, 0},
                        {15, 1, 2, 0.5f}, {20, 2, 2, 0}, {25, 2, 2, 0}};
  for (const CASE& k : cases) {
    SEGMENT s = FindSegment(*c, k.f);
    EXPECT_EQ(s.b, k.b) << k.f;
    EXPECT_EQ(s.d, k.d) << k.f;
    EXPECT_EQ(s.t, k.t) << k.f;
  }
}

TEST(Evaluate, KeysCloserThanAThousandthOfAFrame) {
  DL_CHANNEL c(DL_VALUE::Float(0));
  c.SetKey(5.0f, DL_VALUE::Float(1));
  c.SetKey(6.0f, DL_VALUE::Float(2));
  c.keys[1]->frame = 5.0005f;  // as a drag could leave them
  for (float f : {4.0f, 5.0f, 5.0002f, 5.0005f, 9.0f}) {
    SEGMENT s = FindSegment(c, f);
    EXPECT_EQ(s.b, s.d) << f;
  }
  EXPECT_EQ(c.Evaluate(5.0002f).AsFloat(), 1.0f);
  EXPECT_EQ(c.Evaluate(9).AsFloat(), 2.0f);
}

TEST(Evaluate, IntegerAndStepChannels) {
  std::unique_ptr<DL_CHANNEL> i(Keys({{0, DL_VALUE::Int(0)}, {10, DL_VALUE::Int(3)}}));
  EXPECT_EQ(i->Evaluate(5), DL_VALUE::Int(1));
  std::unique_ptr<DL_CHANNEL> neg(Keys({{0, DL_VALUE::Int(0)}, {10, DL_VALUE::Int(-3)}}));
  EXPECT_EQ(neg->Evaluate(5), DL_VALUE::Int(-1));  // toward zero
  std::unique_ptr<DL_CHANNEL> step(Keys({{0, DL_VALUE::Step(1)}, {10, DL_VALUE::Step(0)}}));
  EXPECT_EQ(step->Evaluate(9.9f), DL_VALUE::Step(1));
  EXPECT_EQ(step->Evaluate(10), DL_VALUE::Step(0));
}

TEST(Evaluate, VectorsColoursAndRotations) {
  std::unique_ptr<DL_CHANNEL> v(Keys({{0, DL_VALUE::Vec3(VEC3(0, 2, 4))}, {4, DL_VALUE::Vec3(VEC3(4, 2, 0))}}));
  EXPECT_EQ(v->Evaluate(1).AsVec3(), VEC3(1, 2, 3));
  std::unique_ptr<DL_CHANNEL> v2(Keys({{0, DL_VALUE::Vec2(VEC2(0, 0))}, {2, DL_VALUE::Vec2(VEC2(2, -2))}}));
  EXPECT_EQ(v2->Evaluate(1).AsVec2(), VEC2(1, -1));
  std::unique_ptr<DL_CHANNEL> v4(Keys({{0, DL_VALUE::Vec4(VEC4(0, 0, 0, 0))}, {2, DL_VALUE::Vec4(VEC4(2, 4, 6, 8))}}));
  EXPECT_EQ(v4->Evaluate(1).AsVec4(), VEC4(1, 2, 3, 4));
  std::unique_ptr<DL_CHANNEL> col(
      Keys({{0, DL_VALUE::Color(RGBA8(0, 255, 10, 255))}, {10, DL_VALUE::Color(RGBA8(255, 0, 10, 0))}}));
  RGBA8 mid = col->Evaluate(5).AsColor();
  EXPECT_EQ(mid, RGBA8(127, 128, 10, 128));
  QUAT r = QUAT::FromAxisAngle(VEC3(1, 2, 3), 1.0f);
  std::unique_ptr<DL_CHANNEL> rot(Keys({{0, DL_VALUE::Quat(r)}, {10, DL_VALUE::Quat(-r)}}));
  for (float f : {0.0f, 3.0f, 5.0f, 10.0f}) {
    QUAT q = rot->Evaluate(f).AsQuat();
    if (q.Dot(r) < 0) q = -q;
    ExpectNear(q, r);  // the short way: no turn at all
  }
  std::unique_ptr<DL_CHANNEL> turn(
      Keys({{0, DL_VALUE::Quat(QUAT::Identity())}, {10, DL_VALUE::Quat(QUAT::FromAxisAngle(VEC3(0, 0, 1), 1))}}));
  ExpectNear(turn->Evaluate(5).AsQuat(), QUAT::FromAxisAngle(VEC3(0, 0, 1), 0.5f));
}

TEST(Evaluate, MixedTagsUseTheEarlierKeyForTheSegment) {
  std::unique_ptr<DL_CHANNEL> c(Keys({{0, DL_VALUE::Float(1)}, {10, DL_VALUE::Int(5)}}));
  EXPECT_EQ(c->Evaluate(5), DL_VALUE::Float(1));
  EXPECT_EQ(c->Evaluate(10), DL_VALUE::Int(5));
  EXPECT_EQ(Interpolate(DL_VALUE(), DL_VALUE(), 0.5f), DL_VALUE());
}

TEST(Value, UnusedPayloadWordsAreZero) {
  DL_VALUE f = DL_VALUE::Float(1.5f);
  EXPECT_EQ(f.data[1], 0u);
  EXPECT_EQ(f.data[3], 0u);
  DL_VALUE v = DL_VALUE::Vec3(VEC3(1, 2, 3));
  EXPECT_EQ(v.data[3], 0u);
  DL_VALUE c = DL_VALUE::Color(RGBA8(1, 2, 3, 4));
  EXPECT_EQ(c.data[0], 0x04030201u);  // r in the lowest byte
  EXPECT_EQ(c.data[1], 0u);
  EXPECT_EQ(DL_VALUE::Int(0).AsFloat(), 0.0f);  // a morph weight's default
}

}  // namespace
