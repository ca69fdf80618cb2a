// The plug-in's data for one host document: the bone tree, the records of
// the document's objects and materials, the motions and the counters that
// issue identifiers.
#pragma once

#include <stdint.h>

#include <vector>

#include "host/host_types.h"
#include "math/mat44.h"

class DLMAIN;
struct DL_BONE;
struct DL_MOT;
struct DL_OBJ;
struct DL_MTL;

enum : uint32_t {
  MODEL_NO_PICK_PIVOT = 1u << 1,   // region selection skips pivots
  MODEL_NO_PICK_TARGET = 1u << 2,  // ... targets
  MODEL_NO_PICK_ROLL = 1u << 3,    // ... roll points
  MODEL_NO_SELECT_WHOLE = 1u << 4, // region selection never selects whole bones
  MODEL_MOTION = 1u << 5,          // the motion command is active (pose display)
  MODEL_WEIGHT = 1u << 6,          // the weight command is active
  MODEL_ACTIVE = 1u << 7,          // the plug-in is switched on
  MODEL_HIDE_SOURCE = 1u << 8,     // undeformed host objects are not shown
  MODEL_SHOW_BONES = 1u << 9,
  MODEL_COMMAND_SET = 1u << 10,    // set on every command change
  MODEL_SELECTED_FACES = 1u << 11, // only selected faces are shown
  MODEL_POSE_UPDATED = 1u << 12,   // set by every full pose update
};

// A weight-pen preset.
struct PEN_PRESET {
  float size;    // pen radius in screen pixels
  float weight;  // what the pen writes, adds or subtracts
  float depth;   // stored and edited only
  int32_t mode;  // PEN_NORMAL, PEN_ADD, PEN_SUB
};

enum { PEN_NORMAL = 0, PEN_ADD = 1, PEN_SUB = 2 };
enum { PEN_SINGLE = 0, PEN_PALETTE = 1 };

struct DL_MODEL {
  uint32_t flags = MODEL_SHOW_BONES;
  MQDocument document = nullptr;
  DLMAIN* controller = nullptr;
  std::vector<DL_OBJ*> objects;    // owned
  std::vector<DL_MTL*> materials;  // owned
  std::vector<DL_MOT*> motions;    // owned, in creation order
  DL_MOT* current_motion = nullptr;
  DL_BONE* current_bone = nullptr;
  DL_OBJ* current_object = nullptr;
  int32_t bone_count = 0;
  DL_BONE* first_bone = nullptr;  // owns the whole tree
  int32_t next_bone_id = 1;
  int32_t next_motion_id = 0;
  MQObject scratch_object = nullptr;  // "$$vcol_tmp$$"
  int32_t scratch_index = -1;
  int32_t tool_value = 0;
  MAT44 model_matrix;  // parent matrix of the top-level bones
  std::vector<int32_t> object_index_table;
  int32_t display_mode = 4;
  PEN_PRESET presets[4] = {{10.0f, 1.0f, 50.0f, 0}, {5.0f, 1.0f, 50.0f, 0}, {30.0f, 1.0f, 50.0f, 0}, {50.0f, 1.0f, 50.0f, 0}};
  PEN_PRESET* current_preset = &presets[0];
  int32_t preset_option = PEN_SINGLE;  // the pen's palette mode
  MQMaterial vcol_material = nullptr;  // the vertex-colour drawing material
  int32_t vcol_material_index = -1;

  DL_MODEL() = default;
  DL_MODEL(const DL_MODEL&) = delete;
  DL_MODEL& operator=(const DL_MODEL&) = delete;
  ~DL_MODEL();

  bool HasFlag(uint32_t f) const { return (flags & f) != 0; }
  void SetFlag(uint32_t f, bool on) { flags = on ? (flags | f) : (flags & ~f); }

  // Identifiers and names.
  int32_t MakeBoneId();
  int32_t MakeMotionId();
  // The first "bone%d" / "mot%d" (1, 2, 3, ...) that nothing has, into name[256].
  void NewBoneName(char* name) const;
  void NewMotionName(char* name) const;

  // Bone lookups, in preorder; the first match.
  DL_BONE* FindBoneById(int32_t id) const;
  DL_BONE* FindBoneByName(const char* name) const;
  DL_BONE* BoneAt(int index) const;
  int IndexOfBone(const DL_BONE* bone) const;
  bool HasBone(const DL_BONE* bone) const;

  // Bone creation and removal.
  DL_BONE* NewBoneAsLastChild(DL_BONE* parent);
  DL_BONE* NewBoneAfter(DL_BONE* sibling);
  // The make tool's form: a child of ref, or after it with as_sibling.
  DL_BONE* CreateBone(DL_BONE* ref, bool as_sibling, bool connect, const char* name, const VEC3& pivot,
                      const VEC3& target, const VEC3& roll);
  // Deletes b; with_children destroys its subtree, else its children take its place.
  void DeleteBone(DL_BONE* b, bool with_children);
  void DeleteAllBones();
  // The current bone moves off b (before b leaves the tree).
  void MoveCurrentBoneAway(const DL_BONE* b);

  // Motions.
  DL_MOT* AddMotion();
  DL_MOT* NewNamedMotion();
  void MakeCurrentMotion(DL_MOT* m);
  void RemoveMotion(DL_MOT* m);
  // A new named motion with copies of all of m's tracks; none on failure.
  DL_MOT* DuplicateMotion(DL_MOT* m);
  DL_MOT* FindMotionByName(const char* name) const;
  DL_MOT* FindMotionById(int32_t id) const;
  int IndexOfMotion(const DL_MOT* m) const;

  // Objects and materials.
  DL_OBJ* ObjectAt(int index) const;
  DL_OBJ* FindObjectByUid(int32_t uid) const;
  DL_OBJ* NewObject(int32_t uid);
  DL_MTL* MaterialAt(int index) const;
  DL_MTL* FindMaterialById(int32_t id) const;
  DL_MTL* NewMaterial(int32_t id);

  // Binding to the document (model_binding.cpp).
  // Binds, adds and removes object and material records by identity and
  // rebuilds every vertex table.
  void Synchronize();
  void SynchronizeMaterials();
  // The record of the document's current object becomes current.
  void SelectCurrentObject();
  bool IsActive() const { return HasFlag(MODEL_ACTIVE); }
  // Shows the deformation display instead of the host objects, or back.
  void SwitchDisplay(bool on);
  void CreateAllDisplays();
  void DeleteAllDisplays();
  void WriteAllPositions();
  void WriteAllFaceColours();
  void EnsureVcolMaterial();
  void DeleteVcolMaterial();
  // The drawing visibility of display copies; rebuilt when it changes while active.
  void SetDisplayMode(int32_t mode);
  void ChangeShownOnAllObjects(int change);     // a FLAG_CHANGE
  void ChangeEditableOnAllObjects(int change);  // a FLAG_CHANGE
  void DeformAll();
  // Writes the posed shape into the host objects and discards all plug-in data.
  bool Freeze();

  // Whole-model operations.
  void Clear();
  void ClearAndRebind();
  void FullPoseUpdate();
  // After stored data was read: identifiers to records, rebinding to the
  // document, a pose update and the display rebuilt.
  void FinishLoading();
  int DeepestLevel() const;
  int CountBonesShownInTree() const;

 private:
  // Destroys b, its subtree and its following siblings with theirs.
  void DestroyChain(DL_BONE* b);
  // Forgets every reference that other records hold to the doomed bones.
  void ClearReferencesTo(const std::vector<DL_BONE*>& doomed);
  void GiveTracks(DL_BONE* b);
  void BindAllTracks();
};
