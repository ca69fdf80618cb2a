// The plug-in's record of one host material, with its tracks.
#pragma once

#include <stdint.h>

#include "anim/mesh_tracks.h"
#include "anim/track_list.h"
#include "host/host_types.h"

struct DL_MODEL;

struct DL_MTL {
  DL_MODEL* owner = nullptr;
  int32_t material_id = 0;  // the host material's identity value
  int32_t host_index = -1;
  MQMaterial host_material = nullptr;
  uint32_t flags = 0;
  TRACK_LIST<DL_MTLTRACK> tracks;  // one per motion
};
