// The plug-in's record of one host object: its morph targets, weight
// groups and visibility tracks.
#pragma once

#include <stdint.h>

#include <vector>

#include "anim/mesh_tracks.h"
#include "anim/track_list.h"
#include "host/host_types.h"
#include "mesh/boneref.h"

struct DL_MODEL;
struct DL_MORPH;
struct DL_OBJWEIT;

enum : uint32_t {
  OBJ_SHOWN = 0x4,
  OBJ_VISIBLE_IN_POSE = 0x8,
  OBJ_MORPH_EDIT = 0x10,
  OBJ_EDITABLE = 0x40,
  OBJ_WEIGHTS_NOT_STORED = 0x400,
  OBJ_USE_WEIGHT = 0x1000,
  OBJ_INITIAL_FLAGS = 0x1054,
};

struct DL_OBJ {
  DL_MODEL* owner = nullptr;
  int32_t object_uid = 0;  // the host object's identity value
  MQObject source = nullptr;
  MQObject display = nullptr;
  uint32_t flags = OBJ_INITIAL_FLAGS;
  std::vector<DL_MORPH*> morphs;             // owned
  std::vector<DL_OBJWEIT*> weight_groups;    // owned
  DL_OBJWEIT* current_weight_group = nullptr;
  DL_MORPH* current_morph = nullptr;
  float base_weight = 1.0f;
  TRACK_LIST<DL_OBJTRACK> tracks;  // one per motion
  DL_BONEREF obj_bone;

  explicit DL_OBJ(DL_MODEL* model) : owner(model) {}
  DL_OBJ(const DL_OBJ&) = delete;
  DL_OBJ& operator=(const DL_OBJ&) = delete;
  ~DL_OBJ();

  bool HasFlag(uint32_t f) const { return (flags & f) != 0; }
  void SetFlag(uint32_t f, bool on) { flags = on ? (flags | f) : (flags & ~f); }

  // Every record of this object that holds a track gets one for m.
  void AddTracks(DL_MOT* m);
  void RemoveTracks(const DL_MOT* m);
  void BindTracks(const DL_MOT* current);
  // Forgets every reference to b (the object's bone, its groups' bones).
  void ClearBoneReferences(const DL_BONE* b);
  void ResolveBoneReferences(const DL_MODEL* model);
  // The pose step for this object: visibility and morph weights from the
  // current tracks, then the morph blend.
  void EvaluateTracks();
};
