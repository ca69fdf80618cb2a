// The bone editing commands: selection, visibility, permission, deletion,
// re-parenting, alignment, moving and region selection. Each returns
// whether it changed anything, so that the caller knows whether to refresh
// and record an undo step.
#pragma once

#include <stdint.h>

#include "math/mat44.h"

struct DL_MODEL;
struct DL_BONE;

enum FLAG_CHANGE { FLAG_SET, FLAG_CLEAR, FLAG_TOGGLE };

bool SelectAllBones(DL_MODEL* model);
bool DeselectAllBones(DL_MODEL* model);
bool InvertBoneSelection(DL_MODEL* model);
// Every descendant of the current bone, editable or not; all bones without one.
bool SelectChildBones(DL_MODEL* model);
bool ResetCurrentBone(DL_MODEL* model);
bool ClearIkStops(DL_MODEL* model);
// Sets, clears or toggles a flag on every bone (expanded, shown, edit allowed).
bool ChangeFlagOnAllBones(DL_MODEL* model, uint32_t flag, FLAG_CHANGE change);

// Deletes the editable selected bones, keeping their children; refused
// while the motion command is active.
bool DeleteSelectedBones(DL_MODEL* model);
// Deletes the whole tree; refused while the motion command is active.
bool DeleteAllBonesCommand(DL_MODEL* model);

enum REPARENT_MODE {
  REPARENT_CHILDREN_KEEP_LEVELS,
  REPARENT_SIBLINGS_KEEP_LEVELS,
  REPARENT_CHILDREN,
  REPARENT_SIBLINGS,
};
// Moves the selected bones under or after the tree item.
bool ReparentSelected(DL_MODEL* model, DL_BONE* item, REPARENT_MODE mode);

// The alignment panel's settings.
struct ALIGN_SETTINGS {
  int axis = 0;      // 0 X, 1 Y, 2 Z
  VEC3 value;        // the coordinate given for each axis
  bool use_reference = false;
  DL_BONE* reference = nullptr;
  bool exclude_pivot = false;
  bool exclude_target = false;
  bool exclude_roll = false;
};
// The average of the selected points of the editable bones; false when none.
bool SelectionCenter(const DL_MODEL* model, VEC3* center);
// Aligns the points of the editable bones selected as a whole.
bool AlignSelected(DL_MODEL* model, const ALIGN_SETTINGS& settings);

// Moves the selected points (with connected points) by the matrix.
bool MoveSelection(DL_MODEL* model, const MAT44& m);

// The view that region selection tests against, supplied by the caller.
struct VIEW_REGION {
  void* context;
  // Maps a world point to screen x, y and depth.
  VEC3 (*project)(void* context, const VEC3& world);
  bool (*contains)(void* context, const VEC3& screen);
};
bool SelectByRegion(DL_MODEL* model, const VIEW_REGION& region);
