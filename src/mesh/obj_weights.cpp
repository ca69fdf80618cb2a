// An object's weight groups and the weight commands on its vertices.
#include <stdio.h>

#include "host/text.h"
#include "mesh/obj.h"
#include "mesh/objvert.h"
#include "mesh/objweit.h"
#include "model/bone.h"

namespace {

const RGBA8 kGroupColours[7] = {RGBA8(255, 0, 0),   RGBA8(0, 255, 0),   RGBA8(0, 0, 255),    RGBA8(255, 255, 0),
                                RGBA8(255, 0, 255), RGBA8(0, 255, 255), RGBA8(255, 255, 255)};

}  // namespace

int32_t DL_OBJ::NextGroupId() {
  bool clash = true;
  while (clash) {
    clash = false;
    for (const DL_OBJWEIT* g : weight_groups) {
      if (g->id == next_weit_id) {
        ++next_weit_id;
        clash = true;
        break;
      }
    }
  }
  return next_weit_id++;
}

RGBA8 DL_OBJ::NextGroupColour() {
  // A stored index outside the table starts the cycle again.
  if (next_weit_col < 0 || next_weit_col > 6) next_weit_col = 0;
  RGBA8 c = kGroupColours[next_weit_col];
  next_weit_col = next_weit_col == 6 ? 0 : next_weit_col + 1;
  return c;
}

DL_OBJWEIT* DL_OBJ::NewGroup() {
  DL_OBJWEIT* g = new DL_OBJWEIT();
  g->owner = this;
  g->id = NextGroupId();
  g->col = NextGroupColour();
  weight_groups.push_back(g);
  current_weight_group = g;
  WeightsChanged();
  return g;
}

DL_OBJWEIT* DL_OBJ::GroupForBone(DL_BONE* bone) {
  DL_OBJWEIT* g = FindGroupByBone(bone);
  if (g != nullptr) return g;
  g = new DL_OBJWEIT();
  g->owner = this;
  g->bone.Set(bone);
  g->id = NextGroupId();
  g->col = NextGroupColour();
  weight_groups.push_back(g);
  if (current_weight_group == nullptr) current_weight_group = g;
  WeightsChanged();
  return g;
}

void DL_OBJ::DeleteGroup(DL_OBJWEIT* g) {
  int i = IndexOfGroup(g);
  if (i < 0) return;
  weight_groups.erase(weight_groups.begin() + i);
  for (DL_OBJVERT* v : vertices) v->weights.Forget(g);
  for (DL_WEITLIST& slot : palette) {
    slot.Forget(g);
    slot.UpdateColour();
  }
  if (current_weight_group == g) current_weight_group = weight_groups.empty() ? nullptr : weight_groups[0];
  delete g;
  WeightsChanged();
}

DL_OBJWEIT* DL_OBJ::FindGroupById(int32_t id) const {
  for (DL_OBJWEIT* g : weight_groups)
    if (g->id == id) return g;
  return nullptr;
}

DL_OBJWEIT* DL_OBJ::FindGroupByBone(const DL_BONE* bone) const {
  for (DL_OBJWEIT* g : weight_groups)
    if (g->bone.Get() == bone) return g;
  return nullptr;
}

int DL_OBJ::IndexOfGroup(const DL_OBJWEIT* g) const {
  for (size_t i = 0; i < weight_groups.size(); ++i)
    if (weight_groups[i] == g) return static_cast<int>(i);
  return -1;
}

void DL_OBJ::SetVertexWeight(int vertex, DL_OBJWEIT* g, float w) {
  if (vertex < 0 || vertex >= VertexCount()) return;
  vertices[vertex]->weights.Set(g, w);
}

void DL_OBJ::SetVertexWeightForBone(int vertex, DL_BONE* bone, float w) {
  if (vertex < 0 || vertex >= VertexCount()) return;
  vertices[vertex]->weights.Set(GroupForBone(bone), w);
}

float DL_OBJ::GetVertexWeight(int vertex, const DL_OBJWEIT* g) const {
  if (vertex < 0 || vertex >= VertexCount()) return 0;
  return vertices[vertex]->weights.Get(g);
}

float DL_OBJ::GetVertexWeightForBone(int vertex, const DL_BONE* bone) const {
  DL_OBJWEIT* g = FindGroupByBone(bone);
  return g != nullptr ? GetVertexWeight(vertex, g) : 0.0f;
}

void DL_OBJ::ClearAllWeights() {
  for (DL_OBJVERT* v : vertices) v->weights.Clear();
}

bool DL_OBJ::ClearCurrentGroup() {
  if (current_weight_group == nullptr) return false;
  for (DL_OBJVERT* v : vertices) v->weights.Set(current_weight_group, 0);
  return true;
}

bool DL_OBJ::FillCurrentGroup() {
  if (current_weight_group == nullptr) return false;
  for (DL_OBJVERT* v : vertices) {
    v->weights.Clear();
    v->weights.Set(current_weight_group, 1.0f);
  }
  return true;
}

bool DL_OBJ::NormalizeAll() {
  if (current_weight_group == nullptr) return false;
  for (DL_OBJVERT* v : vertices) v->weights.Normalize();
  return true;
}

void DL_OBJ::Recolour() {
  for (DL_OBJVERT* v : vertices) v->weights.UpdateColour();
}

void GroupName(const DL_OBJWEIT* g, char (&buffer)[256]) {
  const DL_BONE* b = g->bone.Get();
  if (b != nullptr) CopyText(buffer, sizeof buffer, b->name);
  else snprintf(buffer, sizeof buffer, "- weit%03d -", g->id);
}
