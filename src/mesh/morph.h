// A morph target of an object.
#pragma once

#include <stdint.h>

#include "anim/mesh_tracks.h"
#include "anim/track_list.h"

struct DL_OBJ;

struct DL_MORPH {
  DL_OBJ* owner = nullptr;
  char name[256] = {};
  float weight = 0;
  int32_t index = 0;  // position in the owner's list; selects each vertex's target position
  int32_t group = 0;
  TRACK_LIST<DL_MORPHTRACK> tracks;  // one per motion
};
