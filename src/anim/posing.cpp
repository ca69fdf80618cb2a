#include "anim/posing.h"

#include <vector>

#include "model/bone.h"
#include "model/model.h"

namespace {

MAT44 ParentInverse(const DL_BONE* b) { return b->parent != nullptr ? b->parent->matrix.Inverse() : MAT44(); }

// The matrix a bone's own pose is applied under.
const MAT44& Above(const DL_MODEL* model, const DL_BONE* b) {
  return b->parent != nullptr ? b->parent->matrix : model->model_matrix;
}

void Recompute(DL_MODEL* model, DL_BONE* b) { UpdateBoneMatrices(b, false, model->model_matrix); }

// The rotation turning from - pivot towards to - pivot, applied to b's pose;
// false when either direction is too short to have one.
bool TurnBone(DL_BONE* b, const VEC3& pivot, const VEC3& from, const VEC3& to) {
  VEC3 u = from - pivot, v = to - pivot;
  if (!(u.Length() >= NORMALIZE_MIN_LENGTH) || !(v.Length() >= NORMALIZE_MIN_LENGTH)) return false;
  QUAT delta = QUAT::ShortestArc(u.Normalized(), v.Normalized());
  b->SetPoseRotation((delta * b->pose_rot).Normalized());
  return true;
}

// Visits from `start` along first children and next siblings; where stop
// says so, neither the bone, its descendants nor its following siblings
// are visited.
template <typename STOP, typename VISIT>
void WalkDescendants(DL_BONE* start, STOP stop, VISIT visit) {
  std::vector<DL_BONE*> pending = {start};
  while (!pending.empty()) {
    DL_BONE* x = pending.back();
    pending.pop_back();
    if (x == nullptr || stop(x)) continue;
    visit(x);
    pending.push_back(x->next);
    pending.push_back(x->first_child);
  }
}

bool IkStop(const DL_BONE* x) { return x->HasFlag(BONE_IK_PIVOT); }

void ReaimDescendants(DL_MODEL* model, DL_BONE* b) {
  WalkDescendants(b->first_child, IkStop, [model](DL_BONE* x) { RotationStep(model, x, x, x->remembered_target); });
}

void KeepDescendants(DL_MODEL* model, DL_BONE* start) {
  WalkDescendants(
      start, [](const DL_BONE* x) { return !x->IsEditable(); },
      [model](DL_BONE* x) {
        x->matrix = x->DeformationMatrix(Above(model, x));
        MAT44 inv = ParentInverse(x);
        bool local = x->parent != nullptr;
        VEC3 p = x->PosedPivot(), r = x->PosedRoll(), r0 = x->posed_roll;
        if (local) p = inv.Transform(p), r = inv.Transform(r), r0 = inv.Transform(r0);
        if (TurnBone(x, p, r, r0)) x->matrix = x->DeformationMatrix(Above(model, x));
        VEC3 t = x->PosedTarget(), t0 = x->posed_target;
        p = x->PosedPivot();
        if (local) p = inv.Transform(p), t = inv.Transform(t), t0 = inv.Transform(t0);
        if (TurnBone(x, p, t, t0)) x->matrix = x->DeformationMatrix(Above(model, x));
      });
}

}  // namespace

void BeginPoseDrag(DL_MODEL* model, DL_BONE* picked) {
  UpdatePosedPoints(model->first_bone, true);
  if (picked == nullptr) return;
  WalkDescendants(picked->first_child, IkStop, [](DL_BONE* x) { x->remembered_target = x->PosedTarget(); });
}

void RotationStep(DL_MODEL* model, DL_BONE* a, DL_BONE* e, const VEC3& g) {
  if (a == nullptr || e == nullptr || !a->IsEditable()) return;
  VEC3 pa = a->PosedPivot(), pe = e->PosedTarget(), h = g;
  if (a->parent != nullptr) {
    MAT44 inv = ParentInverse(a);
    pa = inv.Transform(pa), pe = inv.Transform(pe), h = inv.Transform(h);
  }
  if (TurnBone(a, pa, pe, h)) Recompute(model, a);
}

void PoseIk(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow) {
  if (b == nullptr || !b->IsEditable()) return;
  std::vector<DL_BONE*> chain = {b};
  // Up through connected bones to the first one not connected or with an IK
  // stop, and never past the top of the tree.
  while (chain.back()->HasFlag(BONE_CONNECT) && !IkStop(chain.back()) && chain.back()->parent != nullptr)
    chain.push_back(chain.back()->parent);
  int n = static_cast<int>(chain.size());
  int i = n - 1;
  for (int step = 0; step < 10; ++step) {
    RotationStep(model, chain[i], b, g);
    if (--i < 0) i = n - 1;
  }
  if (follow) ReaimDescendants(model, b);
}

void PoseAim(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow) {
  if (b == nullptr || !b->IsEditable()) return;
  RotationStep(model, b, b, g);
  if (follow) ReaimDescendants(model, b);
}

void PoseTranslate(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow) {
  if (b == nullptr || !b->IsEditable()) return;
  MAT44 w = b->parent != nullptr ? b->parent->matrix : MAT44();
  b->SetPoseTranslation(w.Inverse().Transform(g) - b->pivot);
  Recompute(model, b);
  if (follow) ReaimDescendants(model, b);
}

void PoseTwist(DL_MODEL* model, DL_BONE* b, const VEC3& g, bool follow) {
  if (b == nullptr || !b->IsEditable()) return;
  VEC3 p = b->PosedPivot(), r = b->PosedRoll(), t = b->PosedTarget();
  VEC3 axis = t - p;
  if (!(axis.Length() >= NORMALIZE_MIN_LENGTH)) return;  // no axis to twist about
  VEC3 a = axis.Normalized();
  float k = a.Dot(g - p);
  VEC3 goal = g - a * k;
  if (b->parent != nullptr) {
    MAT44 inv = ParentInverse(b);
    p = inv.Transform(p), r = inv.Transform(r), goal = inv.Transform(goal);
  }
  if (TurnBone(b, p, r, goal)) b->matrix = b->DeformationMatrix(Above(model, b));
  if (follow && b->first_child != nullptr) KeepDescendants(model, b->first_child);
  Recompute(model, b);
}
