// The plug-in's record of one host material, with its tracks.
#pragma once

#include <stdint.h>

#include "anim/mesh_tracks.h"
#include "anim/track_list.h"
#include "host/host_types.h"

struct DL_MODEL;

struct DL_MTL {
  DL_MODEL* owner = nullptr;
  int32_t material_id = 0;  // the host material's identity value (259)
  int32_t host_index = -1;
  MQMaterial host_material = nullptr;
  uint32_t flags = 0;
  TRACK_LIST<DL_MTLTRACK> tracks;  // one per motion

  // A track for every motion that has none; tracks of motions no longer in
  // the model go.
  void AddMissingTracks();
  // The document index of the first material with this record's identity.
  int HostIndexByIdentity() const;
};
