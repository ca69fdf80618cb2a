#include "anim/mesh_tracks.h"

#include "anim/motion.h"

DL_MORPHTRACK::DL_MORPHTRACK(DL_MORPH* owner, DL_MOT* m) : motion(m), target(owner), weight(DL_VALUE::Int(0)) {
  if (motion != nullptr) motion->key_table.RegisterChannel(&weight);
}

DL_OBJTRACK::DL_OBJTRACK(DL_OBJ* owner, DL_MOT* m) : motion(m), object(owner), visibility(DL_VALUE::Step(1)) {
  if (motion != nullptr) motion->key_table.RegisterChannel(&visibility);
}

DL_MTLTRACK::DL_MTLTRACK(DL_MTL* owner, DL_MOT* m)
    : material(owner),
      motion(m),
      colour(DL_VALUE::Color(RGBA8(255, 255, 255, 255))),
      alpha(DL_VALUE::Float(1.0f)) {
  if (motion == nullptr) return;
  motion->key_table.RegisterChannel(&alpha);
  motion->key_table.RegisterChannel(&colour);
}
