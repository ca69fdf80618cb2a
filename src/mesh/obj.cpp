#include "mesh/obj.h"

#include "anim/motion.h"
#include "mesh/morph.h"
#include "mesh/objvert.h"
#include "mesh/objweit.h"

void PICK_LIST::Add(const PICK& p) {
  picks.push_back(p);
  int i = static_cast<int>(picks.size()) - 1;
  if (nearest < 0 || p.distance_sq < picks[nearest].distance_sq) nearest = i;
}

DL_OBJ::~DL_OBJ() {
  DeleteDisplay();
  for (DL_OBJVERT* v : vertices) delete v;
  for (DL_MORPH* m : morphs) delete m;
  for (DL_OBJWEIT* w : weight_groups) delete w;
  WeightsChanged();
}

void DL_OBJ::AddTracks(DL_MOT* m) {
  tracks.Add(this, m);
  for (DL_MORPH* t : morphs) t->tracks.Add(t, m);
}

void DL_OBJ::RemoveTracks(const DL_MOT* m) {
  tracks.Remove(m);
  for (DL_MORPH* t : morphs) t->tracks.Remove(m);
}

void DL_OBJ::BindTracks(const DL_MOT* current) {
  tracks.Bind(current);
  for (DL_MORPH* t : morphs) t->tracks.Bind(current);
}

void DL_OBJ::ClearBoneReferences(const DL_BONE* b) {
  obj_bone.Clear(b);
  for (DL_OBJWEIT* w : weight_groups) w->bone.Clear(b);
  WeightsChanged();
}

void DL_OBJ::ResolveBoneReferences(const DL_MODEL* model) {
  obj_bone.Resolve(model);
  for (DL_OBJWEIT* w : weight_groups) w->bone.Resolve(model);
  WeightsChanged();
}

void DL_OBJ::SetObjBone(DL_BONE* b) { obj_bone.Set(b); }

void DL_OBJ::EvaluateTracks() {
  if (tracks.current != nullptr) {
    DL_VALUE v = ChannelValueNow(tracks.current->visibility, tracks.current->motion);
    SetFlag(OBJ_VISIBLE_IN_POSE, v.AsInt() != 0);
  }
  if (morphs.empty()) {
    base_weight = 1.0f;
    return;
  }
  for (DL_MORPH* t : morphs)
    if (t->tracks.current != nullptr)
      t->weight = ChannelValueNow(t->tracks.current->weight, t->tracks.current->motion).AsFloat();
  ApplyGroupLimits();
  BlendMorphs();
}
