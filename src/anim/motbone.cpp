#include "anim/motbone.h"

#include "anim/motion.h"
#include "model/bone.h"

DL_MOTBONE::DL_MOTBONE(DL_BONE* owner, DL_MOT* m)
    : motion(m),
      bone(owner),
      trs(DL_VALUE::Vec3(VEC3(0, 0, 0))),
      rot(DL_VALUE::Quat(QUAT::Identity())),
      scl(DL_VALUE::Vec3(VEC3(1, 1, 1))) {
  if (motion == nullptr) return;
  motion->key_table.RegisterChannel(&trs);
  motion->key_table.RegisterChannel(&rot);
  motion->key_table.RegisterChannel(&scl);
}

DL_VALUE DL_MOTBONE::ValueNow(const DL_CHANNEL& channel) const { return ChannelValueNow(channel, motion); }

void DL_MOTBONE::KeyNow(DL_CHANNEL& channel, const DL_VALUE& value) {
  if (motion != nullptr) channel.SetKey(motion->current_frame, value);
}

void DL_MOTBONE::KeyEnabledChannels() {
  if (motion == nullptr || bone == nullptr || !bone->HasFlag(BONE_TRACKED)) return;
  if (bone->HasFlag(BONE_APPLY_TRS)) KeyNow(trs, ValueNow(trs));
  if (bone->HasFlag(BONE_APPLY_ROT)) KeyNow(rot, ValueNow(rot));
  if (bone->HasFlag(BONE_APPLY_SCL)) KeyNow(scl, ValueNow(scl));
}

void DL_MOTBONE::ResetAt(float f) {
  if (bone != nullptr) {
    bone->pose_rot = QUAT::Identity();
    bone->pose_trs = VEC3(0, 0, 0);
    bone->pose_scl = VEC3(1, 1, 1);
  }
  trs.SetKey(f, DL_VALUE::Vec3(VEC3(0, 0, 0)));
  rot.SetKey(f, DL_VALUE::Quat(QUAT::Identity()));
  scl.SetKey(f, DL_VALUE::Vec3(VEC3(1, 1, 1)));
}
