#include "anim/evaluate.h"

#include <algorithm>

SEGMENT FindSegment(const DL_CHANNEL& channel, float f) {
  const std::vector<DL_KEY*>& keys = channel.keys;
  int n = static_cast<int>(keys.size());
  // The last key not after f: the walk from the first key stops at the first
  // key after f, which on ascending keys is the upper bound.
  auto after = std::upper_bound(keys.begin(), keys.end(), f, [](float v, const DL_KEY* k) { return v < k->frame; });
  int b = static_cast<int>(after - keys.begin()) - 1;
  if (b < 0) b = 0;
  int d = b + 1;
  if (d > n - 1) d = n - 1;
  if (d < 0) d = 0;
  SEGMENT s = {b, d, 0.0f};
  if (s.b != s.d) {
    float f0 = keys[s.b]->frame;
    float g = keys[s.d]->frame - f0;
    if (Abs(g) > 0.001f) {
      s.t = (f - f0) / g;
      if (s.t <= 0) {
        s.d = s.b;
        s.t = 0;
      } else if (s.t >= 1) {
        s.b = s.d;
        s.t = 0;
      }
    } else {
      s.d = s.b;
    }
  }
  return s;
}

DL_VALUE Interpolate(const DL_VALUE& p, const DL_VALUE& q, float t) {
  if (p.tag != q.tag) return p;
  switch (p.tag) {
    case VALUE_FLOAT: {
      float a = p.AsFloat(), b = q.AsFloat();
      return DL_VALUE::Float(a + (b - a) * t);
    }
    case VALUE_INT: {
      float a = static_cast<float>(p.AsInt()), b = static_cast<float>(q.AsInt());
      float v = (b - a) * t + a;
      // Between two int32 values the blend stays in range; truncf keeps a
      // stray t from making the conversion undefined.
      v = truncf(v);
      if (!(v >= -2147483648.0f)) v = -2147483648.0f;
      if (v >= 2147483648.0f) v = 2147483520.0f;
      return DL_VALUE::Int(static_cast<int32_t>(v));
    }
    case VALUE_STEP:
      return p;
    case VALUE_VEC2:
      return DL_VALUE::Vec2(p.AsVec2() + (q.AsVec2() - p.AsVec2()) * t);
    case VALUE_VEC3:
      return DL_VALUE::Vec3(p.AsVec3() + (q.AsVec3() - p.AsVec3()) * t);
    case VALUE_VEC4:
      return DL_VALUE::Vec4(p.AsVec4() + (q.AsVec4() - p.AsVec4()) * t);
    case VALUE_QUAT:
      return DL_VALUE::Quat(QUAT::Slerp(p.AsQuat(), q.AsQuat(), t).Normalized());
    case VALUE_RGBA8:
      return DL_VALUE::Color(p.AsColor().Lerp(q.AsColor(), t));
    default:
      return p;
  }
}

DL_VALUE EvaluateChannel(const DL_CHANNEL& channel, float f) {
  int n = channel.KeyCount();
  if (n == 0) return channel.default_value;
  if (n == 1) return channel.keys[0]->value;
  SEGMENT s = FindSegment(channel, f);
  if (s.b == s.d) return channel.keys[s.b]->value;
  return Interpolate(channel.keys[s.b]->value, channel.keys[s.d]->value, s.t);
}
