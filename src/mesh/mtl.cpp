#include "mesh/mtl.h"

#include <algorithm>

#include "anim/motion.h"
#include "host/host_table.h"
#include "model/model.h"

void DL_MTL::AddMissingTracks() {
  if (owner == nullptr) return;
  for (DL_MOT* m : owner->motions)
    if (tracks.Find(m) == nullptr) tracks.Add(this, m);
  std::vector<DL_MTLTRACK*> kept;
  for (DL_MTLTRACK* t : tracks.tracks) {
    bool live = std::find(owner->motions.begin(), owner->motions.end(), t->motion) != owner->motions.end();
    if (live) {
      kept.push_back(t);
    } else {
      if (tracks.current == t) tracks.current = nullptr;
      delete t;
    }
  }
  tracks.tracks.swap(kept);
  tracks.Bind(owner->current_motion);
}

int DL_MTL::HostIndexByIdentity() const {
  MQDocument doc = owner != nullptr ? owner->document : nullptr;
  if (doc == nullptr) return -1;
  int n = MQDoc_GetMaterialCount(doc);
  for (int i = 0; i < n; ++i) {
    MQMaterial m = MQDoc_GetMaterial(doc, i);
    if (m != nullptr && MQMat_GetIntValue(m, 259) == material_id) return i;
  }
  return -1;
}
