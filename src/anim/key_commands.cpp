#include "anim/key_commands.h"

#include "anim/motion.h"
#include "model/bone.h"
#include "model/model.h"

bool CreateKeys(DL_MODEL* model) {
  if (model->current_motion == nullptr) return false;
  for (DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder())
    if (b->IsEditable() && b->tracks.current != nullptr) b->tracks.current->KeyEnabledChannels();
  model->FullPoseUpdate();
  return true;
}

bool DeleteSelectedKeys(DL_MODEL* model) {
  if (model->current_motion == nullptr) return false;
  bool any = model->current_motion->key_table.DeleteSelectedKeys();
  model->FullPoseUpdate();
  return any;
}

bool SelectAllKeys(DL_MODEL* model) {
  if (model->current_motion == nullptr) return false;
  model->current_motion->key_table.SelectAll();
  return true;
}

bool DeselectAllKeys(DL_MODEL* model) {
  if (model->current_motion == nullptr) return false;
  model->current_motion->key_table.DeselectAll();
  return true;
}

bool InvertKeySelection(DL_MODEL* model) {
  if (model->current_motion == nullptr) return false;
  model->current_motion->key_table.InvertSelection();
  return true;
}

bool MotionReset(DL_MODEL* model) {
  if (model->current_motion == nullptr) return false;
  model->FullPoseUpdate();
  return true;
}

bool FinishKeyDrag(DL_MODEL* model) {
  if (model->current_motion == nullptr) return false;
  model->current_motion->key_table.RemoveDuplicateFrames();
  model->FullPoseUpdate();
  return true;
}
