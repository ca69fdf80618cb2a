#include "model/bone.h"

#include "anim/motion.h"
#include "host/text.h"
#include "model/model.h"

bool DL_BONE::IsEditable() const {
  return model != nullptr && model->HasFlag(MODEL_SHOW_BONES) && HasFlag(BONE_SHOW) && HasFlag(BONE_EDIT_ALLOWED);
}

void DL_BONE::SetFlagTree(uint32_t f, bool on) {
  bool collapsed = !HasFlag(BONE_EXPANDED);
  SetFlag(f, on);
  if (!collapsed) return;
  for (DL_BONE* b = first_child; b != nullptr; b = b->NextBelow(this)) b->SetFlag(f, on);
}

void DL_BONE::SetFlagSubtree(uint32_t f, bool on) {
  for (DL_BONE* b = this; b != nullptr; b = b->NextBelow(parent)) b->SetFlag(f, on);
}

void DL_BONE::SetName(const char* text) { CopyText(name, sizeof name, text); }

void DL_BONE::SetRoll(const VEC3& r) {
  roll = r;
  ApplyRollRule();
}

void DL_BONE::ApplyRollRule() {
  VEC3 axis = target - pivot;
  VEC3 d = axis.Normalized();
  VEC3 r = (roll - pivot).Normalized();
  float length = axis.Length();
  roll = pivot + d.Cross(r).Normalized().Cross(d) * (0.3f * length);
}

void DL_BONE::SetDefaultRoll() {
  VEC3 axis = target - pivot;
  VEC3 d = axis.Normalized();
  float length = axis.Length();
  roll = pivot + d.Cross(VEC3(0, 1, 0)).Normalized().Cross(d) * (0.3f * length);
}

void DL_BONE::SetPoseRotation(const QUAT& q) {
  pose_rot = q;
  if (tracks.current != nullptr) tracks.current->KeyNow(tracks.current->rot, DL_VALUE::Quat(q));
}

void DL_BONE::SetPoseTranslation(const VEC3& t) {
  pose_trs = t;
  if (tracks.current != nullptr) tracks.current->KeyNow(tracks.current->trs, DL_VALUE::Vec3(t));
}

void DL_BONE::SetPoseScale(const VEC3& s) {
  pose_scl = s;
  if (tracks.current != nullptr) tracks.current->KeyNow(tracks.current->scl, DL_VALUE::Vec3(s));
}

MAT44 DL_BONE::DeformationMatrix(const MAT44& parent_matrix) const {
  MAT44 pose = MAT44::Scale(pose_scl) * MAT44::FromQuat(pose_rot);
  pose.SetTranslation(pose_trs);
  MAT44 local = MAT44::Translation(-pivot) * pose * MAT44::Translation(pivot);
  return local * parent_matrix;
}

DL_BONE* DL_BONE::NextBelow(const DL_BONE* top) const {
  if (first_child != nullptr) return first_child;
  const DL_BONE* b = this;
  while (b != nullptr && b != top) {
    if (b->next != nullptr) return b->next;
    b = b->parent;
  }
  return nullptr;
}

DL_BONE* DL_BONE::NextInPreorder() const { return NextBelow(nullptr); }

DL_BONE* DL_BONE::LastSibling() {
  DL_BONE* b = this;
  while (b->next != nullptr) b = b->next;
  return b;
}

int DL_BONE::Depth() const {
  int n = 0;
  for (const DL_BONE* p = parent; p != nullptr; p = p->parent) ++n;
  return n;
}

bool DL_BONE::ShownInTree() const {
  for (const DL_BONE* p = parent; p != nullptr; p = p->parent)
    if (!p->HasFlag(BONE_EXPANDED)) return false;
  return true;
}

bool DL_BONE::IsDescendantOf(const DL_BONE* ancestor) const {
  for (const DL_BONE* p = parent; p != nullptr; p = p->parent)
    if (p == ancestor) return true;
  return false;
}

bool DL_BONE::HasSelectedBelow() const {
  for (const DL_BONE* b = first_child; b != nullptr; b = b->NextBelow(this))
    if (b->HasFlag(BONE_SELECTED)) return true;
  return false;
}

bool DL_BONE::HasSelectedInFollowing() const {
  for (const DL_BONE* b = next; b != nullptr; b = b->NextBelow(parent))
    if (b->HasFlag(BONE_SELECTED)) return true;
  return false;
}

void DL_BONE::Link(DL_MODEL* m, DL_BONE* new_parent, DL_BONE* elder) {
  model = m;
  if (elder != nullptr) {
    parent = elder->parent;
    next = elder->next;
    if (next != nullptr) next->prev = this;
    elder->next = this;
    prev = elder;
  } else if (new_parent != nullptr) {
    parent = new_parent;
    prev = nullptr;
    next = new_parent->first_child;
    if (next != nullptr) next->prev = this;
    new_parent->first_child = this;
  } else {
    parent = nullptr;
    prev = nullptr;
    next = m->first_bone;
    if (next != nullptr) next->prev = this;
    m->first_bone = this;
  }
  ++m->bone_count;
}

void DL_BONE::UnlinkKeepingChildren() {
  DL_MODEL* m = model;
  if (m != nullptr && m->current_bone == this) m->MoveCurrentBoneAway(this);
  // What led to this bone now leads to its replacement: its first child, or
  // else its next sibling.
  DL_BONE* replacement = next;
  if (first_child != nullptr) {
    DL_BONE* last = nullptr;
    for (DL_BONE* c = first_child; c != nullptr; c = c->next) {
      c->parent = parent;
      last = c;
    }
    last->next = next;
    if (next != nullptr) next->prev = last;
    first_child->prev = prev;
    replacement = first_child;
  } else if (next != nullptr) {
    next->prev = prev;
  }
  if (prev != nullptr) prev->next = replacement;
  else if (parent != nullptr) parent->first_child = replacement;
  else if (m != nullptr && m->first_bone == this) m->first_bone = replacement;
  parent = first_child = prev = next = nullptr;
  model = nullptr;
  if (m != nullptr) --m->bone_count;
}

void UpdateBoneMatrices(DL_BONE* b, bool with_siblings, const MAT44& top_matrix) {
  if (b == nullptr) return;
  const DL_BONE* top = with_siblings ? b->parent : b;
  // Preorder visits parents before children, so each parent's matrix is
  // current when its children need it.
  for (DL_BONE* x = b; x != nullptr; x = x->NextBelow(top))
    x->matrix = x->DeformationMatrix(x->parent != nullptr ? x->parent->matrix : top_matrix);
}

void UpdatePosedPoints(DL_BONE* b, bool with_siblings) {
  if (b == nullptr) return;
  const DL_BONE* top = with_siblings ? b->parent : b;
  for (DL_BONE* x = b; x != nullptr; x = x->NextBelow(top)) {
    x->posed_target = x->PosedTarget();
    x->posed_roll = x->PosedRoll();
  }
}
