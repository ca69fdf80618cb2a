// Automatic weights: each vertex goes to its nearest bone, shared with the
// parent or first child near the bone's ends.
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "model/bone.h"
#include "model/model.h"

namespace {

struct SEGMENT_DISTANCE {
  float t;         // position along the segment, unclamped
  float distance;  // to the nearest point of the segment
};

// A bone of no length (its pivot on its target) is a point: t = 0 and the
// distance to the pivot. The test on d . d also catches lengths whose square
// underflows.
SEGMENT_DISTANCE Measure(const VEC3& p, const DL_BONE* b) {
  VEC3 d = b->target - b->pivot;
  float dd = d.Dot(d);
  if (!(dd > 0)) return {0.0f, (p - b->pivot).Length()};
  float t = (p - b->pivot).Dot(d) / dd;
  float c = t < 0 ? 0 : t > 1 ? 1 : t;
  return {t, (b->pivot + d * c - p).Length()};
}

// The weight of the nearer of two bones; both exactly on: half each.
float Share(float mine, float other) {
  float sum = mine + other;
  if (!(sum > 0)) return 0.5f;
  return 1.0f - mine / sum;
}

}  // namespace

bool DL_OBJ::AutoWeights() {
  if (owner == nullptr || owner->first_bone == nullptr) return false;
  for (int i = 0; i < VertexCount(); ++i) {
    const VEC3& p = vertices[i]->host_pos;
    DL_BONE* best = nullptr;
    SEGMENT_DISTANCE best_m = {0, 0};
    for (DL_BONE* b = owner->first_bone; b != nullptr; b = b->NextInPreorder()) {
      SEGMENT_DISTANCE m = Measure(p, b);
      if (best == nullptr || m.distance < best_m.distance) {
        best = b;
        best_m = m;
      }
    }
    float a0 = best->attach_range[0], a1 = best->attach_range[1];
    if (a0 > best_m.t && best->parent != nullptr) {
      float wb = Share(best_m.distance, Measure(p, best->parent).distance);
      SetVertexWeightForBone(i, best, wb);
      SetVertexWeightForBone(i, best->parent, 1.0f - wb);
    } else if (a1 >= best_m.t || best->first_child == nullptr) {
      SetVertexWeightForBone(i, best, 1.0f);
    } else {
      float wb = Share(best_m.distance, Measure(p, best->first_child).distance);
      SetVertexWeightForBone(i, best, wb);
      SetVertexWeightForBone(i, best->first_child, 1.0f - wb);
    }
  }
  Recolour();
  return true;
}
