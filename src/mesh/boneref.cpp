#include "mesh/boneref.h"

#include "model/bone.h"
#include "model/model.h"

void DL_BONEREF::Set(DL_BONE* b) {
  bone = b;
  bone_id = b != nullptr ? b->id : 0;
  resolved = 1;
}

void DL_BONEREF::SetId(int32_t id) {
  bone = nullptr;
  bone_id = id;
  resolved = 0;
}

void DL_BONEREF::Resolve(const DL_MODEL* model) {
  if (resolved) return;
  DL_BONE* b = model != nullptr ? model->FindBoneById(bone_id) : nullptr;
  if (b != nullptr) {
    bone = b;
    resolved = 1;
  }
}
