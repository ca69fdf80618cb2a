#include "model/bone_edit.h"

#include <unordered_map>
#include <vector>

#include "controller/log.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

std::vector<DL_BONE*> EditableSelected(const DL_MODEL* model) {
  std::vector<DL_BONE*> list;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder())
    if (b->IsEditable() && b->HasFlag(BONE_SELECTED)) list.push_back(b);
  return list;
}

}  // namespace

bool SelectAllBones(DL_MODEL* model) {
  bool any = false;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!b->IsEditable()) continue;
    b->SetFlag(BONE_SELECTED, true);
    any = true;
  }
  return any;
}

bool DeselectAllBones(DL_MODEL* model) {
  bool any = false;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!b->IsEditable()) continue;
    b->SetFlag(BONE_ANY_SELECTION, false);
    any = true;
  }
  return any;
}

bool InvertBoneSelection(DL_MODEL* model) {
  bool any = false;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!b->IsEditable()) continue;
    b->SetFlag(BONE_SELECTED, !b->HasFlag(BONE_SELECTED));
    any = true;
  }
  return any;
}

bool SelectChildBones(DL_MODEL* model) {
  DL_BONE* current = model->current_bone;
  if (current == nullptr) return SelectAllBones(model);
  bool any = false;
  for (DL_BONE* b = current->first_child; b != nullptr; b = b->NextBelow(current)) {
    b->SetFlag(BONE_SELECTED, true);
    any = true;
  }
  return any;
}

bool ResetCurrentBone(DL_MODEL* model) {
  bool had = model->current_bone != nullptr;
  model->current_bone = nullptr;
  return had;
}

bool ClearIkStops(DL_MODEL* model) { return ChangeFlagOnAllBones(model, BONE_IK_PIVOT, FLAG_CLEAR); }

bool ChangeFlagOnAllBones(DL_MODEL* model, uint32_t flag, FLAG_CHANGE change) {
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder())
    b->SetFlag(flag, change == FLAG_SET || (change == FLAG_TOGGLE && !b->HasFlag(flag)));
  return model->first_bone != nullptr;
}

bool DeleteSelectedBones(DL_MODEL* model) {
  if (model->HasFlag(MODEL_MOTION)) return false;
  std::vector<DL_BONE*> doomed = EditableSelected(model);
  DLLog("DeleteSelectBone");
  for (DL_BONE* b : doomed) model->DeleteBone(b, false);
  return !doomed.empty();
}

bool DeleteAllBonesCommand(DL_MODEL* model) {
  if (model->HasFlag(MODEL_MOTION) || model->first_bone == nullptr) return false;
  model->DeleteAllBones();
  return true;
}

bool ReparentSelected(DL_MODEL* model, DL_BONE* item, REPARENT_MODE mode) {
  if (item == nullptr || item->HasFlag(BONE_SELECTED)) return false;
  std::vector<DL_BONE*> moving = EditableSelected(model);
  if (moving.empty()) return false;

  bool keep_levels = mode == REPARENT_CHILDREN_KEEP_LEVELS || mode == REPARENT_SIBLINGS_KEEP_LEVELS;
  bool as_children = mode == REPARENT_CHILDREN_KEEP_LEVELS || mode == REPARENT_CHILDREN;

  // Each moving bone's nearest moving ancestor, while the tree still shows it.
  std::unordered_map<DL_BONE*, DL_BONE*> moving_parent;
  if (keep_levels) {
    std::unordered_map<DL_BONE*, bool> is_moving;
    for (DL_BONE* b : moving) is_moving[b] = true;
    for (DL_BONE* b : moving) {
      DL_BONE* a = b->parent;
      while (a != nullptr && is_moving.count(a) == 0) a = a->parent;
      moving_parent[b] = a;
    }
  }

  for (DL_BONE* b : moving) b->UnlinkKeepingChildren();
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder())
    if (b->IsEditable()) b->SetFlag(BONE_ANY_SELECTION, false);
  for (DL_BONE* b : moving) b->SetFlag(BONE_ANY_SELECTION, false);

  // The last bone placed under each new parent (none: the top group).
  std::unordered_map<DL_BONE*, DL_BONE*> last_under;
  DL_BONE* last_top = nullptr;
  for (DL_BONE* b : moving) {
    DL_BONE* up = keep_levels ? moving_parent[b] : nullptr;
    if (up != nullptr) {
      DL_BONE*& last = last_under[up];
      b->Link(model, up, last);
      last = b;
    } else if (last_top != nullptr) {
      b->Link(model, last_top->parent, last_top);
      last_top = b;
    } else {
      if (as_children) b->Link(model, item, nullptr);
      else b->Link(model, item->parent, item);
      last_top = b;
    }
  }
  model->current_bone = nullptr;
  return true;
}

bool SelectionCenter(const DL_MODEL* model, VEC3* center) {
  VEC3 sum;
  int n = 0;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!b->IsEditable()) continue;
    bool whole = b->HasFlag(BONE_SELECTED);
    if (whole || b->HasFlag(BONE_SEL_PIVOT)) sum += b->pivot, ++n;
    if (whole || b->HasFlag(BONE_SEL_TARGET)) sum += b->target, ++n;
    if (whole || b->HasFlag(BONE_SEL_ROLL)) sum += b->roll, ++n;
  }
  if (n == 0) return false;
  *center = sum / static_cast<float>(n);
  return true;
}

namespace {

float& Coordinate(VEC3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
float Coordinate(const VEC3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

// Where alignment puts a point.
struct ALIGNER {
  const ALIGN_SETTINGS& s;
  MAT44 frame, inverse;

  explicit ALIGNER(const ALIGN_SETTINGS& settings) : s(settings) {
    if (!s.use_reference || s.reference == nullptr) return;
    const DL_BONE* r = s.reference;
    VEC3 d = (r->target - r->pivot).Normalized();
    VEC3 up = (r->roll - r->pivot).Normalized();
    VEC3 x = d.Cross(up).Normalized();
    MAT44 f;
    f.m[0][0] = x.x, f.m[0][1] = x.y, f.m[0][2] = x.z;
    f.m[1][0] = up.x, f.m[1][1] = up.y, f.m[1][2] = up.z;
    f.m[2][0] = d.x, f.m[2][1] = d.y, f.m[2][2] = d.z;
    // A bone of no length, or with its roll point on its axis, has no frame
    // to align in: its pivot with the world axes stands in.
    if (f.Determinant3() == 0.0f) f = MAT44();
    f.SetTranslation(r->pivot);
    frame = f;
    inverse = f.Inverse();
  }

  VEC3 Apply(const VEC3& p) const {
    if (!s.use_reference) {
      VEC3 q = p;
      Coordinate(q, s.axis) = Coordinate(s.value, s.axis);
      return q;
    }
    VEC3 local = inverse.Transform(p);
    Coordinate(local, s.axis) = 0;
    return frame.Transform(local);
  }
};

}  // namespace

bool AlignSelected(DL_MODEL* model, const ALIGN_SETTINGS& settings) {
  if (settings.axis < 0 || settings.axis > 2) return false;
  ALIGNER aligner(settings);
  bool any = false;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!b->IsEditable() || !b->HasFlag(BONE_SELECTED)) continue;
    bool changed = false;
    if (!b->HasFlag(BONE_LOCK_PIVOT) && !settings.exclude_pivot) b->pivot = aligner.Apply(b->pivot), changed = true;
    if (!b->HasFlag(BONE_LOCK_TARGET) && !settings.exclude_target)
      b->target = aligner.Apply(b->target), changed = true;
    if (!b->HasFlag(BONE_LOCK_ROLL) && !settings.exclude_roll) b->roll = aligner.Apply(b->roll), changed = true;
    if (changed) b->ApplyRollRule();
    any = any || changed;
  }
  return any;
}

namespace {

void MarkConnectedChildren(DL_BONE* b) {
  for (DL_BONE* c = b->first_child; c != nullptr; c = c->next)
    if (c->HasFlag(BONE_CONNECT)) c->SetFlag(BONE_MARK_PIVOT | BONE_MARK_ROLL, true);
}

}  // namespace

bool MoveSelection(DL_MODEL* model, const MAT44& m) {
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) b->SetFlag(BONE_MARKS, false);
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (b->HasFlag(BONE_SEL_PIVOT)) b->SetFlag(BONE_MARK_PIVOT | BONE_MARK_ROLL, true);
    if (b->HasFlag(BONE_SEL_TARGET)) {
      b->SetFlag(BONE_MARK_TARGET, true);
      MarkConnectedChildren(b);
    }
    if (b->HasFlag(BONE_SEL_ROLL)) b->SetFlag(BONE_MARK_ROLL, true);
    if (b->HasFlag(BONE_SELECTED)) {
      b->SetFlag(BONE_MARKS, true);
      if (b->parent != nullptr && b->HasFlag(BONE_CONNECT)) b->parent->SetFlag(BONE_MARK_TARGET, true);
      MarkConnectedChildren(b);
    }
  }
  bool any = false;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!b->IsEditable() || !b->HasFlag(BONE_MARKS)) continue;
    if (b->HasFlag(BONE_MARK_PIVOT)) b->pivot = m.Transform(b->pivot);
    if (b->HasFlag(BONE_MARK_TARGET)) b->target = m.Transform(b->target);
    if (b->HasFlag(BONE_MARK_ROLL)) b->roll = m.Transform(b->roll);
    b->ApplyRollRule();
    any = true;
  }
  return any;
}

bool SelectByRegion(DL_MODEL* model, const VIEW_REGION& region) {
  bool any = false;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) {
    if (!b->IsEditable()) continue;
    const MAT44& mm = model->model_matrix;
    bool pivot_in = region.contains(region.context, region.project(region.context, mm.Transform(b->PosedPivot())));
    bool target_in = region.contains(region.context, region.project(region.context, mm.Transform(b->PosedTarget())));
    bool roll_in = region.contains(region.context, region.project(region.context, mm.Transform(b->PosedRoll())));
    if (pivot_in && !model->HasFlag(MODEL_NO_PICK_PIVOT)) b->SetFlag(BONE_SEL_PIVOT, true), any = true;
    if (target_in && !model->HasFlag(MODEL_NO_PICK_TARGET)) b->SetFlag(BONE_SEL_TARGET, true), any = true;
    if (roll_in && !model->HasFlag(MODEL_NO_PICK_ROLL)) b->SetFlag(BONE_SEL_ROLL, true), any = true;
    if (pivot_in && target_in && !model->HasFlag(MODEL_NO_SELECT_WHOLE)) b->SetFlag(BONE_SELECTED, true), any = true;
  }
  return any;
}
