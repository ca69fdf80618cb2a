// The tracks of mesh records in one motion: a morph target's weight, an
// object's visibility, a material's alpha and colour.
#pragma once

#include <stdint.h>

#include "anim/channel.h"

struct DL_MOT;
struct DL_MORPH;
struct DL_OBJ;
struct DL_MTL;

struct DL_MORPHTRACK {
  DL_MOT* motion;
  DL_MORPH* target;
  DL_CHANNEL weight;  // default int 0, which reads as the float 0.0; keys are floats

  DL_MORPHTRACK(DL_MORPH* owner, DL_MOT* m);
  DL_MORPHTRACK(const DL_MORPHTRACK&) = delete;
  DL_MORPHTRACK& operator=(const DL_MORPHTRACK&) = delete;
};

struct DL_OBJTRACK {
  uint32_t flags = 0;
  DL_MOT* motion;
  DL_OBJ* object;
  DL_CHANNEL visibility;  // step value, default 1

  DL_OBJTRACK(DL_OBJ* owner, DL_MOT* m);
  DL_OBJTRACK(const DL_OBJTRACK&) = delete;
  DL_OBJTRACK& operator=(const DL_OBJTRACK&) = delete;
};

struct DL_MTLTRACK {
  uint32_t flags = 0;
  DL_MTL* material;
  DL_MOT* motion;
  DL_CHANNEL colour;  // default (255, 255, 255, 255)
  DL_CHANNEL alpha;   // default 1.0; registered, written and read before the colour

  DL_MTLTRACK(DL_MTL* owner, DL_MOT* m);
  DL_MTLTRACK(const DL_MTLTRACK&) = delete;
  DL_MTLTRACK& operator=(const DL_MTLTRACK&) = delete;
};
