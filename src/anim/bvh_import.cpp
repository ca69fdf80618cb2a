#include "anim/bvh_import.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "anim/bvh_reader.h"
#include "anim/motion.h"
#include "model/bone.h"
#include "model/model.h"

DL_MOT* ApplyBvh(DL_MODEL* model, const BVH_DOC& doc, float scale) {
  if (doc.root == nullptr) return nullptr;
  // Identifiers in use, gathered once: a file may hold very many joints.
  std::unordered_set<int32_t> used;
  for (const DL_BONE* b = model->first_bone; b != nullptr; b = b->NextInPreorder()) used.insert(b->id);

  // Nodes and the bones made from them, in preorder. A node's bone goes
  // after the bone of its previous sibling, or first under its parent's.
  std::vector<std::pair<const BVH_NODE*, DL_BONE*>> made;
  std::vector<DL_BONE*> last_child_of;  // by index into made
  std::unordered_map<const BVH_NODE*, size_t> index;
  for (const BVH_NODE* n = doc.root; n != nullptr; n = n->NextInPreorder()) {
    DL_BONE* parent = n->parent != nullptr ? made[index[n->parent]].second : nullptr;
    DL_BONE* elder = n->parent != nullptr ? last_child_of[index[n->parent]] : nullptr;
    DL_BONE* b = elder != nullptr ? model->NewBoneAfter(elder) : model->NewBoneAsLastChild(parent);
    if (n->parent != nullptr) last_child_of[index[n->parent]] = b;
    while (used.count(model->next_bone_id) != 0) ++model->next_bone_id;
    b->id = model->next_bone_id++;
    used.insert(b->id);
    b->SetName(n->name);
    b->pivot = n->offset * scale;
    if (parent != nullptr) b->pivot += parent->pivot;
    VEC3 d;
    if (n->end_offset_set) {
      d = n->end_offset * scale;
    } else if (n->first_child != nullptr) {
      VEC3 sum;
      int count = 0;
      for (const BVH_NODE* c = n->first_child; c != nullptr; c = c->next, ++count) sum += c->offset;
      d = sum / static_cast<float>(count) * scale;
    } else if (parent != nullptr) {
      d = (b->pivot - parent->pivot) * 0.1f;
    } else {
      d = VEC3(0, 0, 10);
    }
    b->target = b->pivot + d;
    b->SetDefaultRoll();
    index[n] = made.size();
    made.push_back({n, b});
    last_child_of.push_back(nullptr);
  }
  if (doc.frame_count <= 0) return nullptr;

  DL_MOT* m = model->AddMotion();
  m->SetEndFrame(static_cast<float>(doc.frame_count));
  m->SetRate(1.0f / doc.frame_time);
  for (const auto& pair : made) {
    const BVH_NODE* n = pair.first;
    DL_MOTBONE* t = pair.second->tracks.Find(m);
    bool rotates = false, moves = false;
    for (uint8_t c : n->channels) (c >= BVH_XROT ? rotates : moves) = true;
    for (size_t r = 0; r < n->frames.size(); ++r) {
      const BVH_FRAME& f = n->frames[r];
      MAT44 rot;
      VEC3 trs;
      for (uint8_t c : n->channels) {
        switch (c) {
          case BVH_XPOS: trs.x = f.v[0] * scale; break;
          case BVH_YPOS: trs.y = f.v[1] * scale; break;
          case BVH_ZPOS: trs.z = f.v[2] * scale; break;
          case BVH_XROT: rot.RotateX(-(f.v[3] * 0.017453292f)); break;
          case BVH_YROT: rot.RotateY(-(f.v[4] * 0.017453292f)); break;
          case BVH_ZROT: rot.RotateZ(-(f.v[5] * 0.017453292f)); break;
        }
      }
      float frame = static_cast<float>(r);
      if (rotates) t->rot.SetKey(frame, DL_VALUE::Quat(rot.ToQuat()));
      if (moves) t->trs.SetKey(frame, DL_VALUE::Vec3(trs));
    }
  }
  model->MakeCurrentMotion(m);
  return m;
}

bool ImportBvhFile(DL_MODEL* model, const char* path, const UMESS& sink) {
  BVH_DOC doc;
  if (!ReadBvhFile(path, &doc, sink)) return false;
  ApplyBvh(model, doc, BVH_SCALE);
  return true;
}
