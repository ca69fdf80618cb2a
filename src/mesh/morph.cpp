// Morph targets: creation, deletion, weights, the group limit and the blend.
#include "mesh/morph.h"

#include <stdio.h>
#include <string.h>

#include <map>

#include "anim/motion.h"
#include "host/text.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "model/model.h"

DL_MORPH* DL_OBJ::NewMorph() {
  DL_MORPH* t = new DL_MORPH();
  t->owner = this;
  t->index = static_cast<int32_t>(morphs.size());
  for (DL_OBJVERT* v : vertices) {
    VEC3 shape = EditedShape(v);
    v->target_pos.resize(morphs.size(), shape);  // keep one entry per existing target
    v->target_pos.push_back(shape);
  }
  std::vector<long> used;
  long n;
  for (const DL_MORPH* m : morphs)
    if (NumberedName(m->name, "target", &n)) used.push_back(n);
  snprintf(t->name, sizeof t->name, "target%ld", FirstFreeNumber(used));
  morphs.push_back(t);
  if (owner != nullptr)
    for (DL_MOT* m : owner->motions) t->tracks.Add(t, m);
  t->tracks.Bind(owner != nullptr ? owner->current_motion : nullptr);
  current_morph = t;
  return t;
}

void DL_OBJ::DeleteMorph(DL_MORPH* t) {
  int i = IndexOfMorph(t);
  if (i < 0) return;
  for (DL_OBJVERT* v : vertices)
    if (i < static_cast<int>(v->target_pos.size())) v->target_pos.erase(v->target_pos.begin() + i);
  morphs.erase(morphs.begin() + i);
  for (size_t k = static_cast<size_t>(i); k < morphs.size(); ++k) morphs[k]->index = static_cast<int32_t>(k);
  if (current_morph == t) current_morph = morphs.empty() ? nullptr : morphs[0];
  delete t;
  if (morphs.empty()) {
    base_weight = 1.0f;
    for (DL_OBJVERT* v : vertices) v->morphed_pos = v->base_pos;
  }
}

DL_MORPH* DL_OBJ::DuplicateMorph() {
  DL_MORPH* from = current_morph;
  if (!HasFlag(OBJ_EDITABLE) || from == nullptr) return nullptr;
  DL_MORPH* t = NewMorph();
  t->group = from->group;
  return t;
}

void DL_OBJ::SetMorphProperties(DL_MORPH* t, const char* name, int32_t group) {
  if (IndexOfMorph(t) < 0) return;
  CopyText(t->name, sizeof t->name, name);
  t->group = group;
  if (owner != nullptr) owner->FullPoseUpdate();
}

void DL_OBJ::SetMorphWeight(DL_MORPH* target, float w) {
  if (IndexOfMorph(target) < 0) return;
  size_t n = morphs.size();
  std::vector<float> old_w(n), new_w(n);
  std::vector<bool> keyed(n);
  for (size_t i = 0; i < n; ++i) {
    old_w[i] = new_w[i] = morphs[i]->weight;
    DL_MORPHTRACK* t = morphs[i]->tracks.current;
    keyed[i] = t != nullptr && t->weight.KeyCount() > 0;
  }
  if (!(w >= 0)) w = 0;
  if (w > 1) w = 1;
  size_t me = static_cast<size_t>(target->index);
  new_w[me] = w;
  float s = 0;
  for (size_t i = 0; i < n; ++i)
    if (i != me && morphs[i]->group == target->group) s += new_w[i];
  if (s + w > 1) {
    float k = (1 - w) / s;
    for (size_t i = 0; i < n; ++i)
      if (i != me && morphs[i]->group == target->group) new_w[i] *= k;
  }
  float sum = 0;
  for (size_t i = 0; i < n; ++i) {
    DL_MORPH* m = morphs[i];
    bool update = i == me || !keyed[i] || Abs(new_w[i] - old_w[i]) > 0.001f;
    if (update) {
      m->weight = new_w[i];
      DL_MORPHTRACK* t = m->tracks.current;
      if (t != nullptr && t->motion != nullptr) t->weight.SetKey(t->motion->current_frame, DL_VALUE::Float(new_w[i]));
    }
    sum += m->weight;
  }
  base_weight = 1 - sum;
  BlendMorphs();
}

DL_MORPH* DL_OBJ::FindMorphByName(const char* name) const {
  if (name == nullptr) return nullptr;
  for (DL_MORPH* m : morphs)
    if (strcmp(m->name, name) == 0) return m;
  return nullptr;
}

int DL_OBJ::IndexOfMorph(const DL_MORPH* t) const {
  for (size_t i = 0; i < morphs.size(); ++i)
    if (morphs[i] == t) return static_cast<int>(i);
  return -1;
}

void DL_OBJ::SetMorphEdit(bool on) {
  SetFlag(OBJ_MORPH_EDIT, on);
  if (owner != nullptr) owner->FullPoseUpdate();
}

void DL_OBJ::ApplyGroupLimits() {
  // Group numbers are whatever the user typed: sum them by number.
  std::map<int32_t, float> sums;
  for (const DL_MORPH* m : morphs)
    if (m->group >= 0) sums[m->group] += m->weight;
  for (DL_MORPH* m : morphs) {
    if (m->group < 0) continue;
    float s = sums[m->group];
    if (s >= 1) m->weight *= 1 / s;
  }
  float total = 0;
  for (const DL_MORPH* m : morphs) total += m->weight;
  base_weight = 1 - total;
}

void DL_OBJ::BlendMorphs() {
  for (DL_OBJVERT* v : vertices) {
    if (v->target_pos.empty()) {
      v->morphed_pos = v->base_pos;
      continue;
    }
    VEC3 p = v->base_pos * base_weight;
    size_t n = v->target_pos.size() < morphs.size() ? v->target_pos.size() : morphs.size();
    for (size_t i = 0; i < n; ++i) p += v->target_pos[i] * morphs[i]->weight;
    v->morphed_pos = p;
  }
}
