// A typed key value: a tag and four 32-bit payload words. Words a value
// does not use are zero, since stored and exchanged bytes include them.
#pragma once

#include <stdint.h>
#include <string.h>

#include "math/quat.h"
#include "math/rgba8.h"
#include "math/vector.h"

enum VALUE_TAG : int32_t {
  VALUE_EMPTY = 0,
  VALUE_FLOAT = 1,
  VALUE_INT = 2,   // interpolated, then truncated
  VALUE_STEP = 3,  // int that holds until the next key
  VALUE_VEC2 = 4,
  VALUE_VEC3 = 5,
  VALUE_VEC4 = 6,
  VALUE_QUAT = 7,
  VALUE_RGBA8 = 8,
};

struct DL_VALUE {
  int32_t tag;
  uint32_t data[4];

  DL_VALUE() : tag(VALUE_EMPTY), data{0, 0, 0, 0} {}

  static DL_VALUE Float(float v) { return Make(VALUE_FLOAT, &v, sizeof v); }
  static DL_VALUE Int(int32_t v) { return Make(VALUE_INT, &v, sizeof v); }
  static DL_VALUE Step(int32_t v) { return Make(VALUE_STEP, &v, sizeof v); }
  static DL_VALUE Vec2(const VEC2& v) { return Make(VALUE_VEC2, &v, sizeof v); }
  static DL_VALUE Vec3(const VEC3& v) { return Make(VALUE_VEC3, &v, sizeof v); }
  static DL_VALUE Vec4(const VEC4& v) { return Make(VALUE_VEC4, &v, sizeof v); }
  static DL_VALUE Quat(const QUAT& q) { return Make(VALUE_QUAT, &q, sizeof q); }
  static DL_VALUE Color(const RGBA8& c) { return Make(VALUE_RGBA8, &c, sizeof c); }
  // A value with the given tag and raw payload words (readers of stored data).
  static DL_VALUE Raw(int32_t tag, const uint32_t words[4]) {
    DL_VALUE v;
    v.tag = tag;
    memcpy(v.data, words, sizeof v.data);
    return v;
  }

  // The payload read as each type, whatever the tag.
  float AsFloat() const { return Read<float>(); }
  int32_t AsInt() const { return Read<int32_t>(); }
  VEC2 AsVec2() const { return Read<VEC2>(); }
  VEC3 AsVec3() const { return Read<VEC3>(); }
  VEC4 AsVec4() const { return Read<VEC4>(); }
  QUAT AsQuat() const { return Read<QUAT>(); }
  RGBA8 AsColor() const { return Read<RGBA8>(); }

  bool operator==(const DL_VALUE& v) const { return tag == v.tag && memcmp(data, v.data, sizeof data) == 0; }
  bool operator!=(const DL_VALUE& v) const { return !(*this == v); }

 private:
  static DL_VALUE Make(int32_t tag, const void* p, size_t n) {
    DL_VALUE v;
    v.tag = tag;
    memcpy(v.data, p, n);
    return v;
  }
  template <typename T>
  T Read() const {
    static_assert(sizeof(T) <= sizeof(uint32_t) * 4, "payload is four words");
    T t;
    memcpy(static_cast<void*>(&t), data, sizeof t);
    return t;
  }
};
