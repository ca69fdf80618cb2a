// A bone: rest points, pose, deformation matrix, tracks, flags and its
// links in the model's first-child / next-sibling tree.
#pragma once

#include <stdint.h>

#include "anim/motbone.h"
#include "anim/track_list.h"
#include "math/mat44.h"
#include "mesh/boneref.h"

struct DL_MODEL;

enum : uint32_t {
  BONE_IK_PIVOT = 1u << 0,   // IK stop "ikpivot"
  BONE_IK_TARGET = 1u << 1,  // "iktarget"
  BONE_CONNECT = 1u << 2,    // pivot attached to the parent's target
  BONE_SHOW = 1u << 3,
  BONE_SEL_PIVOT = 1u << 4,
  BONE_SEL_TARGET = 1u << 5,
  BONE_SEL_ROLL = 1u << 6,
  BONE_SELECTED = 1u << 7,  // the bone as a whole
  BONE_MARK_PIVOT = 1u << 8,
  BONE_MARK_TARGET = 1u << 9,
  BONE_MARK_ROLL = 1u << 10,
  BONE_TRS_ENABLED = 1u << 11,
  BONE_ROT_ENABLED = 1u << 12,
  BONE_SCL_ENABLED = 1u << 13,
  BONE_LOCK_PIVOT = 1u << 14,
  BONE_LOCK_TARGET = 1u << 15,
  BONE_LOCK_ROLL = 1u << 16,
  BONE_EDIT_ALLOWED = 1u << 18,
  BONE_TRACKED = 1u << 19,  // tracks drive the bone
  BONE_APPLY_TRS = 1u << 20,
  BONE_APPLY_ROT = 1u << 21,
  BONE_APPLY_SCL = 1u << 22,
  BONE_EXPANDED = 1u << 24,  // in the bone tree panel

  BONE_POINT_SELECTION = BONE_SEL_PIVOT | BONE_SEL_TARGET | BONE_SEL_ROLL,
  BONE_ANY_SELECTION = BONE_POINT_SELECTION | BONE_SELECTED,
  BONE_MARKS = BONE_MARK_PIVOT | BONE_MARK_TARGET | BONE_MARK_ROLL,
  BONE_INITIAL_FLAGS = BONE_SHOW | BONE_TRS_ENABLED | BONE_ROT_ENABLED | BONE_EDIT_ALLOWED | BONE_TRACKED |
                       BONE_APPLY_TRS | BONE_APPLY_ROT | BONE_APPLY_SCL | BONE_EXPANDED,
};

struct DL_BONE {
  int32_t id = 0;
  uint32_t flags = BONE_INITIAL_FLAGS;
  char name[256] = {};
  VEC3 pivot;
  VEC3 target;
  VEC3 roll;
  float attach_range[2] = {0.2f, 0.8f};
  QUAT pose_rot;
  VEC3 pose_trs;
  VEC3 pose_scl = VEC3(1, 1, 1);
  MAT44 matrix;  // deformation matrix
  VEC3 posed_target;
  VEC3 posed_roll;
  DL_MODEL* model = nullptr;
  VEC3 remembered_target;  // kept by the posing operations
  TRACK_LIST<DL_MOTBONE> tracks;  // one per motion; tracks.current is the current track
  DL_BONE* parent = nullptr;
  DL_BONE* first_child = nullptr;
  DL_BONE* prev = nullptr;  // the elder sibling
  DL_BONE* next = nullptr;  // the younger sibling
  DL_BONEREF mirror;

  DL_BONE() = default;
  DL_BONE(const DL_BONE&) = delete;
  DL_BONE& operator=(const DL_BONE&) = delete;

  bool HasFlag(uint32_t f) const { return (flags & f) != 0; }
  void SetFlag(uint32_t f, bool on) { flags = on ? (flags | f) : (flags & ~f); }
  // f on this bone and, when it is collapsed, on all its descendants.
  void SetFlagTree(uint32_t f, bool on);
  // f on this bone, its subtree, and its following siblings with theirs.
  void SetFlagSubtree(uint32_t f, bool on);
  // Shown, edit allowed, and the model shows bones.
  bool IsEditable() const;

  void SetName(const char* text);
  // Sets the roll point and applies the roll rule.
  void SetRoll(const VEC3& r);
  // Moves the roll point into the plane through the axis and the old roll
  // point, perpendicular to the axis at the pivot, at 0.3 times the length.
  void ApplyRollRule();
  // The same construction against the world up axis.
  void SetDefaultRoll();

  // Pose setters also key the current track at its motion's current frame.
  void SetPoseRotation(const QUAT& q);
  void SetPoseTranslation(const VEC3& t);
  void SetPoseScale(const VEC3& s);

  VEC3 PosedPivot() const { return matrix.Transform(pivot); }
  VEC3 PosedTarget() const { return matrix.Transform(target); }
  VEC3 PosedRoll() const { return matrix.Transform(roll); }
  // The parent's deformation matrix, or the identity at the top level.
  MAT44 ParentMatrix() const { return parent != nullptr ? parent->matrix : MAT44(); }
  // The local pose matrix about the pivot, times the given parent matrix.
  MAT44 DeformationMatrix(const MAT44& parent_matrix) const;

  // Tree walks. All are loops: sibling chains may be very long.
  DL_BONE* NextInPreorder() const;
  // The next bone in preorder that is still below `top` (none: the whole tree).
  DL_BONE* NextBelow(const DL_BONE* top) const;
  DL_BONE* PreviousInTree() const { return prev != nullptr ? prev : parent; }
  DL_BONE* LastSibling();
  int Depth() const;
  bool ShownInTree() const;
  bool IsDescendantOf(const DL_BONE* ancestor) const;
  // Whether a bone below this one is selected (the first child's subtree).
  bool HasSelectedBelow() const;
  // Whether a bone among the following siblings and their subtrees is selected.
  bool HasSelectedInFollowing() const;

  // Inserts the bone into model's tree: after elder when given, else as
  // parent's first child, else as the model's first bone.
  void Link(DL_MODEL* m, DL_BONE* new_parent, DL_BONE* elder);
  // Takes the bone out of the tree; its children take its place.
  void UnlinkKeepingChildren();
};

// Updates the deformation matrices from b and its subtree (with_siblings:
// also b's following siblings and theirs), parents before children.
void UpdateBoneMatrices(DL_BONE* b, bool with_siblings, const MAT44& top_matrix);
// The second pass of the same shape: stores the posed target and roll of
// those bones. Posing keeps these as its references for a whole drag, so
// only the start of a drag (and whoever needs them fresh) runs it.
void UpdatePosedPoints(DL_BONE* b, bool with_siblings);
