// The plug-in's record of one host object: its vertex records, morph
// targets, weight groups, weight palette, visibility tracks and the display
// copy that shows it while the plug-in is active.
#pragma once

#include <stdint.h>

#include <vector>

#include "anim/mesh_tracks.h"
#include "anim/track_list.h"
#include "host/host_types.h"
#include "math/mat44.h"
#include "math/rgba8.h"
#include "mesh/boneref.h"
#include "mesh/weitlist.h"

struct DL_MODEL;
struct DL_MORPH;
struct DL_OBJWEIT;
struct DL_OBJVERT;
struct DL_BONE;

enum : uint32_t {
  OBJ_SHOWN = 0x4,
  OBJ_VISIBLE_IN_POSE = 0x8,
  OBJ_MORPH_EDIT = 0x10,
  OBJ_EDITABLE = 0x40,
  OBJ_WEIGHTS_NOT_STORED = 0x400,
  OBJ_USE_WEIGHT = 0x1000,
  OBJ_INITIAL_FLAGS = 0x1054,
};

// One picked vertex.
struct PICK {
  DL_OBJ* object;
  int vertex;
  VEC3 screen;
  float distance_sq;
};

struct PICK_LIST {
  std::vector<PICK> picks;
  int nearest = -1;  // index into picks
  void Add(const PICK& p);
};

// The weights flattened for skinning: rebuilt whenever any weight, group or
// bone link changed (see WeightGeneration).
struct SKIN_ENTRY {
  const MAT44* matrix;  // none: the entry holds its share at the unposed shape
  float weight;
};

enum SKIN_KIND : uint8_t { SKIN_STATIC, SKIN_ONE, SKIN_BLEND };

struct SKIN_CACHE {
  uint32_t generation = 0;
  std::vector<uint8_t> kind;       // per vertex
  std::vector<uint32_t> start;     // per vertex + 1, into entries
  std::vector<SKIN_ENTRY> entries;
};

struct DL_OBJ {
  DL_MODEL* owner = nullptr;
  int32_t object_uid = 0;  // the host object's identity value (260)
  MQObject source = nullptr;
  MQObject display = nullptr;
  uint32_t flags = OBJ_INITIAL_FLAGS;
  std::vector<DL_OBJVERT*> vertices;         // owned; entry i belongs to host vertex i
  std::vector<DL_MORPH*> morphs;             // owned
  std::vector<DL_OBJWEIT*> weight_groups;    // owned
  std::vector<int32_t> face_map;             // source face -> display face, or -1
  std::vector<uint8_t> face_facing;          // per source face: non-zero when it faces the view
  DL_OBJWEIT* current_weight_group = nullptr;
  DL_MORPH* current_morph = nullptr;
  float base_weight = 1.0f;
  TRACK_LIST<DL_OBJTRACK> tracks;  // one per motion
  int32_t palette_slot = 0;
  int32_t palette_entry = 0;
  DL_WEITLIST palette[8];
  int32_t next_weit_id = 1;
  int32_t next_weit_col = 0;
  int32_t saved_source_visibility = 0;
  int32_t display_visibility = -1;
  DL_BONEREF obj_bone;
  int32_t source_index = -1;  // index of the source in the document at the last lookup
  SKIN_CACHE skin;

  explicit DL_OBJ(DL_MODEL* model) : owner(model) {}
  DL_OBJ(const DL_OBJ&) = delete;
  DL_OBJ& operator=(const DL_OBJ&) = delete;
  // Deletes the display copy too.
  ~DL_OBJ();

  bool HasFlag(uint32_t f) const { return (flags & f) != 0; }
  void SetFlag(uint32_t f, bool on) { flags = on ? (flags | f) : (flags & ~f); }
  int VertexCount() const { return static_cast<int>(vertices.size()); }

  // Tracks, in step with the model's motions.
  void AddTracks(DL_MOT* m);
  void RemoveTracks(const DL_MOT* m);
  void BindTracks(const DL_MOT* current);
  // Forgets every reference to b (the object's bone, its groups' bones).
  void ClearBoneReferences(const DL_BONE* b);
  void ResolveBoneReferences(const DL_MODEL* model);
  void SetObjBone(DL_BONE* b);

  // Binding (obj_binding.cpp).
  // Finds the source by identity in the document; null and -1 when gone.
  MQObject FindSource(int32_t* index) const;
  void RebuildVertexTable();
  void CreateDisplay();
  void DeleteDisplay();
  void WritePositions();
  void WriteFaceColours();
  void SetShown(bool on);
  void GetName(char (&buffer)[1024]) const;
  void UpdateScreen(MQScene scene, bool facing);
  bool PickVertices(float x, float y, float radius_sq, PICK_LIST* list);

  // Weights (obj_weights.cpp).
  DL_OBJWEIT* NewGroup();
  DL_OBJWEIT* GroupForBone(DL_BONE* bone);
  void DeleteGroup(DL_OBJWEIT* g);
  DL_OBJWEIT* FindGroupById(int32_t id) const;
  DL_OBJWEIT* FindGroupByBone(const DL_BONE* bone) const;
  int IndexOfGroup(const DL_OBJWEIT* g) const;
  void SetVertexWeight(int vertex, DL_OBJWEIT* g, float w);
  void SetVertexWeightForBone(int vertex, DL_BONE* bone, float w);
  float GetVertexWeight(int vertex, const DL_OBJWEIT* g) const;
  float GetVertexWeightForBone(int vertex, const DL_BONE* bone) const;
  void ClearAllWeights();
  bool ClearCurrentGroup();
  bool FillCurrentGroup();
  bool NormalizeAll();
  bool AutoWeights();
  void Recolour();
  int32_t NextGroupId();
  RGBA8 NextGroupColour();

  // Morph targets (morph.cpp).
  DL_MORPH* NewMorph();
  void DeleteMorph(DL_MORPH* t);
  DL_MORPH* DuplicateMorph();
  void SetMorphProperties(DL_MORPH* t, const char* name, int32_t group);
  void SetMorphWeight(DL_MORPH* t, float w);
  DL_MORPH* FindMorphByName(const char* name) const;
  int IndexOfMorph(const DL_MORPH* t) const;
  void SetMorphEdit(bool on);
  void ApplyGroupLimits();
  void BlendMorphs();

  // Skinning (skinning.cpp).
  VEC3 EditedShape(const DL_OBJVERT* v) const;
  void Deform();
  void DeformReference();

  // The pose step for this object: visibility and morph weights from the
  // current tracks, then the morph blend.
  void EvaluateTracks();
};
