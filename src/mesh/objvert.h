// The plug-in's record of one host vertex, matched by its unique ID.
#pragma once

#include <stdint.h>

#include <utility>
#include <vector>

#include "anim/pool.h"
#include "math/vector.h"
#include "mesh/weitlist.h"

struct DL_OBJ;

struct DL_OBJVERT {
  DL_OBJ* owner = nullptr;
  int32_t vertex_uid = 0;
  VEC3 host_pos;     // rest position at the last synchronisation
  VEC3 skinned_pos;  // posed position
  DL_WEITLIST weights;
  VEC3 morphed_pos;  // blend of base and targets
  VEC3 base_pos;     // position in the morph base shape
  VEC3 screen_pos;   // host_pos on the screen, for picking
  std::vector<VEC3> target_pos;                // one per morph target, by target index
  std::vector<std::pair<int32_t, int32_t>> corners;  // (source face, corner) pairs using this vertex

  POOLED_RECORD(DL_OBJVERT)
};
