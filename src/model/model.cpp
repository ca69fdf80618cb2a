#include "model/model.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <unordered_set>

#include "anim/motion.h"
#include "host/text.h"
#include "mesh/mtl.h"
#include "mesh/obj.h"
#include "host/host_table.h"
#include "model/bone.h"

DL_MODEL::~DL_MODEL() {
  Clear();
  DeleteVcolMaterial();
  if (scratch_object != nullptr && document != nullptr && scratch_index >= 0) MQDoc_DeleteObject(document, scratch_index);
  scratch_object = nullptr;
  scratch_index = -1;
}

// ---- identifiers and names ----

int32_t DL_MODEL::MakeBoneId() {
  std::unordered_set<int32_t> used;
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder()) used.insert(b->id);
  while (used.count(next_bone_id) != 0) ++next_bone_id;
  return next_bone_id++;
}

int32_t DL_MODEL::MakeMotionId() {
  std::unordered_set<int32_t> used;
  for (DL_MOT* m : motions) used.insert(m->id);
  while (used.count(next_motion_id) != 0) ++next_motion_id;
  return next_motion_id++;
}

void DL_MODEL::NewBoneName(char* name) const {
  std::vector<long> used;
  long n;
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder())
    if (NumberedName(b->name, "bone", &n)) used.push_back(n);
  snprintf(name, 256, "bone%ld", FirstFreeNumber(used));
}

void DL_MODEL::NewMotionName(char* name) const {
  std::vector<long> used;
  long n;
  for (DL_MOT* m : motions)
    if (NumberedName(m->name, "mot", &n)) used.push_back(n);
  snprintf(name, 256, "mot%ld", FirstFreeNumber(used));
}

// ---- bone lookups ----

DL_BONE* DL_MODEL::FindBoneById(int32_t id) const {
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder())
    if (b->id == id) return b;
  return nullptr;
}

DL_BONE* DL_MODEL::FindBoneByName(const char* name) const {
  if (name == nullptr) return nullptr;
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder())
    if (strcmp(b->name, name) == 0) return b;
  return nullptr;
}

DL_BONE* DL_MODEL::BoneAt(int index) const {
  if (index < 0 || index >= bone_count) return nullptr;
  DL_BONE* b = first_bone;
  for (int i = 0; i < index && b != nullptr; ++i) b = b->NextInPreorder();
  return b;
}

int DL_MODEL::IndexOfBone(const DL_BONE* bone) const {
  int i = 0;
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder(), ++i)
    if (b == bone) return i;
  return -1;
}

bool DL_MODEL::HasBone(const DL_BONE* bone) const { return bone != nullptr && IndexOfBone(bone) >= 0; }

// ---- bone creation and removal ----

void DL_MODEL::GiveTracks(DL_BONE* b) {
  for (DL_MOT* m : motions) b->tracks.Add(b, m);
  b->tracks.Bind(current_motion);
}

DL_BONE* DL_MODEL::NewBoneAsLastChild(DL_BONE* parent) {
  DL_BONE* b = new DL_BONE();
  if (parent != nullptr && first_bone != nullptr) {
    DL_BONE* elder = parent->first_child != nullptr ? parent->first_child->LastSibling() : nullptr;
    b->Link(this, parent, elder);
  } else {
    b->Link(this, nullptr, first_bone != nullptr ? first_bone->LastSibling() : nullptr);
  }
  GiveTracks(b);
  return b;
}

DL_BONE* DL_MODEL::NewBoneAfter(DL_BONE* sibling) {
  if (first_bone == nullptr || sibling == nullptr) return nullptr;
  DL_BONE* b = new DL_BONE();
  b->Link(this, sibling->parent, sibling);
  GiveTracks(b);
  return b;
}

DL_BONE* DL_MODEL::CreateBone(DL_BONE* ref, bool as_sibling, bool connect, const char* name, const VEC3& pivot,
                              const VEC3& target, const VEC3& roll) {
  DL_BONE* b;
  if (!as_sibling) b = NewBoneAsLastChild(ref);
  else if (ref != nullptr) b = NewBoneAfter(ref);
  else b = NewBoneAsLastChild(nullptr);
  if (b == nullptr) return nullptr;
  b->id = MakeBoneId();
  b->SetName(name);
  b->pivot = pivot;
  b->target = target;
  b->SetRoll(roll);
  b->SetFlag(BONE_CONNECT, connect);
  return b;
}

void DL_MODEL::ClearReferencesTo(const std::vector<DL_BONE*>& doomed) {
  if (doomed.empty()) return;
  std::unordered_set<const DL_BONE*> set(doomed.begin(), doomed.end());
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder())
    if (set.count(b->mirror.bone) != 0) b->mirror.Set(nullptr);
  for (DL_OBJ* o : objects)
    for (const DL_BONE* d : doomed) o->ClearBoneReferences(d);
  for (DL_MOT* m : motions)
    if (set.count(m->bone.bone) != 0) m->bone.Set(nullptr);
}

void DL_MODEL::DestroyChain(DL_BONE* b) {
  if (b == nullptr) return;
  std::vector<DL_BONE*> doomed;
  for (DL_BONE* x = b; x != nullptr; x = x->NextBelow(b->parent)) doomed.push_back(x);
  ClearReferencesTo(doomed);
  if (std::find(doomed.begin(), doomed.end(), current_bone) != doomed.end()) current_bone = nullptr;
  if (b->prev != nullptr) b->prev->next = nullptr;
  else if (b->parent != nullptr) b->parent->first_child = nullptr;
  else if (first_bone == b) first_bone = nullptr;
  bone_count -= static_cast<int32_t>(doomed.size());
  for (DL_BONE* x : doomed) {
    x->parent = x->first_child = x->prev = x->next = nullptr;
    delete x;
  }
}

void DL_MODEL::MoveCurrentBoneAway(const DL_BONE* b) {
  DL_BONE* to = b->NextInPreorder();
  if (to == nullptr) to = b->PreviousInTree();
  current_bone = to;
  if (to != nullptr && to->IsEditable()) to->SetFlag(BONE_SELECTED, true);
}

void DL_MODEL::DeleteBone(DL_BONE* b, bool with_children) {
  if (b == nullptr || b->model != this) return;
  if (with_children && b->first_child != nullptr) {
    // A current bone inside the subtree moves as if b itself were current.
    if (current_bone != nullptr && current_bone->IsDescendantOf(b)) current_bone = b;
    DestroyChain(b->first_child);
  }
  ClearReferencesTo(std::vector<DL_BONE*>{b});
  b->UnlinkKeepingChildren();  // moves the current bone on when it is b
  delete b;
}

void DL_MODEL::DeleteAllBones() {
  DestroyChain(first_bone);
  bone_count = 0;
  current_bone = nullptr;
}

// ---- motions ----

void DL_MODEL::BindAllTracks() {
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder()) b->tracks.Bind(current_motion);
  for (DL_OBJ* o : objects) o->BindTracks(current_motion);
  for (DL_MTL* t : materials) t->tracks.Bind(current_motion);
}

DL_MOT* DL_MODEL::AddMotion() {
  DL_MOT* m = new DL_MOT(this);
  m->id = MakeMotionId();
  motions.push_back(m);
  for (DL_OBJ* o : objects) o->AddTracks(m);
  for (DL_MTL* t : materials) t->tracks.Add(t, m);
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder()) b->tracks.Add(b, m);
  return m;
}

DL_MOT* DL_MODEL::NewNamedMotion() {
  DL_MOT* m = AddMotion();
  char name[256];
  NewMotionName(name);
  m->SetName(name);
  MakeCurrentMotion(m);
  return m;
}

void DL_MODEL::MakeCurrentMotion(DL_MOT* m) {
  current_motion = m;
  BindAllTracks();
}

void DL_MODEL::RemoveMotion(DL_MOT* m) {
  auto it = std::find(motions.begin(), motions.end(), m);
  if (it == motions.end()) return;
  size_t position = static_cast<size_t>(it - motions.begin());
  // The tracks go first: their channels leave the motion's key table while
  // it still exists.
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder()) b->tracks.Remove(m);
  for (DL_OBJ* o : objects) o->RemoveTracks(m);
  for (DL_MTL* t : materials) t->tracks.Remove(m);
  motions.erase(it);
  bool was_current = current_motion == m;
  delete m;
  if (was_current) {
    if (motions.empty()) current_motion = nullptr;
    else current_motion = motions[std::min(position, motions.size() - 1)];
  }
  BindAllTracks();
}

DL_MOT* DL_MODEL::FindMotionByName(const char* name) const {
  if (name == nullptr) return nullptr;
  for (DL_MOT* m : motions)
    if (strcmp(m->name, name) == 0) return m;
  return nullptr;
}

DL_MOT* DL_MODEL::FindMotionById(int32_t id) const {
  for (DL_MOT* m : motions)
    if (m->id == id) return m;
  return nullptr;
}

int DL_MODEL::IndexOfMotion(const DL_MOT* m) const {
  auto it = std::find(motions.begin(), motions.end(), m);
  return it == motions.end() ? -1 : static_cast<int>(it - motions.begin());
}

// ---- objects and materials ----

DL_OBJ* DL_MODEL::ObjectAt(int index) const {
  return index >= 0 && index < static_cast<int>(objects.size()) ? objects[index] : nullptr;
}

DL_OBJ* DL_MODEL::FindObjectByUid(int32_t uid) const {
  for (DL_OBJ* o : objects)
    if (o->object_uid == uid) return o;
  return nullptr;
}

DL_OBJ* DL_MODEL::NewObject(int32_t uid) {
  DL_OBJ* o = new DL_OBJ(this);
  o->object_uid = uid;
  objects.push_back(o);
  for (DL_MOT* m : motions) o->AddTracks(m);
  o->BindTracks(current_motion);
  return o;
}

DL_MTL* DL_MODEL::MaterialAt(int index) const {
  return index >= 0 && index < static_cast<int>(materials.size()) ? materials[index] : nullptr;
}

DL_MTL* DL_MODEL::FindMaterialById(int32_t id) const {
  for (DL_MTL* t : materials)
    if (t->material_id == id) return t;
  return nullptr;
}

DL_MTL* DL_MODEL::NewMaterial(int32_t id) {
  DL_MTL* t = new DL_MTL();
  t->owner = this;
  t->material_id = id;
  materials.push_back(t);
  for (DL_MOT* m : motions) t->tracks.Add(t, m);
  t->tracks.Bind(current_motion);
  return t;
}

// ---- whole model ----

void DL_MODEL::Clear() {
  // Everything goes: emptying the key tables first spares every destroyed
  // key its search through them.
  for (DL_MOT* m : motions) m->key_table.ClearEntries();
  DeleteAllBones();
  // Records with tracks go before the motions whose key tables list them.
  for (DL_OBJ* o : objects) delete o;
  objects.clear();
  for (DL_MTL* t : materials) delete t;
  materials.clear();
  for (DL_MOT* m : motions) delete m;
  motions.clear();
  current_motion = nullptr;
  current_bone = nullptr;
  current_object = nullptr;
}

void DL_MODEL::FullPoseUpdate() {
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder()) {
    DL_MOTBONE* t = b->tracks.current;
    if (t == nullptr || t->motion == nullptr || t->bone == nullptr) continue;
    b->pose_trs = t->ValueNow(t->trs).AsVec3();
    b->pose_scl = t->ValueNow(t->scl).AsVec3();
    b->pose_rot = t->ValueNow(t->rot).AsQuat();
  }
  model_matrix = MAT44();
  UpdateBoneMatrices(first_bone, true, model_matrix);
  for (DL_OBJ* o : objects) o->EvaluateTracks();
  DeformAll();
  SetFlag(MODEL_POSE_UPDATED, true);
}

void DL_MODEL::FinishLoading() {
  for (DL_BONE* b = first_bone; b != nullptr; b = b->NextInPreorder()) b->mirror.Resolve(this);
  for (DL_MOT* m : motions) m->bone.Resolve(this);
  for (DL_OBJ* o : objects) o->ResolveBoneReferences(this);
  Synchronize();
  SelectCurrentObject();
  FullPoseUpdate();
  if (IsActive()) CreateAllDisplays();
}

void DL_MODEL::ClearAndRebind() {
  Clear();
  Synchronize();
}

int DL_MODEL::DeepestLevel() const {
  int deepest = 0, depth = 0;
  const DL_BONE* b = first_bone;
  while (b != nullptr) {
    if (depth > deepest) deepest = depth;
    if (b->first_child != nullptr) {
      b = b->first_child;
      ++depth;
      continue;
    }
    while (b != nullptr && b->next == nullptr) {
      b = b->parent;
      --depth;
    }
    if (b != nullptr) b = b->next;
  }
  return deepest;
}

int DL_MODEL::CountBonesShownInTree() const {
  int n = 0;
  const DL_BONE* b = first_bone;
  while (b != nullptr) {
    ++n;
    // Below a collapsed bone nothing is shown: skip its subtree.
    if (b->first_child != nullptr && b->HasFlag(BONE_EXPANDED)) {
      b = b->first_child;
      continue;
    }
    while (b != nullptr && b->next == nullptr) b = b->parent;
    if (b != nullptr) b = b->next;
  }
  return n;
}
